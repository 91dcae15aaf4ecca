#include "settings/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "host/host.h"

namespace discmenu {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

// Half to even, the rounding of the conversions the settings were written against.
double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

// Where the number at the start of `text` begins and where its mantissa ends; an empty
// span when the text holds no number.
struct NumberSpan {
    std::size_t start = 0, mantissaEnd = 0;
    bool Empty() const { return mantissaEnd == 0; }
};

NumberSpan FindMantissa(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissa = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - mantissa;
    if (i < text.size() && text[i] == '.') {
        const std::size_t afterPoint = SkipDigits(text, i + 1);
        digits += afterPoint - (i + 1);
        i = afterPoint;
    }
    if (digits == 0) return {};
    return {start, i};
}

} // namespace

bool StartsWithNumber(std::string_view text) { return !FindMantissa(text).Empty(); }

double NumericValue(std::string_view text)
{
    const NumberSpan span = FindMantissa(text);
    if (span.Empty()) return 0;
    const std::size_t start = span.start;
    std::size_t i = span.mantissaEnd;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }

    // from_chars knows neither "+" nor "d"; give it the plain form.
    std::string number(text.substr(start, end - start));
    const bool negative = number[0] == '-';
    if (number[0] == '+' || negative) number.erase(0, 1);
    for (char& c : number)
        if (c == 'd' || c == 'D') c = 'e';
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is infinite; too small is zero.
        const bool tiny = number.find_first_of("eE") != std::string::npos &&
                          number[number.find_first_of("eE") + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::int16_t RoundToInt16(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -32768 && rounded <= 32767))
        throw HostError("Overflow: the value of \"timer auto\" does not fit in -32768..32767");
    return static_cast<std::int16_t>(rounded);
}

std::int32_t RoundToInt32(double value)
{
    return static_cast<std::int32_t>(RoundHalfEven(value));
}

} // namespace discmenu
