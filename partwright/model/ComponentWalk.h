#pragma once

#include "BomModel.h"
#include "LoadReport.h"
#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace pw::model {

// Turns the occurrence structure of an opened assembly into tree nodes, one component record per
// node, the unique entries with their quantities, and the counters. Failures of single reads are
// absorbed one step at a time; only a missing component changes the path an occurrence takes.
class ComponentWalk {
public:
    // `firstRead` is told each file the walk reads for the first time, with its document.
    using FirstRead = std::function<void(const std::string& fullFileName, Document& document)>;
    ComponentWalk(BomModel& model, ComponentTree& tree, Server& server, FirstRead firstRead = {});

    // Appends the top assembly's record.
    // The top assembly's record, shown by its node `top` (kNoParent when it has none).
    void AddTopAssyNode(Document& IVDoc, NodeIndex top);
    // Adds nodes, records, entries and counts for every occurrence of the list and below it.
    // The occurrences of a list walked with depth d get Depth d + 1.
    void WalkOccurrences(const OccurrenceItems& list, NodeIndex parent, std::int16_t depth);
    // Appends the record of a missing occurrence and counts it in its (negative) unique entry.
    void AddErrorNode(const std::string& InvComponent, std::int16_t Depth);

private:
    struct Frame;

    void EnterList(std::vector<Frame>& frames, OccurrenceItems items, NodeIndex parent,
                   std::int16_t depth, std::string ownerKey);
    void LeaveList(std::vector<Frame>& frames);
    void WalkOne(std::vector<Frame>& frames, const std::shared_ptr<Occurrence>& occurrence);
    // The occurrence's node. A node the tree refuses would shift every later node's record: the
    // occurrence is left out, with all below it, and kept in the model's unread list.
    std::optional<NodeIndex> AddNodeOf(NodeIndex parent, const std::string& name,
                                       const std::string& image);
    // The record of a resolved document, or, when its file name cannot be read, a record that
    // holds only Depth and Quantity so that node k still finds record k. Returns the file name.
    std::string AppendRecord(Document* document, std::int16_t depth,
                             const std::shared_ptr<Matrix>& matrix, ComponentKind kind,
                             std::int32_t useStructure, bool countInEntries);
    void AppendVirtualRecord(Occurrence& occurrence, ComponentDefinition& definition,
                             const std::string& occurrenceName, std::int16_t depth,
                             std::int32_t useStructure);
    // Keeps node k beside record k; the record is neither counted nor exported.
    void AppendSuppressedRecord(std::int16_t depth);
    void CountPresent(const std::shared_ptr<clsFileData>& record);
    // The fields read for `key` (a file, or a virtual component), once per load: every use shows
    // the same definition, and a large assembly uses a few files thousands of times.
    template <class Fill> const clsFileData& FieldsOnce(const std::string& key, Fill fill);
    static void CopyFields(clsFileData& record, const clsFileData& fields);

    BomModel& model_;
    ComponentTree& tree_;
    Server& server_;
    FirstRead firstRead_;
    // Folded file names of the documents whose occurrences are being walked, to refuse descending
    // into a document among its own ancestors.
    std::unordered_multiset<std::string> ancestors_;
    // The fields of each file read so far, by folded file name.
    std::unordered_map<std::string, clsFileData> fieldsOf_;
};

} // namespace pw::model
