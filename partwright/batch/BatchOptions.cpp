#include "BatchOptions.h"

namespace pw::batch {
namespace {

CommandLineReading Mistake(const std::string& what) {
    return {std::nullopt, "partwright-export: " + what + "\nTry 'partwright-export --help'.\n",
            kUsageError};
}

} // namespace

std::string UsageText() {
    return "Usage: partwright-export [OPTION]... ASSEMBLY...\n"
           "Writes the bill of materials of each Inventor assembly (.iam) as a workbook, without\n"
           "Excel: the sheets \"Summary-Totals\", \"Summary BOM\" and \"Indented BOM\" with the\n"
           "values, formats, column widths, frozen panes and hyperlinks of Partwright's Excel\n"
           "export. The workbook has no buttons, row check boxes or macros: an .xlsx file\n"
           "cannot hold macros. Use Partwright's window to export with them.\n"
           "\n"
           "  --indented        a level column per depth (\"Use Indented Columns\")\n"
           "  --hyperlinks      file names as hyperlinks to their files\n"
           "  --bom-rules       count as Inventor's own BOM does: reference components left\n"
           "                    out, phantoms replaced by their components, the components of\n"
           "                    purchased and inseparable assemblies shown but not counted;\n"
           "                    adds a \"BOM Structure\" column to both BOM sheets\n"
           "  --merge-part-numbers\n"
           "                    one Summary BOM row per part number, as Inventor's BOM merges\n"
           "                    rows: the quantities added up, a field the files disagree on\n"
           "                    shown as \"*Varies*\", the file-name column saying how many\n"
           "                    files (\"2 files\") and linked to the first; files without a\n"
           "                    part number keep rows of their own. With --layout parent-child,\n"
           "                    files of one part number are one parent or component, unless\n"
           "                    as parents they hold different components\n"
           "  --pictures        a last column, \"Picture\", on the BOM sheets and the "
           "parent-child\n"
           "                    sheet: the picture Inventor saved with each row's file, each\n"
           "                    file's image stored once however many rows show it; empty for\n"
           "                    virtual and missing components and files saved without one,\n"
           "                    said in a \"without a picture\" line. Needs --format xlsx\n"
           "  --property SET:NAME\n"
           "                    one more column, headed NAME, at the end of each BOM sheet:\n"
           "                    the property NAME (a name, or an id given as a number) of the\n"
           "                    property set SET (a name or a format identifier); empty where a\n"
           "                    file lacks it; a property no file has is said, and with\n"
           "                    --strict fails the run. A colon in SET's name is doubled\n"
           "                    (\"A::B:NAME\"). May be given again for more columns, e.g.\n"
           "                    --property \"Inventor User Defined Properties:Supplier\"\n"
           "  --compare OLD NEW\n"
           "                    instead of exporting, compares the Summary BOMs (totals through\n"
           "                    all levels) of two revisions, keyed by part number, else by\n"
           "                    file name, and writes \"OLD vs NEW.xlsx\" (with --format csv:\n"
           "                    \"OLD vs NEW - Changes.csv\" and \"OLD vs NEW - Totals.csv\"):\n"
           "                    one row per part added or removed, quantity changed (with the\n"
           "                    difference) or field changed, and the totals side by side.\n"
           "                    --merge-part-numbers, --bom-rules and --property apply\n"
           "  --layout parent-child\n"
           "                    instead of the three sheets, one sheet \"Parent-Child\" as ERP\n"
           "                    and MRP systems import a BOM: one row per parent and component\n"
           "                    (part numbers and files), with the quantity in ONE parent, the\n"
           "                    component's description and material, and the level where the\n"
           "                    pair first appears; the top assembly is a parent too. Multiplied\n"
           "                    down each path, the quantities give the Summary BOM's totals.\n"
           "                    --indented and --hyperlinks shape the three sheets only\n"
           "  --format xlsx     one workbook, ASSEMBLY-NAME.xlsx (the default)\n"
           "  --format csv      one UTF-8 CSV file per sheet, \"ASSEMBLY-NAME - SHEET.csv\"\n"
           "                    (with --layout parent-child: \"ASSEMBLY-NAME - "
           "Parent-Child.csv\");\n"
           "  --csv spreadsheet CSV for a person opening it in a spreadsheet: text a spreadsheet\n"
           "                    would read as a number, a date or a formula is written as\n"
           "                    =\"text\" so that it stays the text it is (the default, but for\n"
           "                    --layout parent-child)\n"
           "  --csv import      CSV for a program importing it (RFC 4180): every value as it is,\n"
           "                    but a text beginning with =, +, -, @, a tab or a carriage return\n"
           "                    gets an apostrophe in front, so that no spreadsheet runs it (the\n"
           "                    default for --layout parent-child)\n"
           "  --project FILE    find the files the assemblies use through the Inventor project\n"
           "                    FILE (.ipj), activated for this run only (the user's default\n"
           "                    project stays as it is); default: the active project\n"
           "  --jobs N          export in N worker processes at once, each with an Apprentice of\n"
           "                    its own (0: one per processor core; default 1); the files are\n"
           "                    the same, the lines come in the order the assemblies were given\n"
           "  --worker          (given by --jobs to its workers) end with the run's counts for\n"
           "                    the run that started it instead of a summary\n"
           "  --out DIR         write into DIR (made when missing); default: beside each assembly\n"
           "  --force           replace files that exist (never done without it)\n"
           "  --strict          missing components, properties no file has, Excel's limits met\n"
           "                    and masses Inventor marks out of date fail the run (exit\n"
           "                    status 1)\n"
           "  --help, /?, --version\n"
           "\n"
           "Each file is written under a temporary name and renamed when complete: an\n"
           "interrupted run leaves no partial file and keeps the previous one.\n"
           "Progress goes to standard error, one line per assembly and a summary.\n"
           "An assembly of which Apprentice could not read a part (the components of a\n"
           "sub-assembly) is written with what could be read, said in an \"incomplete:\" line,\n"
           "and fails the run. An .xlsx file holds what Excel holds: texts longer than a cell's\n"
           "32,767 characters are cut and file names past a sheet's 65,530 links stay text, said\n"
           "in a \"fitted to Excel's limits\" line; CSV files keep every text whole.\n"
           "Where a component is counted in a length, an area, a volume or a mass (frame\n"
           "members, tubes, sheet goods), the Summary BOM and the parent-child sheet gain\n"
           "\"Unit QTY\", \"Total QTY\" and \"Unit\". Without a \"Model Information\" set, the\n"
           "weight is the mass Inventor stored, in grams; a mass it marks out of date is left\n"
           "empty and counted in a line of its own.\n"
           "Exit status: 0 every assembly loaded and written whole; 1 an assembly could not be\n"
           "opened, walked, read whole or written (the others are still written), or --strict\n"
           "and components are missing, a property was had by no file, Excel's limits were\n"
           "met or a mass was out of date; 2 a usage error.\n";
}

CommandLineReading ReadCommandLine(const std::vector<std::string>& arguments,
                                   const std::string& version) {
    BatchOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "/?") {
            return {std::nullopt, UsageText(), 0};
        }
        if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            if (argument.empty()) {
                return Mistake("an empty assembly name");
            }
            options.assemblies.push_back(argument);
            continue;
        }
        // "--name=value" or "--name value".
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value) {
                return value;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            return std::nullopt;
        };
        const auto flag = [&](bool& target) {
            target = true;
            return !value;
        };
        bool fine = true;
        if (name == "--") {
            optionsEnded = true;
            fine = !value;
        } else if (name == "--help" || name == "-h" || name == "-?") {
            return {std::nullopt, UsageText(), 0};
        } else if (name == "--version") {
            return {std::nullopt, "partwright-export " + version + "\n", 0};
        } else if (name == "--indented") {
            fine = flag(options.indented);
        } else if (name == "--hyperlinks") {
            fine = flag(options.hyperlinks);
        } else if (name == "--pictures") {
            fine = flag(options.pictures);
        } else if (name == "--bom-rules") {
            fine = flag(options.bomRules);
        } else if (name == "--compare") {
            fine = flag(options.compare);
        } else if (name == "--merge-part-numbers") {
            fine = flag(options.mergePartNumbers);
        } else if (name == "--force") {
            fine = flag(options.force);
        } else if (name == "--strict") {
            fine = flag(options.strict);
        } else if (name == "--format") {
            const auto format = takeValue();
            if (format == "xlsx") {
                options.format = OutputFormat::Xlsx;
            } else if (format == "csv") {
                options.format = OutputFormat::Csv;
            } else {
                return Mistake(format ? "unknown format '" + *format + "' (xlsx or csv)"
                                      : "--format needs xlsx or csv");
            }
        } else if (name == "--csv") {
            const auto reader = takeValue();
            if (reader == "import") {
                options.csvReader = workbook::CsvReader::Import;
            } else if (reader == "spreadsheet") {
                options.csvReader = workbook::CsvReader::Spreadsheet;
            } else {
                return Mistake(reader
                                   ? "unknown CSV reader '" + *reader + "' (import or spreadsheet)"
                                   : "--csv needs import or spreadsheet");
            }
        } else if (name == "--layout") {
            const auto layout = takeValue();
            if (layout == "sheets") {
                options.layout = Layout::Sheets;
            } else if (layout == "parent-child") {
                options.layout = Layout::ParentChild;
            } else {
                return Mistake(layout ? "unknown layout '" + *layout + "' (sheets or parent-child)"
                                      : "--layout needs sheets or parent-child");
            }
        } else if (name == "--property") {
            const auto text = takeValue();
            const auto request = text ? model::ParsePropertyRequest(*text) : std::nullopt;
            if (!request) {
                return Mistake(text ? "--property wants SET:NAME, not '" + *text + "'"
                                    : "--property needs SET:NAME");
            }
            options.properties.push_back(*request);
        } else if (name == "--jobs") {
            const auto count = takeValue();
            if (!count || count->empty() || count->size() > 4 ||
                count->find_first_not_of("0123456789") != std::string::npos) {
                return Mistake(count ? "--jobs wants a number of workers, not '" + *count + "'"
                                     : "--jobs needs a number of workers (0: one per core)");
            }
            options.jobs = static_cast<unsigned>(std::stoul(*count));
        } else if (name == "--worker") {
            fine = flag(options.worker);
        } else if (name == "--project") {
            const auto project = takeValue();
            if (!project || project->empty()) {
                return Mistake("--project needs an Inventor project file (.ipj)");
            }
            options.project = project;
        } else if (name == "--out") {
            const auto folder = takeValue();
            if (!folder || folder->empty()) {
                return Mistake("--out needs a folder");
            }
            options.outFolder = folder;
        } else {
            return Mistake("unknown option '" + argument + "'");
        }
        if (!fine) {
            return Mistake("option '" + name + "' takes no value");
        }
    }
    if (options.assemblies.empty()) {
        return Mistake("no assembly given");
    }
    if (options.compare && options.assemblies.size() != 2) {
        return Mistake("--compare needs two assemblies, OLD and NEW");
    }
    if (options.csvReader && options.format != OutputFormat::Csv) {
        return Mistake("--csv says who reads CSV files; it needs --format csv");
    }
    if (options.pictures && options.format == OutputFormat::Csv) {
        return Mistake("--pictures needs --format xlsx: a CSV file holds text only, no pictures");
    }
    if (options.pictures && options.compare) {
        return Mistake("--pictures shows the parts of a BOM; --compare writes no picture column");
    }
    if (options.compare && options.layout == Layout::ParentChild) {
        return Mistake("--compare compares the Summary BOMs; --layout does not apply");
    }

    return {options, {}, 0};
}

std::vector<std::string> WorkerArguments(const BatchOptions& options,
                                         const std::vector<std::string>& assemblies) {
    std::vector<std::string> arguments;
    const auto flag = [&](bool on, const char* name) {
        if (on) {
            arguments.emplace_back(name);
        }
    };
    const auto valued = [&](const char* name, const std::string& value) {
        arguments.emplace_back(name);
        arguments.push_back(value);
    };
    flag(options.indented, "--indented");
    flag(options.hyperlinks, "--hyperlinks");
    flag(options.bomRules, "--bom-rules");
    flag(options.mergePartNumbers, "--merge-part-numbers");
    flag(options.pictures, "--pictures");
    flag(options.force, "--force");
    flag(options.strict, "--strict");
    valued("--format", options.format == OutputFormat::Csv ? "csv" : "xlsx");
    if (options.csvReader) {
        valued("--csv",
               *options.csvReader == workbook::CsvReader::Import ? "import" : "spreadsheet");
    }
    valued("--layout", options.layout == Layout::ParentChild ? "parent-child" : "sheets");
    for (const model::PropertyRequest& property : options.properties) {
        std::string set;
        for (const char c : property.set) {
            set += c == ':' ? std::string("::") : std::string(1, c);
        }
        valued("--property", set + ":" + property.name);
    }
    if (options.outFolder) {
        valued("--out", *options.outFolder);
    }
    if (options.project) {
        valued("--project", *options.project);
    }
    arguments.emplace_back("--worker");
    arguments.emplace_back("--");
    arguments.insert(arguments.end(), assemblies.begin(), assemblies.end());
    return arguments;
}

} // namespace pw::batch
