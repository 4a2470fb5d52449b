#include "BomComparison.h"

#include "BomRules.h"
#include "PartNumberKey.h"
#include "VirtualKey.h"
#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <unordered_map>
#include <utility>

namespace pw::model {
namespace {

// The file's name without its folder; a virtual component has no file.
std::string FileNameOf(const clsFileData& record) {
    if (record.Kind == ComponentKind::Virtual) {
        return {};
    }
    const auto slash = record.FileName.find_last_of("\\/");
    return slash == std::string::npos ? record.FileName : record.FileName.substr(slash + 1);
}

// What a row is known by in both revisions, and how it is shown. A part number as typed, as
// Inventor's BOM merges them; without one, a file by its path below the top assembly's folder
// (two revisions side by side share their parts' folders, and two files of one name in two
// folders stay two), a virtual component by its name, and a missing component by its name
// without the occurrence's number.
struct RowKey {
    std::string key;
    std::string shown;
};

RowKey KeyOf(const clsFileData& record, const std::string& topFolder) {
    if (record.Kind == ComponentKind::Missing) {
        const std::string name = record.FileName.substr(1, record.FileName.size() - 2);
        const auto colon = name.rfind(':');
        const std::string component = colon == std::string::npos ? name : name.substr(0, colon);
        return {"!" + FoldCase(component), "<" + component + ">"};
    }
    if (std::string partNumber = ValueText(record.Partnumber); !partNumber.empty()) {
        return {"#" + partNumber, partNumber};
    }
    if (record.Kind == ComponentKind::Virtual) {
        const std::string name = VirtualNameOf(record.FileName);
        return {"~" + name, name};
    }
    const std::string path = PathBelow(record.FileName, topFolder);
    return {"@" + FoldCase(path), path};
}

// A revision's Summary BOM by key: the files under each key and their total quantity.
struct Entry {
    std::string shownKey;
    std::vector<const clsFileData*> records;
    std::int64_t quantity = 0;
    // Items times what one item counts for, in `unit`; nothing where the key's files count in
    // different units or in one Partwright cannot convert.
    std::optional<double> total = 0.0;
    std::string unit;
    bool inBaseUnits = false; // counted in a length, an area, a volume or a mass
};

void AddToTotal(Entry& entry, const UnitQuantity& perItem, std::int64_t items) {
    if (entry.records.size() == 1) {
        entry.unit = perItem.unit;
    }
    entry.inBaseUnits = entry.inBaseUnits || !perItem.each;
    if (entry.total && perItem.value && perItem.unit == entry.unit) {
        *entry.total += static_cast<double>(items) * *perItem.value;
    } else {
        entry.total.reset();
    }
}

Value TotalText(const Entry& entry) {
    return entry.total ? Value{ValueText(Value{*entry.total}) + " " + entry.unit} : Value{};
}

std::map<std::string, Entry> EntriesOf(const BomModel& model) {
    std::map<std::string, Entry> entries;
    const std::string topFolder = TopFolder(model);
    bool first = true;
    for (const auto& record : model.FileData) {
        // The top assembly is what is compared, not a part of it.
        if (std::exchange(first, false)) {
            continue;
        }
        if (record->Quantity < 1 || record->FileName.empty()) { // not the first use of its file
            continue;
        }
        const RowKey key = KeyOf(*record, topFolder);
        Entry& entry = entries[key.key];
        entry.shownKey = key.shown;
        entry.records.push_back(record.get());
        if (const auto counted = model.Dupes.Find(record->FileName)) {
            const std::int64_t items = std::abs(std::int64_t{counted->Quantity});
            entry.quantity += items;
            AddToTotal(entry, record->PerItem, items);
        }
    }
    // The occurrences of one missing file are one row, however many names they have.
    for (auto& [key, entry] : entries) {
        if (key.front() == '!') {
            entry.records.resize(1);
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
                              return Value{BomStructureText(r.BOMStructure)};
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
    const std::span<const clsFileData* const> records(entry.records);
    return Agreed(*records.front(), records.subspan(1), field.read)
        .value_or(Value{std::string(kVaries)});
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
        // A tube cut longer changes what is bought, though its count stays.
        if ((old->inBaseUnits || now->inBaseUnits) && TotalText(*old) != TotalText(*now)) {
            changes.push_back({ChangeKind::Quantity, "Total QTY", now->shownKey, TotalText(*old),
                               TotalText(*now), std::nullopt, record});
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
    // By kind, then key as read (part numbers that differ only in case side by side); a key's
    // fields keep their order.
    std::stable_sort(changes.begin(), changes.end(), [](const BomChange& a, const BomChange& b) {
        if (a.kind != b.kind) {
            return a.kind < b.kind;
        }
        const std::string foldedA = FoldCase(a.key);
        const std::string foldedB = FoldCase(b.key);
        return foldedA != foldedB ? foldedA < foldedB : a.key < b.key;
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
