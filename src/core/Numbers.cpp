#include "core/Numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zepo {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::optional<int> ParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
    return static_cast<int>(value);
}

bool IsIntegerOutOfRange(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    return !ParseInt(text);
}

std::optional<long double> ParseNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    if (b == e) return std::nullopt;
    std::string s(text.substr(b, e - b));
    // strtold also takes hex, inf and nan; a card never holds those.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long double v = std::strtold(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string FormatOneDecimal(long double value) { return FormatFixed(value, 1); }

long double RoundDecimals(long double value, int places) {
    return std::strtold(FormatFixed(value, places).c_str(), nullptr);
}

std::string FormatFixed(long double value, int places) {
    // Take 15 significant decimal digits first, which hides the binary error of numbers
    // read from text such as 0.15, then round that decimal text half up.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
    std::string digits;
    bool negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    int exponent = std::atoi(p + 1);
    // digits d0 d1 … with the point after d0 scaled by 10^exponent.
    int keep = exponent + 1 + places;  // digits before the point plus the decimals
    std::string kept;
    if (keep <= 0) {
        kept = "0";
        if (keep == 0 && digits[0] >= '5') kept = "1";
    } else {
        kept = digits.substr(0, std::min<size_t>(keep, digits.size()));
        while (static_cast<int>(kept.size()) < keep) kept += '0';
        if (static_cast<size_t>(keep) < digits.size() && digits[keep] >= '5') {
            int i = static_cast<int>(kept.size()) - 1;
            while (i >= 0 && kept[i] == '9') kept[i--] = '0';
            if (i < 0) kept.insert(kept.begin(), '1');
            else ++kept[i];
        }
    }
    // kept is the value times 10^places as an integer string.
    while (kept.size() < static_cast<size_t>(places) + 1) kept.insert(kept.begin(), '0');
    std::string whole = kept.substr(0, kept.size() - places);
    size_t nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    std::string out = places > 0 ? whole + "." + kept.substr(kept.size() - places) : whole;
    if (negative && out.find_first_not_of("0.") != std::string::npos) out.insert(out.begin(), '-');
    return out;
}

}  // namespace zepo
