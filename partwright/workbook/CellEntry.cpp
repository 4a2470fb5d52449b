#include "CellEntry.h"

#include "shared/core/CaseFold.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>
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
    } else if (text.size() >= 2 && text.back() == '-') {
        negative = !negative; // "5-", as accounting lists write a debit
        text.pop_back();
    }
    if (!text.empty() && text.front() == '$') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '%') {
        percent = true;
        text.pop_back();
        while (!text.empty() && text.back() == ' ') {
            text.pop_back(); // "5 %"
        }
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

// A year written with one or two digits: 00 to 29 are this century's, 30 to 99 the last one's.
int TwoDigitYear(int year) {
    return (year < 30 ? 2000 : 1900) + year;
}

// "1-2", "1/2", "1/2/2024", "01-02-24", "1/2/3", "2024-01-02": month before day, as in the
// United States.
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
               (lengths[2] <= 2 || lengths[2] == 4)) {
        month = parts[0];
        day = parts[1];
        year = lengths[2] <= 2 ? TwoDigitYear(parts[2]) : parts[2];
    } else {
        return std::nullopt;
    }
    if (!ValidDate(year, month, day)) {
        return std::nullopt;
    }
    return Serial(year, month, day);
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// "1 1/2", "-2 3/4": a whole number and a fraction, as Excel reads a mixed number.
std::optional<double> ReadMixedNumber(const std::string& text) {
    const auto space = text.find(' ');
    const auto slash = text.find('/');
    if (space == std::string::npos || slash == std::string::npos || slash < space) {
        return std::nullopt;
    }
    std::string whole = text.substr(0, space);
    const bool negative = !whole.empty() && whole.front() == '-';
    if (negative) {
        whole.erase(0, 1);
    }
    const std::string numerator = Trimmed(text.substr(space + 1, slash - space - 1));
    const std::string denominator = text.substr(slash + 1);
    if (!AllDigits(whole) || !AllDigits(numerator) || !AllDigits(denominator) || whole.size() > 9 ||
        numerator.size() > 9 || denominator.size() > 9 || std::stoi(denominator) == 0) {
        return std::nullopt;
    }
    const double value = std::stod(whole) + std::stod(numerator) / std::stod(denominator);
    return negative ? -value : value;
}

// "12:30", "3:04:05", "12:30:45.5", "10:30 AM", "1:05pm": a fraction of a day (hours past 24 run
// on into days, as Excel reads a duration).
std::optional<double> ReadTime(const std::string& text) {
    std::string clock = text;
    int shift = -1; // hours added for PM, or -1 without AM or PM
    const std::string folded = FoldCase(clock);
    for (const auto& [suffix, hours] :
         {std::pair{"am", 0}, std::pair{"pm", 12}, std::pair{"a", 0}, std::pair{"p", 12}}) {
        const std::string ending(suffix);
        if (folded.size() > ending.size() &&
            folded.compare(folded.size() - ending.size(), ending.size(), ending) == 0) {
            shift = hours;
            clock = Trimmed(clock.substr(0, clock.size() - ending.size()));
            break;
        }
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t colon; (colon = clock.find(':', start)) != std::string::npos;
         start = colon + 1) {
        parts.push_back(clock.substr(start, colon - start));
    }
    parts.push_back(clock.substr(start));
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    std::string seconds = parts.size() == 3 ? parts[2] : "0";
    std::string fraction;
    if (const auto point = seconds.find('.'); point != std::string::npos && parts.size() == 3) {
        fraction = seconds.substr(point + 1);
        seconds.resize(point);
        if (!AllDigits(fraction)) {
            return std::nullopt;
        }
    }
    if (!AllDigits(parts[0]) || !AllDigits(parts[1]) || !AllDigits(seconds) ||
        parts[0].size() > 4 || parts[1].size() > 2 || seconds.size() > 2) {
        return std::nullopt;
    }
    int hour = std::stoi(parts[0]);
    const int minute = std::stoi(parts[1]);
    const double second = std::stod(seconds + (fraction.empty() ? "" : "." + fraction));
    if (minute > 59 || second >= 60 || (shift >= 0 && (hour < 1 || hour > 12))) {
        return std::nullopt;
    }
    if (shift >= 0) {
        hour = hour % 12 + shift;
    }
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// The month a word names: its English name or the name's first three letters.
std::optional<int> MonthNamed(const std::string& word) {
    static constexpr const char* kMonths[] = {"january",   "february", "march",    "april",
                                              "may",       "june",     "july",     "august",
                                              "september", "october",  "november", "december"};
    const std::string folded = FoldCase(word);
    for (int month = 0; month < 12; ++month) {
        const std::string_view name = kMonths[month];
        if (folded == name || folded == name.substr(0, 3)) {
            return month + 1;
        }
    }
    return std::nullopt;
}

// "Mar 5", "5-Mar", "Jan-24", "March 2024", "5 Mar 2024", "Mar 5, 2024": a date with its
// month's name. A lone number past the month's days is a year.
std::optional<double> ReadNamedDate(const std::string& text, int currentYear) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (c == ' ' || c == '-' || c == '/' || c == ',') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    std::optional<int> month;
    std::vector<std::string> numbers;
    for (const std::string& part : words) {
        if (AllDigits(part) && part.size() <= 4) {
            numbers.push_back(part);
        } else if (const auto named = MonthNamed(part); named && !month) {
            month = named;
        } else {
            return std::nullopt;
        }
    }
    if (!month || numbers.empty() || numbers.size() > 2) {
        return std::nullopt;
    }
    int year = currentYear;
    int day = 1;
    const int first = std::stoi(numbers[0]);
    if (numbers.size() == 2) {
        day = first;
        const int second = std::stoi(numbers[1]);
        year = numbers[1].size() <= 2 ? TwoDigitYear(second) : second;
    } else if (numbers[0].size() <= 2 && ValidDate(currentYear, *month, first)) {
        day = first;
    } else {
        year = numbers[0].size() <= 2 ? TwoDigitYear(first) : first;
    }
    if (!ValidDate(year, *month, day)) {
        return std::nullopt;
    }
    return Serial(year, *month, day);
}

// A date, a time, or a date and a time after it.
std::optional<double> ReadDateTime(const std::string& text, int currentYear) {
    if (const auto time = ReadTime(text)) {
        return time;
    }
    for (const auto read : {ReadDate, ReadNamedDate}) {
        if (const auto date = read(text, currentYear)) {
            return date;
        }
    }
    // The last blank before a time parts the date from it: "1/2/2024 12:30", "Mar 5 10:30 AM".
    for (auto space = text.rfind(' '); space != std::string::npos && space > 0;
         space = text.rfind(' ', space - 1)) {
        const auto time = ReadTime(text.substr(space + 1));
        if (!time) {
            continue;
        }
        const std::string day = Trimmed(text.substr(0, space));
        for (const auto read : {ReadDate, ReadNamedDate}) {
            if (const auto date = read(day, currentYear)) {
                return *date + *time;
            }
        }
    }
    return std::nullopt;
}

// The error value the text names, in the letter case Excel shows it in ("#N/A" for "#n/a").
std::optional<std::string> ErrorValue(const std::string& text) {
    static constexpr const char* kErrors[] = {"#NULL!",  "#DIV/0!", "#VALUE!", "#REF!",
                                              "#NAME?",  "#NUM!",   "#N/A",    "#GETTING_DATA",
                                              "#SPILL!", "#CALC!"};
    for (const char* error : kErrors) {
        if (EqualsIgnoringCase(text, error)) {
            return error;
        }
    }
    return std::nullopt;
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
    if (auto error = ErrorValue(text)) {
        return {CellKind::Error, std::move(*error)};
    }
    if (const auto number = ReadNumber(text)) {
        return {CellKind::Number, {}, *number};
    }
    if (const auto mixed = ReadMixedNumber(text)) {
        return {CellKind::Number, {}, *mixed};
    }
    if (const auto date = ReadDateTime(text, currentYear)) {
        return {CellKind::Date, {}, *date};
    }
    return {CellKind::Text, typed};
}

} // namespace pw::workbook
