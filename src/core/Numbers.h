#pragma once
// Number conversions of the macro file: integers as the file's position and size fields
// hold them, decimals with one digit after the point.

#include <optional>
#include <string>
#include <string_view>

namespace zepo {

// A 32-bit decimal integer with optional leading blanks and sign; nothing else around it.
std::optional<int> ParseInt(std::string_view text);
// True for a text that has the form of such an integer but lies outside the 32-bit range:
// the user typed a number, only too large a one.
bool IsIntegerOutOfRange(std::string_view text);

// A sum or difference of int fields worked out wide and brought back into int range: the
// file's fields may hold any 32-bit value, and an object at the far end must not wrap round.
constexpr int SaturatedInt(long long value) {
    return value > 2147483647LL    ? 2147483647
           : value < -2147483648LL ? static_cast<int>(-2147483648LL)
                                   : static_cast<int>(value);
}
// A decimal number ("12", "-3.5", "1e2"), blanks around it allowed.
std::optional<long double> ParseNumber(std::string_view text);

// "%.1f" rounding half away from zero on the number's decimal digits, so 12.25 gives 12.3
// and 0.15 gives 0.2, as a user reading the file expects.
std::string FormatOneDecimal(long double value);

// The same decimal rounding to `places` digits after the point, as text.
std::string FormatFixed(long double value, int places);

// Rounds half up on the number's decimal digits: 0.3335 gives 0.334 although its binary
// value lies a little below.
long double RoundDecimals(long double value, int places);

}  // namespace zepo
