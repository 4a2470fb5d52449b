#include "partwright/workbook/SheetCsv.h"

#include <gtest/gtest.h>

namespace pw::workbook {
namespace {

CellEntry Text(const std::string& text) {
    return {CellKind::Text, text};
}

TEST(SheetCsv, TextThatASpreadsheetWouldReadOtherwiseStaysText) {
    const std::pair<std::string, std::string> cases[] = {
        {"00123", "=\"00123\""}, // a number, its zeros lost
        {"1-2", "=\"1-2\""},     // a date
        {"3/4", "=\"3/4\""},     // a date
        {"TRUE", "=\"TRUE\""},   // a truth value
        {"0.50", "=\"0.50\""},   // a number
        {"=1+1", "=\"=1+1\""},   // a formula
        {"+41 44 123", "=\"+41 44 123\""},
        {"-x", "=\"-x\""},
        {"@SUM(A1)", "=\"@SUM(A1)\""},
        {"'quoted", "=\"'quoted\""}, // the apostrophe would be taken as the prefix
        {"=say \"hi\"", "=\"=say \"\"hi\"\"\""},
        {"12:30", "=\"12:30\""}, // a time
        {"10:30 AM", "=\"10:30 AM\""},
        {"3:04:05", "=\"3:04:05\""},
        {"1 1/2", "=\"1 1/2\""},   // a fraction
        {"5-", "=\"5-\""},         // a negative number
        {"Jan-24", "=\"Jan-24\""}, // a date with its month's name
        {"Mar 5", "=\"Mar 5\""},
        {"5 %", "=\"5 %\""}, // a percentage
        {"1/2/3", "=\"1/2/3\""},
        {"#N/A", "=\"#N/A\""}, // an error value
        {"GB-100", "GB-100"},  // plain text stays plain
        {"Steel, Mild", "Steel, Mild"},
        {"", ""},
    };
    for (const auto& [text, written] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CsvCellText(Text(text)), written);
    }
    // Beyond what a formula's text may hold, an apostrophe keeps it inert.
    const std::string longFormula = "=" + std::string(300, 'x');
    EXPECT_EQ(CsvCellText(Text(longFormula)), "'" + longFormula);
    EXPECT_EQ(CsvCellText(Text("=a\nb")), "'=a\nb");
}

// For a program to import: every text as it is, but one that would start a formula in a
// spreadsheet that opens the file.
TEST(SheetCsv, ForAnImportTextsStayAsTheyAreButAFormulasStartIsGuarded) {
    const std::pair<std::string, std::string> cases[] = {
        {"00123", "00123"},        {"1-2", "1-2"},    {"TRUE", "TRUE"},       {"12:30", "12:30"},
        {"#N/A", "#N/A"},          {"=1+1", "'=1+1"}, {"+41", "'+41"},        {"-x", "'-x"},
        {"@SUM(A1)", "'@SUM(A1)"}, {"\tx", "'\tx"},   {"'quoted", "'quoted"}, {"", ""},
    };
    for (const auto& [text, written] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CsvCellText(Text(text), CsvReader::Import), written);
    }
    Sheet sheet;
    sheet.At(1, 1).entry = Text("29"); // a heading: the property of id 29
    sheet.At(1, 2).entry = Text("Steel, Mild");
    EXPECT_EQ(SheetCsv(sheet, CsvReader::Import), "\xEF\xBB\xBF"
                                                  "29,\"Steel, Mild\"\r\n");
}

TEST(SheetCsv, NumbersTruthValuesAndDatesAsASpreadsheetReadsThemBack) {
    EXPECT_EQ(CsvCellText({CellKind::Number, {}, 125.5}), "125.5");
    EXPECT_EQ(CsvCellText({CellKind::Number, {}, 3}), "3");
    EXPECT_EQ(CsvCellText({CellKind::Number, {}, -0.25}), "-0.25");
    EXPECT_EQ(CsvCellText({CellKind::Boolean, {}, 0, true}), "TRUE");
    EXPECT_EQ(CsvCellText({CellKind::Boolean, {}, 0, false}), "FALSE");
    EXPECT_EQ(CsvCellText({CellKind::Date, {}, 46085}), "2026-03-04");
    EXPECT_EQ(CsvCellText({CellKind::Date, {}, 1}), "1899-12-31");
    EXPECT_EQ(CsvCellText({}), "");
}

TEST(SheetCsv, ASheetIsOneRecordPerRowAllAsWideAsTheWidest) {
    Sheet sheet;
    sheet.At(1, 1).entry = Text("Quan");
    sheet.At(1, 2).entry = Text("Description");
    sheet.At(2, 1).entry = {CellKind::Number, {}, 2};
    sheet.At(2, 2).entry = Text("Bolt, \"M8\"\r\nzinc");
    sheet.At(2, 3).entry = Text(" padded ");
    sheet.At(4, 2).entry = Text("00123");
    sheet.At(5, 9).format.bold = true; // a format alone widens and lengthens nothing
    EXPECT_EQ(SheetCsv(sheet), "\xEF\xBB\xBF"
                               "Quan,Description,\r\n"
                               "2,\"Bolt, \"\"M8\"\"\r\nzinc\",\" padded \"\r\n"
                               ",,\r\n"
                               ",\"=\"\"00123\"\"\",\r\n");
}

TEST(SheetCsv, AnEmptySheetIsTheByteOrderMarkAlone) {
    EXPECT_EQ(SheetCsv(Sheet{}), "\xEF\xBB\xBF");
}

} // namespace
} // namespace pw::workbook
