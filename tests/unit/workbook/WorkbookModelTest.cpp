#include "partwright/workbook/CellEntry.h"

#include <gtest/gtest.h>

namespace pw::workbook {
namespace {

TEST(ReadEntry, ReadsTypedTextAsExcelDoes) {
    EXPECT_EQ(ReadEntry("", 2026).kind, CellKind::Empty);
    EXPECT_EQ(ReadEntry("Steel", 2026), (CellEntry{CellKind::Text, "Steel"}));
    EXPECT_EQ(ReadEntry("00123", 2026), (CellEntry{CellKind::Number, {}, 123}));
    EXPECT_EQ(ReadEntry(" -1,234.5 ", 2026), (CellEntry{CellKind::Number, {}, -1234.5}));
    EXPECT_EQ(ReadEntry("1e3", 2026), (CellEntry{CellKind::Number, {}, 1000}));
    EXPECT_EQ(ReadEntry("50%", 2026), (CellEntry{CellKind::Number, {}, 0.5}));
    EXPECT_EQ(ReadEntry("$12", 2026), (CellEntry{CellKind::Number, {}, 12}));
    EXPECT_EQ(ReadEntry("(7)", 2026), (CellEntry{CellKind::Number, {}, -7}));
    EXPECT_EQ(ReadEntry("true", 2026), (CellEntry{CellKind::Boolean, {}, 0, true}));
    EXPECT_EQ(ReadEntry("=A1*2", 2026), (CellEntry{CellKind::Formula, "=A1*2"}));
    EXPECT_EQ(ReadEntry("1,23", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("GB-100", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("1,0,0,0.5", 2026).kind, CellKind::Text);
}

TEST(ReadEntry, ReadsMonthDayTextAsADate) {
    EXPECT_EQ(ReadEntry("1-2", 2026), (CellEntry{CellKind::Date, {}, 46024})); // 2 Jan 2026
    EXPECT_EQ(ReadEntry("2/29/2024", 2026), (CellEntry{CellKind::Date, {}, 45351}));
    EXPECT_EQ(ReadEntry("2024-01-02", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("2/29/2023", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("13-2", 2026).kind, CellKind::Text);
    EXPECT_EQ(ReadEntry("1-2-3", 2026), (CellEntry{CellKind::Date, {}, 37623})); // 2 Jan 2003
    EXPECT_EQ(ReadEntry("1/2/3", 2026).kind, CellKind::Date);
}

// What Excel also converts when it opens a CSV file: these once went into CSV files unprotected.
TEST(ReadEntry, ReadsTimesFractionsNamedMonthsAndErrorsAsExcelDoes) {
    EXPECT_EQ(ReadEntry("12:30", 2026), (CellEntry{CellKind::Date, {}, 0.5208333333333334}));
    EXPECT_EQ(ReadEntry("10:30 AM", 2026), (CellEntry{CellKind::Date, {}, 0.4375}));
    EXPECT_EQ(ReadEntry("12:15 am", 2026), (CellEntry{CellKind::Date, {}, 0.010416666666666666}));
    EXPECT_EQ(ReadEntry("1:30pm", 2026), (CellEntry{CellKind::Date, {}, 0.5625}));
    EXPECT_EQ(ReadEntry("3:04:05", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("25:00", 2026), (CellEntry{CellKind::Date, {}, 25.0 / 24}));
    EXPECT_EQ(ReadEntry("1/2/2024 12:00", 2026), (CellEntry{CellKind::Date, {}, 45293.5}));
    EXPECT_EQ(ReadEntry("1 1/2", 2026), (CellEntry{CellKind::Number, {}, 1.5}));
    EXPECT_EQ(ReadEntry("-2 3/4", 2026), (CellEntry{CellKind::Number, {}, -2.75}));
    EXPECT_EQ(ReadEntry("5-", 2026), (CellEntry{CellKind::Number, {}, -5}));
    EXPECT_EQ(ReadEntry("5 %", 2026), (CellEntry{CellKind::Number, {}, 0.05}));
    EXPECT_EQ(ReadEntry("Mar 5", 2026), (CellEntry{CellKind::Date, {}, 46086})); // 5 Mar 2026
    EXPECT_EQ(ReadEntry("5-Mar", 2026), (CellEntry{CellKind::Date, {}, 46086}));
    EXPECT_EQ(ReadEntry("Jan-24", 2026).kind, CellKind::Date);
    EXPECT_EQ(ReadEntry("Jan-45", 2026), (CellEntry{CellKind::Date, {}, 16438})); // 1 Jan 1945
    EXPECT_EQ(ReadEntry("March 2024", 2026), (CellEntry{CellKind::Date, {}, 45352}));
    EXPECT_EQ(ReadEntry("Mar 5, 2024", 2026), (CellEntry{CellKind::Date, {}, 45356}));
    EXPECT_EQ(ReadEntry("#N/A", 2026), (CellEntry{CellKind::Error, "#N/A"}));
    EXPECT_EQ(ReadEntry("#div/0!", 2026), (CellEntry{CellKind::Error, "#DIV/0!"}));
    // Texts that only look alike stay text.
    for (const char* text : {"Mar", "March madness", "12:3x", "1:60", "13:00 PM", "1 1/0", "M8x30",
                             "Jan 5 Feb", "#N/A!", "5--", "Mai 5", "A4 1/2"}) {
        EXPECT_EQ(ReadEntry(text, 2026).kind, CellKind::Text) << text;
    }
}

TEST(ReadEntry, AnApostropheKeepsTheRestAsText) {
    EXPECT_EQ(ReadEntry("'00123", 2026), (CellEntry{CellKind::Text, "00123"}));
    EXPECT_EQ(ReadEntry("'=x", 2026), (CellEntry{CellKind::Text, "=x"}));
    EXPECT_EQ(ReadEntry("''quoted", 2026), (CellEntry{CellKind::Text, "'quoted"}));
}

} // namespace
} // namespace pw::workbook
