#include "ComponentWalk.h"

#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"
#include "shared/core/Step.h"

namespace pw::model {
namespace {

const std::string kSummaryInformation = "{F29F85E0-4FF9-1068-AB91-08002B27B3D9}";
const std::string kDesignTracking = "Design Tracking Properties";
const std::string kModelInformation = "Model Information";
const std::string kErrorName = "<Error>";

// Reads one property into `field` as a step of its own; a property the document lacks leaves the
// field as it was.
template <class Field, class Convert>
void ReadProperty(Document& document, const std::string& set, std::int32_t id, Field& field,
                  Convert convert) {
    RunStep([&] {
        if (const auto value = document.PropertyValue(set, id)) {
            field = convert(*value);
        }
    });
}

Value AsIs(const Value& value) {
    return value;
}

// The fields after the file name; each read is a step of its own.
void FillFields(clsFileData& record, Document& document) {
    ReadProperty(document, kSummaryInformation, 4, record.Author, ValueText);
    ReadProperty(document, kSummaryInformation, 9, record.Revision, AsIs);
    ReadProperty(document, kDesignTracking, 36, record.Cost, AsIs);
    ReadProperty(document, kDesignTracking, 41, record.Designer, ValueText);
    ReadProperty(document, kDesignTracking, 40, record.Status, AsIs);
    ReadProperty(document, kDesignTracking, 20, record.Material, ValueText);
    ReadProperty(document, kModelInformation, 2, record.Weight, AsIs);
    ReadProperty(document, kModelInformation, 3, record.Weight,
                 [&](const Value& volume) { return Multiply(record.Weight, volume); });
    ReadProperty(document, kDesignTracking, 5, record.Partnumber, AsIs);
    ReadProperty(document, kDesignTracking, 29, record.Description, ValueText);
    RunStep([&] { record.Adaptive = document.ComponentDefinition()->Document()->Adaptive(); });
}

struct Classified {
    std::string image;
    bool missing = false;
    std::int32_t countedType = 0; // the document type whose counter it raises, or 0
};

// E_FAIL from the type read or the name read means the component's file cannot be reached.
// A missing component's kind is shown when its type could still be read; otherwise, and for
// any occurrence of unknown type, it shows as a part.
Classified Classify(ResultCode typeCode, std::int32_t type, ResultCode nameCode) {
    const bool missing = typeCode == kEFail || nameCode == kEFail;
    const bool known = typeCode == kOk;
    if (missing) {
        return {known && type == kAssemblyDocument ? "NoAssembly" : "NoPart", true, 0};
    }
    if (known && type == kAssemblyDocument) {
        return {"Assembly", false, type};
    }
    if (known && type == kPartDocument) {
        return {"Part", false, type};
    }
    return {"NoPart", false, 0};
}

} // namespace

struct ComponentWalk::Frame {
    OccurrenceItems items;
    std::size_t next = 0;
    NodeIndex parent = kNoParent;
    std::int16_t depth = 0; // of the items
    std::string ownerKey;   // folded file name of the document owning the items
};

ComponentWalk::ComponentWalk(BomModel& model, TreePort& tree, Server& server)
    : model_(model), tree_(tree), server_(server) {}

void ComponentWalk::AddTopAssyNode(Document& IVDoc) {
    std::shared_ptr<Matrix> matrix;
    RunStep([&] { matrix = server_.NewMatrix(); });
    AppendRecord(&IVDoc, 1, matrix, false);
}

std::string ComponentWalk::AppendOccurrenceRecord(Occurrence& occurrence, std::int16_t depth) {
    std::shared_ptr<Document> document;
    RunStep([&] { document = occurrence.Definition()->Document(); });
    std::shared_ptr<Matrix> matrix;
    if (document) {
        RunStep([&] { matrix = occurrence.Transformation(); });
    }
    return AppendRecord(document.get(), depth, matrix, true);
}

std::string ComponentWalk::AppendRecord(Document* document, std::int16_t depth,
                                        const std::shared_ptr<Matrix>& matrix,
                                        bool countInEntries) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = depth;
    record->Quantity = 1;
    const ResultCode nameCode =
        document ? RunStep([&] { record->FileName = document->FullFileName(); }) : kEFail;
    if (nameCode == kOk) {
        FillFieldsOnce(*record, *document);
        record->TransMat = matrix;
        if (countInEntries) {
            // An overflowing count must not cost the record its place beside its node.
            RunStep([&] { CountPresent(record); });
        }
    }
    model_.FileData.Add(record);
    return nameCode == kOk ? record->FileName : std::string();
}

void ComponentWalk::FillFieldsOnce(clsFileData& record, Document& document) {
    const auto [known, added] = fieldsOf_.try_emplace(FoldCase(record.FileName));
    clsFileData& fields = known->second;
    if (added) {
        FillFields(fields, document);
    }
    record.Author = fields.Author;
    record.Revision = fields.Revision;
    record.Cost = fields.Cost;
    record.Designer = fields.Designer;
    record.Status = fields.Status;
    record.Material = fields.Material;
    record.Weight = fields.Weight;
    record.Partnumber = fields.Partnumber;
    record.Description = fields.Description;
    record.Adaptive = fields.Adaptive;
}

void ComponentWalk::CountPresent(const std::shared_ptr<clsFileData>& record) {
    if (const auto entry = model_.Dupes.Find(record->FileName)) {
        entry->Quantity = checked::Add<std::int16_t>(entry->Quantity, 1);
        record->Quantity = 0;
        return;
    }
    model_.Dupes.Add(std::make_shared<clsDupe>(clsDupe{record->FileName, 1}), record->FileName);
}

void ComponentWalk::AddErrorNode(const std::string& InvComponent, std::int16_t Depth) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = Depth;
    record->Quantity = 1;
    record->FileName = "<" + InvComponent + ">";
    record->Partnumber = record->FileName;
    record->Description = "File Missing";
    record->Author = "Unknown";
    RunStep([&] {
        if (const auto entry = model_.Dupes.Find(record->FileName)) {
            entry->Quantity = checked::Sub<std::int16_t>(entry->Quantity, 1);
            if (entry->Quantity < 0) {
                record->Quantity = 0;
            }
        } else {
            model_.Dupes.Add(std::make_shared<clsDupe>(clsDupe{record->FileName, -1}),
                             record->FileName);
        }
    });
    model_.FileData.Add(record);
}

// Walks depth first with a stack of its own, so that deep (or damaged, self-referencing)
// assemblies cannot exhaust the thread's stack.
void ComponentWalk::WalkOccurrences(const OccurrenceItems& list, NodeIndex parent,
                                    std::int16_t depth) {
    std::vector<Frame> frames;
    std::string ownerKey;
    if (const auto top = model_.FileData.Item(1); top && !top->FileName.empty()) {
        ownerKey = FoldCase(top->FileName);
    }
    EnterList(frames, list, parent, depth, std::move(ownerKey));
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == frame.items.size()) {
            LeaveList(frames);
            continue;
        }
        const std::shared_ptr<Occurrence> occurrence = frame.items[frame.next++];
        WalkOne(frames, occurrence);
    }
}

void ComponentWalk::EnterList(std::vector<Frame>& frames, OccurrenceItems items, NodeIndex parent,
                              std::int16_t depth, std::string ownerKey) {
    auto& counts = model_.Counts;
    if (counts.MaxIndent < depth) {
        counts.MaxIndent = depth;
    }
    if (items.empty()) {
        return; // a part, or an assembly without components: nothing to walk
    }
    const std::int16_t itemDepth = checked::Add<std::int16_t>(depth, 1);
    ancestors_.insert(ownerKey);
    frames.push_back(Frame{std::move(items), 0, parent, itemDepth, std::move(ownerKey)});
}

void ComponentWalk::LeaveList(std::vector<Frame>& frames) {
    ancestors_.erase(ancestors_.find(frames.back().ownerKey));
    frames.pop_back();
}

void ComponentWalk::WalkOne(std::vector<Frame>& frames,
                            const std::shared_ptr<Occurrence>& occurrence) {
    const NodeIndex parent = frames.back().parent;
    const std::int16_t depth = frames.back().depth;
    auto& counts = model_.Counts;

    std::int32_t type = 0;
    const ResultCode typeCode =
        RunStep([&] { type = occurrence->Definition()->Document()->DocumentType(); });
    std::string name;
    const ResultCode nameCode = RunStep([&] { name = occurrence->Name(); });
    if (nameCode != kOk) {
        name = kErrorName;
    }
    const Classified kind = Classify(typeCode, type, nameCode);

    NodeIndex node = kNoParent;
    if (RunStep([&] { node = tree_.AddNode(parent, name, kind.image); }) != kOk) {
        return; // without its node the occurrence would shift every later node's record
    }

    if (kind.missing) {
        RunStep([&] { counts.MissingCount = checked::Add(counts.MissingCount, 1); });
        RunStep([&] { AddErrorNode(name, depth); });
        RunStep([&] { tree_.SetNodeColor(node, kMissingColor); });
        return;
    }
    if (kind.countedType == kAssemblyDocument) {
        RunStep([&] { counts.AssyCount = checked::Add(counts.AssyCount, 1); });
    } else if (kind.countedType == kPartDocument) {
        RunStep([&] { counts.PartCount = checked::Add(counts.PartCount, 1); });
    }

    std::string fileName;
    RunStep([&] { fileName = AppendOccurrenceRecord(*occurrence, depth); });

    OccurrenceItems children;
    if (RunStep([&] { children = occurrence->SubOccurrences()->Items(); }) != kOk) {
        return; // the occurrence simply has no children
    }
    std::string key;
    if (!children.empty()) {
        key = FoldCase(fileName);
        if (!fileName.empty() && ancestors_.contains(key)) {
            // Its own ancestor: walking it again would never end. It keeps its node and record.
            children.clear();
        }
    }
    RunStep([&] { EnterList(frames, std::move(children), node, depth, std::move(key)); });
}

} // namespace pw::model
