#include "BatchExport.h"

#include "BomWorkbook.h"
#include "ComparisonWorkbook.h"
#include "LoadMessages.h"
#include "ParentChildWorkbook.h"
#include "PathNames.h"
#include "partwright/export/CellText.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/model/BomComparison.h"
#include "partwright/model/BomRules.h"
#include "partwright/workbook/SheetCsv.h"
#include "partwright/workbook/WorkbookXlsx.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"
#include "shared/core/NumberText.h"
#include "shared/core/OneLine.h"
#include "shared/core/Utf16Units.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>

namespace pw::batch {
namespace {

using Clock = std::chrono::steady_clock;

// The most characters a file's name may have in a folder of Windows.
constexpr std::size_t kLongestFileName = 255;

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           EqualsIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

} // namespace

BatchExport::BatchExport(const BatchOptions& options, inventor::ServerFactory& servers,
                         OutputFiles& files, std::function<void(const std::string&)> report,
                         PictureReader* pictures)
    : options_(options), servers_(servers, options.project), files_(files),
      report_(std::move(report)), pictures_(pictures) {}

void BatchExport::ReportProject() {
    if (const auto& used = servers_.Used()) {
        report_("Project: " + model::ProjectText(*used));
    }
}

int BatchExport::Run() {
    if (!ProjectUsable(servers_, options_.project, report_)) {
        return kSomeFailed;
    }
    if (options_.compare) {
        return Compare();
    }
    const auto start = Clock::now();
    std::set<std::string> given;
    for (const std::string& assembly : options_.assemblies) {
        if (!given.insert(files_.SameFileKey(assembly)).second) {
            // Named twice (or matched by two patterns): the one workbook is all that is wanted.
            report_(NameOf(assembly) + ": given twice; the second is left out");
            continue;
        }
        if (serverGone_) {
            ++tally_.notLoaded;
            continue;
        }
        try {
            ExportOne(assembly);
        } catch (const std::exception& failure) {
            // Whatever stopped this assembly is its own: said in its line, and the run goes on.
            ++tally_.notLoaded;
            report_(NameOf(assembly) + ": not exported: " + failure.what());
        }
    }
    tally_.given = static_cast<std::int64_t>(given.size());
    if (options_.worker) {
        report_(TallyLine(tally_, servers_.Used()));
    } else {
        ReportProject();
        report_(SummaryLine(tally_, SecondsSince(start)));
    }
    return Failed(tally_, options_.strict) ? kSomeFailed : kAllWritten;
}

void BatchExport::ExportOne(const std::string& assembly) {
    const auto start = Clock::now();
    const std::string name = NameOf(assembly);
    if (assembly.find_first_of("*?") != std::string::npos) {
        // No file name holds these: a pattern that matched nothing.
        ++tally_.notLoaded;
        report_(name + ": not loaded: no file matches " + name + " in " +
                assembly.substr(0, assembly.size() - name.size()));
        return;
    }
    const std::vector<Target> targets = TargetsOf(assembly);
    if (!Writable(name, targets)) {
        ++tally_.notWritten;
        return;
    }

    std::optional<Loaded> loaded = Load(assembly, start);
    if (!loaded) {
        return;
    }
    model::BomModel& model = loaded->model;
    const model::Tallies& counts = model.Counts;
    tally_.missing += counts.MissingCount;
    std::string line = name + ": " +
                       CountedText(std::int64_t{counts.PartCount} + counts.AssyCount, "occurrence",
                                   "occurrences") +
                       ", " + CountedText(model.Dupes.Count(), "unique file", "unique files") +
                       ", " + IntegerText(counts.MissingCount) + " missing";
    Fitted fitted;
    try {
        fitted = Write(name, *loaded, targets);
    } catch (const Failure& failure) {
        ++tally_.notWritten;
        report_(line + "; not written: " + failure.what() + " (" + SecondsSince(start) + ")");
        ReportMissing(model);
        return;
    }
    ++tally_.exported;
    report_(line + ", " + SecondsSince(start) + " -> " + targets.front().path +
            (targets.size() > 1
                 ? " and " + CountedText(static_cast<std::int64_t>(targets.size()) - 1, "more file",
                                         "more files")
                 : std::string()));
    if (!model.Unread.empty()) {
        // Written with everything that could be read, and a failure all the same.
        ++tally_.incomplete;
        report_("  incomplete: " + model::UnreadText(model));
    }
    ReportFitted(fitted);
    if (const auto without = WithoutPictureText(loaded->pictures)) {
        tally_.withoutPicture += loaded->pictures.Without();
        report_(*without);
    }
    ReportAnswers(*loaded);
    ReportMissing(model);
    ReportUnmatched(model);
    if (const std::int64_t outOfDate = model::OutOfDateMassCount(model); outOfDate > 0) {
        tally_.outOfDateMasses += outOfDate;
        report_("  " + model::OutOfDateMassText(outOfDate));
    }
}

void BatchExport::ReportUnmatched(const model::BomModel& model) {
    for (std::size_t i = 0; i < model.ExtraProperties.size(); ++i) {
        const bool found =
            std::any_of(model.FileData.begin(), model.FileData.end(),
                        [i](const std::shared_ptr<model::clsFileData>& record) {
                            return i < record->Extra.size() && !IsEmpty(record->Extra[i]);
                        });
        if (!found) {
            ++tally_.unmatched;
            const model::PropertyRequest& asked = model.ExtraProperties[i];
            report_("  no file has the property " + asked.set + ":" + asked.name);
        }
    }
}

// OLD vs NEW: both loaded as for an export, their Summary BOMs compared, the differences written
// as one workbook (or one CSV file per sheet) beside NEW or into --out.
int BatchExport::Compare() {
    const auto start = Clock::now();
    const std::string& older = options_.assemblies.at(0);
    const std::string& newer = options_.assemblies.at(1);
    const std::string name = StemOf(older) + " vs " + StemOf(newer);
    const std::string folder = FolderFor(newer);
    std::vector<Target> targets;
    if (options_.format == OutputFormat::Xlsx) {
        targets.push_back({folder + name + ".xlsx", {}});
    } else {
        for (const char* sheet : {kChangesSheet, kTotalsComparedSheet}) {
            targets.push_back({folder + name + " - " + sheet + ".csv", sheet});
        }
    }
    if (!Writable(name, targets)) {
        return kSomeFailed;
    }
    const std::optional<Loaded> before = Load(older, start);
    const std::optional<Loaded> after = before ? Load(newer, start) : std::nullopt;
    if (!before || !after) {
        return kSomeFailed;
    }
    // A part left unread would show as removed or added: no comparison rather than a wrong one.
    for (const auto& [path, revision] : {std::pair{&older, &*before}, std::pair{&newer, &*after}}) {
        if (!revision->model.Unread.empty()) {
            report_(name + ": not compared: " + NameOf(*path) + ": " +
                    model::UnreadText(revision->model));
            return kSomeFailed;
        }
    }
    const std::vector<model::BomChange> changes = model::CompareBoms(
        before->model, after->model, {options_.mergePartNumbers, options_.bomRules});
    try {
        Fitted fitted;
        const auto book =
            ComparisonWorkbook(before->model, after->model, changes, LimitsOfFormat(), &fitted);
        WriteSheets(name, *book, targets);
        ReportFitted(fitted);
    } catch (const Failure& failure) {
        report_(name + ": not written: " + failure.what() + " (" + SecondsSince(start) + ")");
        return kSomeFailed;
    }
    report_(name + ": " + model::ChangeSummary(changes) + ", " + SecondsSince(start) + " -> " +
            targets.front().path +
            (targets.size() > 1 ? " and " + targets.back().path : std::string()));
    ReportProject();
    ReportMissing(before->model, NameOf(older));
    ReportMissing(after->model, NameOf(newer));
    const bool missing =
        before->model.Counts.MissingCount > 0 || after->model.Counts.MissingCount > 0;
    return options_.strict && missing ? kSomeFailed : kAllWritten;
}

std::optional<BatchExport::Loaded> BatchExport::Load(const std::string& assembly,
                                                     Clock::time_point start) {
    Loaded loaded;
    loaded.model.ExtraProperties = options_.properties;
    loaded.model.ReadBomStructures = options_.bomRules;
    model::QuantityListing listing;
    PictureCapture pictures(pictures_);
    LoadMessages view(assembly, options_.pictures ? &pictures : nullptr);
    model::AssemblyLoader loader(loaded.model, listing, view, servers_);
    loader.LoadAssembly();
    loader.ReleaseServer();
    if (view.apprenticeUnavailable) {
        serverGone_ = true;
    }
    if (!loader.Completed()) {
        ++tally_.notLoaded;
        std::string reason =
            view.messages.empty() ? "the load stopped" : OneLine(view.messages.back().text);
        // A part has no components to read; the window's teasing answer says nothing here.
        if (EndsWithIgnoringCase(assembly, ".ipt") && !view.messages.empty() &&
            view.messages.back().text.starts_with("Nice try")) {
            reason = "a part, not an assembly (.iam)";
        }
        report_(NameOf(assembly) + ": not loaded: " + reason + " (" + SecondsSince(start) + ")");
        return std::nullopt;
    }
    if (options_.bomRules) {
        loaded.model = model::ApplyBomRules(loaded.model);
    }
    if (options_.pictures) {
        loaded.pictures = pictures.Of(loaded.model);
    }
    loaded.messages = std::move(view.messages);
    return loaded;
}

void BatchExport::ReportAnswers(const Loaded& loaded) {
    for (const ShownMessage& message : loaded.messages) {
        if (message.style == model::kYesNoExclamation) {
            report_("  answered Yes: " + OneLine(message.text));
        }
    }
}

// The folder an assembly's files go to, ending in a separator: --out, or the assembly's own.
std::string BatchExport::FolderFor(const std::string& assembly) const {
    if (!options_.outFolder) {
        std::string folder;
        std::string name;
        excel::SplitPath(assembly, folder, name);
        return folder;
    }
    std::string folder = *options_.outFolder;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

std::vector<BatchExport::Target> BatchExport::TargetsOf(const std::string& assembly) const {
    const std::string folder = FolderFor(assembly);
    const std::string stem = StemOf(assembly);
    if (options_.format == OutputFormat::Xlsx) {
        return {{folder + stem + ".xlsx", {}}};
    }
    if (options_.layout == Layout::ParentChild) {
        return {{folder + stem + " - " + kParentChildSheet + ".csv", kParentChildSheet}};
    }
    std::vector<Target> targets;
    for (const char* sheet : {excel::kTotalsSheet, excel::kSummarySheet, excel::kIndentedSheet}) {
        targets.push_back({folder + stem + " - " + sheet + ".csv", sheet});
    }
    return targets;
}

namespace {

// Windows keeps these names for devices, whatever the extension: "CON.xlsx" is the console.
bool IsDeviceName(const std::string& path) {
    std::string folder;
    std::string name;
    excel::SplitPath(path, folder, name);
    std::string stem = FoldCase(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (const char* device : {"con", "prn", "aux", "nul"}) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.rfind("com", 0) == 0 || stem.rfind("lpt", 0) == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

} // namespace

// Whether the files may be written: none is in the way (a folder, a device, or a file without
// --force), and none was written by this run for another assembly of the same name.
bool BatchExport::Writable(const std::string& name, const std::vector<Target>& targets) {
    const auto refuse = [&](const std::string& why) {
        report_(name + ": not written: " + why);
        return false;
    };
    for (const Target& target : targets) {
        if (written_.count(files_.SameFileKey(target.path)) != 0) {
            return refuse(target.path + " was written for another assembly of this run");
        }
        std::string folder;
        std::string file;
        excel::SplitPath(target.path, folder, file);
        if (Utf16Length(file) > kLongestFileName) {
            return refuse("the file name " + file + " is longer than the " +
                          IntegerText(kLongestFileName) + " characters Windows allows");
        }
        if (IsDeviceName(target.path)) {
            return refuse(target.path + " is a name Windows keeps for a device (CON, PRN, AUX, " +
                          "NUL, COM1 to COM9, LPT1 to LPT9)");
        }
        switch (files_.At(target.path)) {
        case PathHolds::Other:
            return refuse(target.path + " is a folder");
        case PathHolds::File:
            if (!options_.force) {
                return refuse(target.path + " exists (--force replaces it)");
            }
            break;
        case PathHolds::Nothing:
            break;
        }
    }
    return true;
}

Fitted BatchExport::Write(const std::string& name, const Loaded& loaded,
                          const std::vector<Target>& targets) {
    Fitted fitted;
    const model::BomModel& model = loaded.model;
    const workbook::FileImages* pictures = options_.pictures ? &loaded.pictures.images : nullptr;
    const auto book =
        options_.layout == Layout::ParentChild
            ? ParentChildWorkbook(
                  model, options_.bomRules ? model::Counting::BomRules : model::Counting::Walk,
                  options_.mergePartNumbers, LimitsOfFormat(), &fitted, pictures)
            : BomWorkbook(model,
                          {.levelColumns = options_.indented,
                           .bomStructure = options_.bomRules,
                           .byPartNumber = options_.mergePartNumbers,
                           .quantities = true,
                           .pictures = options_.pictures},
                          options_.hyperlinks, LimitsOfFormat(), &fitted, pictures);
    WriteSheets(name, *book, targets);
    return fitted;
}

// The parent–child layout is made for programs to import; the others for people.
workbook::CsvReader BatchExport::CsvReaderOf() const {
    return options_.csvReader.value_or(options_.layout == Layout::ParentChild
                                           ? workbook::CsvReader::Import
                                           : workbook::CsvReader::Spreadsheet);
}

// An .xlsx file holds what Excel holds; a CSV file holds any text whole.
excel::CellLimits BatchExport::LimitsOfFormat() const {
    return options_.format == OutputFormat::Xlsx ? excel::CellLimits::Excel
                                                 : excel::CellLimits::None;
}

void BatchExport::ReportFitted(const Fitted& fitted) {
    if (fitted.count > 0) {
        ++tally_.fittedAssemblies;
        report_("  fitted to Excel's limits in " + CountedText(fitted.count, "place", "places") +
                "; the first: " + fitted.first);
    }
}

// The workbook as its targets: the .xlsx file, or one CSV file per sheet.
void BatchExport::WriteSheets(const std::string& name, const workbook::Workbook& book,
                              const std::vector<Target>& targets) {
    std::vector<OutputFile> files;
    for (const Target& target : targets) {
        std::string bytes;
        if (target.sheet.empty()) {
            bytes = workbook::WorkbookXlsx(book);
        } else if (const workbook::Sheet* sheet = book.FindSheet(target.sheet)) {
            bytes = workbook::SheetCsv(*sheet, CsvReaderOf());
        } else {
            throw Failure(kEFail,
                          "the sheet \"" + target.sheet + "\" of " + name + " was not made");
        }
        files.push_back({target.path, std::move(bytes)});
    }
    // The CSV files of one assembly are one set: all of them new, or all as they were.
    files_.WriteAll(files, options_.force);
    for (const Target& target : targets) {
        written_.insert(files_.SameFileKey(target.path));
    }
}

// Each missing component by its occurrence name, with the assembly that uses it.
void BatchExport::ReportMissing(const model::BomModel& model, const std::string& revision) {
    std::vector<const model::clsFileData*> lastAtDepth;
    for (const auto& record : model.FileData) {
        const auto depth = static_cast<std::size_t>(std::max<std::int16_t>(record->Depth, 0));
        lastAtDepth.resize(depth + 1);
        lastAtDepth[depth] = record.get();
        if (record->Kind != model::ComponentKind::Missing) {
            continue;
        }
        const std::string& file = record->FileName; // "<Gasket:1>"
        const model::clsFileData* owner = depth > 0 ? lastAtDepth[depth - 1] : nullptr;
        report_("  missing" + (revision.empty() ? std::string() : " (" + revision + ")") + ": " +
                file.substr(1, file.size() - 2) +
                (owner ? " in " + NameOf(owner->FileName) : std::string()));
    }
}

} // namespace pw::batch
