#pragma once
// Numbers written in the settings file: read the way the menu always has, whatever the
// regional settings of the machine.

#include <cstdint>
#include <string_view>

namespace discmenu {

// The number at the start of `text` after leading blanks: optional sign, digits with at
// most one period, optional exponent ("e" or "d"). Stops at the first character that
// cannot continue it; a text without a number gives 0. Too large a number is infinite.
double NumericValue(std::string_view text);

// Whether `text` starts, after leading blanks, with a number NumericValue can read.
bool StartsWithNumber(std::string_view text);

// Nearest whole number, halves to even; throws HostError outside -32768..32767.
std::int16_t RoundToInt16(double value);

// Nearest whole number, halves to even, for values the clamps keep small.
std::int32_t RoundToInt32(double value);

} // namespace discmenu
