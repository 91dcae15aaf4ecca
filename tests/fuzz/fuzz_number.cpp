// Any text as a number of the settings file: never NaN, and the 16-bit rounding either
// fits or fails with the host's error.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/host.h"
#include "settings/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = discmenu::NumericValue(text);
    if (std::isnan(value)) __builtin_trap();
    try {
        const int rounded = discmenu::RoundToInt16(value);
        if (std::fabs(rounded - value) > 0.5) __builtin_trap();
    } catch (const discmenu::HostError&) {
        if (std::fabs(value) < 32767) __builtin_trap();
    }
    return 0;
}
