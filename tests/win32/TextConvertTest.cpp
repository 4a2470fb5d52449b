#include "shared/com/TextConvert.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace pw::com {
namespace {

TEST(TextConvert, Utf8AndUtf16RoundTrip) {
    const std::string utf8 = "Flange Ø80 – Müller µm";
    const std::wstring wide = Utf8ToWide(utf8);
    EXPECT_EQ(wide, L"Flange \u00D880 \u2013 M\u00FCller \u00B5m");
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToWide(""), L"");
}

TEST(TextConvert, AnsiUsesTheActiveCodePage) {
    const std::string ansi = Utf8ToAnsi("Müller");
    if (GetACP() == 1252) {
        EXPECT_EQ(ansi, "M\xFCller");
    }
    EXPECT_EQ(AnsiToUtf8(ansi), "Müller");
    EXPECT_EQ(Utf8ToAnsi("C:\\Tools\\Partwright.exe"), "C:\\Tools\\Partwright.exe");
}

} // namespace
} // namespace pw::com
