#include "ComponentWalk.h"

#include "VirtualKey.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"
#include "shared/core/Step.h"

namespace pw::model {
namespace {

const std::string kSummaryInformation = "{F29F85E0-4FF9-1068-AB91-08002B27B3D9}";
const std::string kDesignTracking = "Design Tracking Properties";
const std::string kModelInformation = "Model Information";
const std::string kErrorName = "<Error>";

// Design Tracking's stored mass (grams) and the flags saying which stored mass properties are
// up to date; the lowest flag is the mass's.
constexpr std::int32_t kMassId = 58;
constexpr std::int32_t kValidMassPropsId = 62;
constexpr std::int32_t kMassValid = 1;

// Reads one property of a document or of a virtual component's definition into `field` as a
// step of its own; a property the source lacks leaves the field as it was.
template <class Source, class Field, class Convert>
void ReadProperty(Source& source, const std::string& set, std::int32_t id, Field& field,
                  Convert convert) {
    RunStep([&] {
        if (const auto value = source.PropertyValue(set, id)) {
            field = convert(*value);
        }
    });
}

Value AsIs(const Value& value) {
    return value;
}

bool IsMassValid(const std::optional<Value>& flags, const Value& mass) {
    const auto* bits = flags ? std::get_if<std::int32_t>(&*flags) : nullptr;
    const auto* grams = std::get_if<double>(&mass);
    const auto* wholeGrams = std::get_if<std::int32_t>(&mass);
    const bool notNegative = (grams && *grams >= 0) || (wholeGrams && *wholeGrams >= 0);
    return bits && (*bits & kMassValid) != 0 && notNegative;
}

// The weight: "Model Information"'s two factors where a file has either; else the mass Inventor
// stored when it last computed it, unless it marked it out of date since.
template <class Source> void ReadWeight(Source& source, clsFileData& record) {
    bool modelInformation = false;
    const auto factor = [&](std::int32_t id, auto take) {
        RunStep([&] {
            if (const auto value = source.PropertyValue(kModelInformation, id)) {
                modelInformation = true;
                record.Weight = take(*value);
            }
        });
    };
    factor(2, AsIs);
    factor(3, [&](const Value& volume) { return Multiply(record.Weight, volume); });
    if (modelInformation) {
        return;
    }
    RunStep([&] {
        const auto mass = source.PropertyValue(kDesignTracking, kMassId);
        if (!mass) {
            return;
        }
        if (IsMassValid(source.PropertyValue(kDesignTracking, kValidMassPropsId), *mass)) {
            record.Weight = *mass;
        } else {
            record.MassOutOfDate = true;
        }
    });
}

// The fields after the file name; each read is a step of its own.
template <class Source>
void FillProperties(clsFileData& record, Source& source,
                    const std::vector<PropertyRequest>& extra) {
    ReadProperty(source, kSummaryInformation, 4, record.Author, ValueText);
    ReadProperty(source, kSummaryInformation, 9, record.Revision, AsIs);
    ReadProperty(source, kDesignTracking, 36, record.Cost, AsIs);
    ReadProperty(source, kDesignTracking, 41, record.Designer, ValueText);
    ReadProperty(source, kDesignTracking, 40, record.Status, AsIs);
    ReadProperty(source, kDesignTracking, 20, record.Material, ValueText);
    ReadWeight(source, record);
    ReadProperty(source, kDesignTracking, 5, record.Partnumber, AsIs);
    ReadProperty(source, kDesignTracking, 29, record.Description, ValueText);
    record.Extra.assign(extra.size(), Value{});
    for (std::size_t i = 0; i < extra.size(); ++i) {
        const PropertyRequest& request = extra[i];
        if (request.id) {
            ReadProperty(source, request.set, *request.id, record.Extra[i], AsIs);
        } else {
            RunStep([&] {
                if (const auto value = source.NamedPropertyValue(request.set, request.name)) {
                    record.Extra[i] = *value;
                }
            });
        }
    }
}

void FillFields(clsFileData& record, Document& document, const std::vector<PropertyRequest>& extra,
                bool readStructure) {
    FillProperties(record, document, extra);
    std::shared_ptr<ComponentDefinition> definition;
    RunStep([&] { definition = document.ComponentDefinition(); });
    if (definition) {
        RunStep([&] { record.Adaptive = definition->Document()->Adaptive(); });
        if (readStructure) {
            RunStep([&] { record.BOMStructure = definition->BOMStructure(); });
        }
        RunStep([&] { record.PerItem = UnitQuantityOf(definition->BOMQuantity()); });
    }
}

// A use's own BOM structure replaces its definition's unless it is the default.
std::int32_t Effective(std::int32_t useStructure, std::int32_t definitionStructure) {
    return useStructure == 0 || useStructure == kDefaultBOMStructure ? definitionStructure
                                                                     : useStructure;
}

// "Grease:2" names a use of "Grease".
std::string DefinitionNameOf(const std::string& occurrenceName) {
    const auto colon = occurrenceName.rfind(':');
    return colon == std::string::npos ? occurrenceName : occurrenceName.substr(0, colon);
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

ComponentWalk::ComponentWalk(BomModel& model, ComponentTree& tree, Server& server,
                             FirstRead firstRead)
    : model_(model), tree_(tree), server_(server), firstRead_(std::move(firstRead)) {}

void ComponentWalk::AddTopAssyNode(Document& IVDoc, NodeIndex top) {
    std::shared_ptr<Matrix> matrix;
    RunStep([&] { matrix = server_.NewMatrix(); });
    AppendRecord(&IVDoc, 1, matrix, ComponentKind::Other, 0, false);
    model_.Nodes.Link(top, model_.FileData.Count());
}

std::string ComponentWalk::AppendRecord(Document* document, std::int16_t depth,
                                        const std::shared_ptr<Matrix>& matrix, ComponentKind kind,
                                        std::int32_t useStructure, bool countInEntries) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = depth;
    record->Quantity = 1;
    record->Kind = kind;
    const ResultCode nameCode =
        document ? RunStep([&] { record->FileName = document->FullFileName(); }) : kEFail;
    if (nameCode == kOk) {
        CopyFields(*record, FieldsOnce(record->FileName, [&](clsFileData& fields) {
            FillFields(fields, *document, model_.ExtraProperties, model_.ReadBomStructures);
            if (firstRead_) {
                RunStep([&] { firstRead_(record->FileName, *document); });
            }
        }));
        record->BOMStructure = Effective(useStructure, record->BOMStructure);
        record->TransMat = matrix;
        if (countInEntries) {
            // An overflowing count must not cost the record its place beside its node.
            RunStep([&] { CountPresent(record); });
        }
    }
    model_.FileData.Add(record);
    return nameCode == kOk ? record->FileName : std::string();
}

void ComponentWalk::AppendVirtualRecord(Occurrence& occurrence, ComponentDefinition& definition,
                                        const std::string& occurrenceName, std::int16_t depth,
                                        std::int32_t useStructure) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = depth;
    record->Quantity = 1;
    record->Kind = ComponentKind::Virtual;
    std::string assembly;
    RunStep([&] { assembly = definition.Document()->FullFileName(); });
    std::string name = DefinitionNameOf(occurrenceName);
    RunStep([&] { name = definition.DisplayName(); });
    record->FileName = VirtualKey(assembly, name);
    CopyFields(*record, FieldsOnce(record->FileName, [&](clsFileData& fields) {
        FillProperties(fields, definition, model_.ExtraProperties);
        if (model_.ReadBomStructures) {
            RunStep([&] { fields.BOMStructure = definition.BOMStructure(); });
        }
        RunStep([&] { fields.PerItem = UnitQuantityOf(definition.BOMQuantity()); });
    }));
    record->BOMStructure = Effective(useStructure, record->BOMStructure);
    RunStep([&] { record->TransMat = occurrence.Transformation(); });
    RunStep([&] { CountPresent(record); });
    model_.FileData.Add(record);
}

void ComponentWalk::AppendSuppressedRecord(std::int16_t depth) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = depth;
    record->Kind = ComponentKind::Suppressed;
    model_.FileData.Add(record);
}

template <class Fill>
const clsFileData& ComponentWalk::FieldsOnce(const std::string& key, Fill fill) {
    const auto [known, added] = fieldsOf_.try_emplace(FoldCase(key));
    if (added) {
        fill(known->second);
    }
    return known->second;
}

void ComponentWalk::CopyFields(clsFileData& record, const clsFileData& fields) {
    record.Author = fields.Author;
    record.Revision = fields.Revision;
    record.Cost = fields.Cost;
    record.Designer = fields.Designer;
    record.Status = fields.Status;
    record.Material = fields.Material;
    record.Weight = fields.Weight;
    record.MassOutOfDate = fields.MassOutOfDate;
    record.Partnumber = fields.Partnumber;
    record.Description = fields.Description;
    record.Adaptive = fields.Adaptive;
    record.BOMStructure = fields.BOMStructure;
    record.PerItem = fields.PerItem;
    record.Extra = fields.Extra;
}

void ComponentWalk::CountPresent(const std::shared_ptr<clsFileData>& record) {
    if (!model_.Dupes.CountUse(record->FileName, record->Kind == ComponentKind::Virtual)) {
        record->Quantity = 0;
    }
}

std::optional<NodeIndex> ComponentWalk::AddNodeOf(NodeIndex parent, const std::string& name,
                                                  const std::string& image) {
    NodeIndex node = kNoParent;
    std::string why;
    if (RunStep([&] { node = tree_.AddNode(parent, name, image); }, why) != kOk) {
        model_.Unread.push_back(name + " (not shown in the tree: " + why + ")");
        return std::nullopt;
    }
    return node;
}

void ComponentWalk::AddErrorNode(const std::string& InvComponent, std::int16_t Depth) {
    auto record = std::make_shared<clsFileData>();
    record->Depth = Depth;
    record->Quantity = 1;
    record->FileName = "<" + InvComponent + ">";
    record->Partnumber = record->FileName;
    record->Description = "File Missing";
    record->Author = "Unknown";
    record->Kind = ComponentKind::Missing;
    RunStep([&] {
        if (!model_.Dupes.CountMissing(record->FileName)) {
            record->Quantity = 0;
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

namespace {

// A node shows the first record made after it, if one was: a record is made only for the
// occurrence the node was added for, before any of its components are walked.
class ShownRecord {
public:
    explicit ShownRecord(BomModel& model) : model_(model), before_(model.FileData.Count()) {}
    ~ShownRecord() {
        if (node_ != kNoParent && model_.FileData.Count() > before_) {
            model_.Nodes.Link(node_, before_ + 1);
        }
    }
    ShownRecord(const ShownRecord&) = delete;
    ShownRecord& operator=(const ShownRecord&) = delete;
    // The node added, or none; handed back.
    std::optional<NodeIndex> Shows(std::optional<NodeIndex> node) {
        node_ = node.value_or(kNoParent);
        return node;
    }

private:
    BomModel& model_;
    std::int32_t before_;
    NodeIndex node_ = kNoParent;
};

} // namespace

void ComponentWalk::WalkOne(std::vector<Frame>& frames,
                            const std::shared_ptr<Occurrence>& occurrence) {
    ShownRecord shown(model_);
    const NodeIndex parent = frames.back().parent;
    const std::int16_t depth = frames.back().depth;
    auto& counts = model_.Counts;

    std::string name;
    const ResultCode nameCode = RunStep([&] { name = occurrence->Name(); });
    if (nameCode != kOk) {
        name = kErrorName;
    }
    std::shared_ptr<ComponentDefinition> definition;
    std::shared_ptr<Document> document;
    bool isVirtual = false;
    std::int32_t type = 0;
    const ResultCode typeCode = RunStep([&] {
        definition = occurrence->Definition();
        RunStep([&] { isVirtual = definition->Type() == kVirtualComponentDefinition; });
        if (!isVirtual) {
            document = definition->Document();
            type = document->DocumentType();
        }
    });
    // A suppressed use fails when its definition is read, as a missing file does: asked only
    // then, as most uses are neither.
    bool suppressed = false;
    if (typeCode != kOk) {
        RunStep([&] { suppressed = occurrence->Suppressed(); });
    }
    if (suppressed) {
        if (const auto node = shown.Shows(AddNodeOf(parent, name, "Part"))) {
            RunStep([&] { tree_.SetNodeColor(*node, kSuppressedColor); });
            AppendSuppressedRecord(depth);
        }
        return;
    }
    std::int32_t useStructure = kDefaultBOMStructure;
    if (model_.ReadBomStructures) {
        RunStep([&] { useStructure = occurrence->BOMStructure(); });
    }

    if (isVirtual) {
        // Its Document is the assembly that holds it: counted as a part of its own, never as a
        // use of that assembly, and it has nothing below it.
        const auto node = shown.Shows(AddNodeOf(parent, name, "Part"));
        if (!node) {
            return;
        }
        RunStep([&] { counts.PartCount = checked::Add(counts.PartCount, 1); });
        RunStep([&] { AppendVirtualRecord(*occurrence, *definition, name, depth, useStructure); });
        // Its depth counts as a part's does.
        RunStep([&] { EnterList(frames, {}, *node, depth, {}); });
        return;
    }

    const Classified kind = Classify(typeCode, type, nameCode);
    const auto added = shown.Shows(AddNodeOf(parent, name, kind.image));
    if (!added) {
        return;
    }
    const NodeIndex node = *added;

    if (kind.missing) {
        RunStep([&] { counts.MissingCount = checked::Add(counts.MissingCount, 1); });
        RunStep([&] { AddErrorNode(name, depth); });
        RunStep([&] { tree_.SetNodeColor(node, kMissingColor); });
        return;
    }
    ComponentKind recordKind = ComponentKind::Other;
    if (kind.countedType == kAssemblyDocument) {
        recordKind = ComponentKind::Assembly;
        RunStep([&] { counts.AssyCount = checked::Add(counts.AssyCount, 1); });
    } else if (kind.countedType == kPartDocument) {
        recordKind = ComponentKind::Part;
        RunStep([&] { counts.PartCount = checked::Add(counts.PartCount, 1); });
    }

    std::string fileName;
    RunStep([&] {
        std::shared_ptr<Matrix> matrix;
        if (document) {
            RunStep([&] { matrix = occurrence->Transformation(); });
        }
        fileName = AppendRecord(document.get(), depth, matrix, recordKind, useStructure, true);
    });

    OccurrenceItems children;
    std::string why;
    if (RunStep([&] { children = occurrence->SubOccurrences()->Items(); }, why) != kOk) {
        // A part has an empty list; an assembly whose list cannot be read loses its sub-tree,
        // which the user must learn of.
        if (recordKind != ComponentKind::Part) {
            model_.Unread.push_back("the components of " + name + ": " + why);
            RunStep([&] { tree_.SetNodeColor(node, kUnreadColor); });
        }
        return;
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
