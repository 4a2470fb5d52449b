#include "BomComparison.h"

#include "PartNumberKey.h"
#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>
#include <utility>

namespace pw::model {
namespace {

// The file's name without its folder; a missing component's name ("<Gasket:1>") as it is.
std::string FileNameOf(const clsFileData& record) {
    if (record.Kind == ComponentKind::Missing) {
        return record.FileName;
    }
    const auto slash = record.FileName.find_last_of("\\/");
    return slash == std::string::npos ? record.FileName : record.FileName.substr(slash + 1);
}

// A revision's Summary BOM by key: the files under each key and their total quantity.
struct Entry {
    std::string shownKey;
    std::vector<const clsFileData*> records;
    std::int64_t quantity = 0;
};

std::map<std::string, Entry> EntriesOf(const BomModel& model) {
    std::map<std::string, Entry> entries;
    bool top = true;
    for (const auto& record : model.FileData) {
        // The top assembly is what is compared, not a part of it.
        if (std::exchange(top, false)) {
            continue;
        }
        if (record->Quantity < 1 || record->FileName.empty()) { // not the first use of its file
            continue;
        }
        std::string shown =
            record->Kind == ComponentKind::Missing ? std::string() : ValueText(record->Partnumber);
        const bool byPartNumber = !shown.empty();
        if (!byPartNumber) {
            shown = FileNameOf(*record);
        }
        Entry& entry = entries[(byPartNumber ? "#" : "@") + FoldCase(shown)];
        entry.shownKey = shown;
        entry.records.push_back(record.get());
        if (const auto counted = model.Dupes.Find(record->FileName)) {
            entry.quantity += std::abs(std::int64_t{counted->Quantity});
        }
    }
    return entries;
}

struct Field {
    std::string name;
    std::function<Value(const clsFileData&)> read;
};

std::vector<Field> FieldsOf(const BomModel& model, const ComparisonOptions& options) {
    std::vector<Field> fields = {
        {"Partnumber", [](const clsFileData& r) { return r.Partnumber; }},
        {"Revision", [](const clsFileData& r) { return r.Revision; }},
        {"Description", [](const clsFileData& r) { return Value{r.Description}; }},
        {"Author", [](const clsFileData& r) { return Value{r.Author}; }},
        {"Designer", [](const clsFileData& r) { return Value{r.Designer}; }},
        {"Cost", [](const clsFileData& r) { return r.Cost; }},
        {"Status", [](const clsFileData& r) { return r.Status; }},
        {"Material", [](const clsFileData& r) { return Value{r.Material}; }},
        {"Filename", [](const clsFileData& r) { return Value{FileNameOf(r)}; }},
    };
    if (options.bomStructure) {
        fields.push_back({"BOM Structure", [](const clsFileData& r) {
                              return Value{std::int32_t{r.BOMStructure}};
                          }});
    }
    for (std::size_t i = 0; i < model.ExtraProperties.size(); ++i) {
        fields.push_back({model.ExtraProperties[i].name, [i](const clsFileData& r) {
                              return i < r.Extra.size() ? r.Extra[i] : Value{};
                          }});
    }
    return fields;
}

// The field's value for the key: the files' common value, or "*Varies*" when merged files
// disagree.
Value FieldValue(const Entry& entry, const Field& field) {
    const Value first = field.read(*entry.records.front());
    for (std::size_t i = 1; i < entry.records.size(); ++i) {
        if (field.read(*entry.records[i]) != first) {
            return Value{std::string(kVaries)};
        }
    }
    return first;
}

Value FilesText(const Entry* entry) {
    const auto count = entry ? static_cast<std::int64_t>(entry->records.size()) : 0;
    return Value{CountedText(count, "file", "files")};
}

} // namespace

std::vector<BomChange> CompareBoms(const BomModel& older, const BomModel& newer,
                                   const ComparisonOptions& options) {
    const std::map<std::string, Entry> before = EntriesOf(older);
    const std::map<std::string, Entry> after = EntriesOf(newer);
    const std::vector<Field> fields = FieldsOf(newer, options);
    std::vector<BomChange> changes;
    const auto quantity = [](std::int64_t count) {
        return count <= INT32_MAX ? Value{static_cast<std::int32_t>(count)}
                                  : Value{static_cast<double>(count)};
    };
    std::vector<std::string> keys;
    for (const auto& [key, entry] : before) {
        keys.push_back(key);
    }
    for (const auto& [key, entry] : after) {
        if (!before.contains(key)) {
            keys.push_back(key);
        }
    }
    for (const std::string& key : keys) {
        const auto was = before.find(key);
        const auto is = after.find(key);
        const Entry* old = was == before.end() ? nullptr : &was->second;
        const Entry* now = is == after.end() ? nullptr : &is->second;
        const Entry& shown = now ? *now : *old;
        const clsFileData* record = shown.records.front();
        if (!options.mergePartNumbers &&
            ((old && old->records.size() > 1) || (now && now->records.size() > 1))) {
            changes.push_back({ChangeKind::Ambiguous, "Ambiguous", shown.shownKey, FilesText(old),
                               FilesText(now), std::nullopt, record});
            continue;
        }
        if (!old) {
            changes.push_back({ChangeKind::Added, "Added", now->shownKey, Value{},
                               quantity(now->quantity), now->quantity, record});
            continue;
        }
        if (!now) {
            changes.push_back({ChangeKind::Removed, "Removed", old->shownKey,
                               quantity(old->quantity), Value{}, -old->quantity, record});
            continue;
        }
        if (old->quantity != now->quantity) {
            changes.push_back({ChangeKind::Quantity, "Quantity", now->shownKey,
                               quantity(old->quantity), quantity(now->quantity),
                               now->quantity - old->quantity, record});
        }
        for (const Field& field : fields) {
            Value oldField = FieldValue(*old, field);
            Value newField = FieldValue(*now, field);
            if (oldField != newField) {
                changes.push_back({ChangeKind::Field, field.name, now->shownKey,
                                   std::move(oldField), std::move(newField), std::nullopt, record});
            }
        }
    }
    // By kind, then key; a key's fields keep their order.
    std::stable_sort(changes.begin(), changes.end(), [](const BomChange& a, const BomChange& b) {
        if (a.kind != b.kind) {
            return a.kind < b.kind;
        }
        return FoldCase(a.key) < FoldCase(b.key);
    });
    return changes;
}

std::string ChangeSummary(const std::vector<BomChange>& changes) {
    std::int64_t counts[5] = {};
    for (const BomChange& change : changes) {
        ++counts[static_cast<int>(change.kind)];
    }
    std::string text = IntegerText(counts[0]) + " added, " + IntegerText(counts[1]) + " removed, " +
                       CountedText(counts[2], "quantity", "quantities") + ", " +
                       CountedText(counts[3], "field", "fields") + " changed";
    if (counts[4] > 0) {
        text += ", " + CountedText(counts[4], "ambiguous key", "ambiguous keys");
    }
    return text;
}

} // namespace pw::model
