#include "CellEntry.h"

#include "shared/core/CaseFold.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

namespace pw::workbook {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits with optional thousands separators: "1234", "1,234", "12,345,678".
bool GroupedDigits(const std::string& text, std::string& digits) {
    if (text.empty() || text.front() == ',' || text.back() == ',') {
        return false;
    }
    std::size_t sinceComma = 0;
    bool sawComma = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',') {
            if ((sawComma && sinceComma != 3) ||
                (!sawComma && (sinceComma == 0 || sinceComma > 3))) {
                return false;
            }
            sawComma = true;
            sinceComma = 0;
        } else if (IsDigit(text[i])) {
            digits += text[i];
            ++sinceComma;
        } else {
            return false;
        }
    }
    return !sawComma || sinceComma == 3;
}

std::optional<double> ReadNumber(std::string text) {
    bool negative = false;
    bool percent = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = text.substr(1, text.size() - 2);
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = negative != (text.front() == '-');
        text.erase(0, 1);
    }
    if (!text.empty() && text.front() == '$') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '%') {
        percent = true;
        text.pop_back();
    }
    const auto exponentAt = text.find_first_of("eE");
    std::string mantissa = text.substr(0, exponentAt);
    std::string exponent = exponentAt == std::string::npos ? "" : text.substr(exponentAt + 1);
    const auto point = mantissa.find('.');
    std::string whole = mantissa.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : mantissa.substr(point + 1);

    std::string digits;
    if (!whole.empty() && !GroupedDigits(whole, digits)) {
        return std::nullopt;
    }
    for (const char c : fraction) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    if (digits.empty() && fraction.empty()) {
        return std::nullopt;
    }
    std::string plain = (digits.empty() ? "0" : digits) + (fraction.empty() ? "" : "." + fraction);
    if (exponentAt != std::string::npos) {
        if (exponent.empty() || exponent == "+" || exponent == "-") {
            return std::nullopt;
        }
        for (std::size_t i = (exponent[0] == '+' || exponent[0] == '-') ? 1 : 0;
             i < exponent.size(); ++i) {
            if (!IsDigit(exponent[i])) {
                return std::nullopt;
            }
        }
        plain += "e" + exponent;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (percent) {
        value /= 100;
    }
    return negative ? -value : value;
}

// Days since 1899-12-30, as Excel counts dates.
double Serial(int year, int month, int day) {
    // Days from civil (proleptic Gregorian), after Howard Hinnant's algorithm.
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int daysSince1970 = era * 146097 + dayOfEra - 719468;
    return daysSince1970 + 25569.0;
}

bool ValidDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month != 2 || day <= 28 || leap;
}

// "1-2", "1/2", "1/2/2024", "01-02-24", "2024-01-02": month before day, as in the United States.
std::optional<double> ReadDate(const std::string& text, int currentYear) {
    std::vector<int> parts;
    std::vector<std::size_t> lengths;
    char separator = 0;
    std::string current;
    for (const char c : text) {
        if (c == '-' || c == '/') {
            if (current.empty() || (separator && c != separator)) {
                return std::nullopt;
            }
            separator = c;
            parts.push_back(std::stoi(current));
            lengths.push_back(current.size());
            current.clear();
        } else if (IsDigit(c) && current.size() < 4) {
            current += c;
        } else {
            return std::nullopt;
        }
    }
    if (current.empty() || parts.empty()) {
        return std::nullopt;
    }
    parts.push_back(std::stoi(current));
    lengths.push_back(current.size());
    int year = currentYear;
    int month = 0;
    int day = 0;
    if (parts.size() == 2 && lengths[0] <= 2 && lengths[1] <= 2) {
        month = parts[0];
        day = parts[1];
    } else if (parts.size() == 3 && lengths[0] == 4) {
        year = parts[0];
        month = parts[1];
        day = parts[2];
    } else if (parts.size() == 3 && lengths[0] <= 2 && lengths[1] <= 2 &&
               (lengths[2] == 2 || lengths[2] == 4)) {
        month = parts[0];
        day = parts[1];
        year = lengths[2] == 2 ? (parts[2] < 30 ? 2000 : 1900) + parts[2] : parts[2];
    } else {
        return std::nullopt;
    }
    if (!ValidDate(year, month, day)) {
        return std::nullopt;
    }
    return Serial(year, month, day);
}

} // namespace

CellEntry ReadEntry(const std::string& typed, int currentYear) {
    if (typed.empty()) {
        return {};
    }
    if (typed.front() == '\'') {
        return {CellKind::Text, typed.substr(1)};
    }
    if (typed.front() == '=') {
        return {CellKind::Formula, typed};
    }
    const std::string text = Trimmed(typed);
    const std::string folded = FoldCase(text);
    if (folded == "true" || folded == "false") {
        return {CellKind::Boolean, {}, 0, folded == "true"};
    }
    if (const auto number = ReadNumber(text)) {
        return {CellKind::Number, {}, *number};
    }
    if (const auto date = ReadDate(text, currentYear)) {
        return {CellKind::Date, {}, *date};
    }
    return {CellKind::Text, typed};
}

} // namespace pw::workbook
