// Turns the program's XPM drawing into the ICO file the Windows resource script embeds,
// so both builds show the same icon from one source. Runs on the build machine, so it is
// plain C++17 with no library: usage `xpm_to_ico OUTPUT.ico`.
//
// The ICO holds one 32 x 32 image: a 32-bit BGRA bitmap (alpha 0 where the XPM says None)
// followed by the 1-bit AND mask older Windows versions use for transparency.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "frontend/icon/discmenu_icon.xpm"

namespace {

constexpr int kIconPixels = 32;

struct Bgra {
    std::uint8_t Blue = 0, Green = 0, Red = 0, Alpha = 0;
};

struct Image {
    int Width = 0, Height = 0;
    std::vector<Bgra> Pixels; // top row first
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::runtime_error(std::string("not a hex digit: ") + c);
}

// "#RRGGBB", "#RGB" or "None"; the drawing uses nothing else.
Bgra ParseColor(const std::string& text)
{
    if (text == "None" || text == "none") return {};
    if (text.size() == 7 && text[0] == '#') {
        auto byte = [&](int at) { return static_cast<std::uint8_t>(HexDigit(text[at]) * 16 + HexDigit(text[at + 1])); };
        return {byte(5), byte(3), byte(1), 255};
    }
    if (text.size() == 4 && text[0] == '#') {
        auto nibble = [&](int at) { return static_cast<std::uint8_t>(HexDigit(text[at]) * 17); };
        return {nibble(3), nibble(2), nibble(1), 255};
    }
    throw std::runtime_error("unsupported XPM colour: " + text);
}

// The colour of a colour line: the word after the "c" key.
std::string ColorWord(const std::string& rest)
{
    std::istringstream words(rest);
    std::string word;
    while (words >> word) {
        if (word == "c" && words >> word) return word;
    }
    throw std::runtime_error("XPM colour line without a \"c\" colour: " + rest);
}

Image ReadXpm(const char* const* xpm)
{
    std::istringstream header(xpm[0]);
    int width = 0, height = 0, colors = 0, charsPerPixel = 0;
    if (!(header >> width >> height >> colors >> charsPerPixel) || charsPerPixel < 1)
        throw std::runtime_error("bad XPM header");
    std::map<std::string, Bgra> palette;
    for (int i = 1; i <= colors; ++i) {
        const std::string line = xpm[i];
        palette[line.substr(0, charsPerPixel)] = ParseColor(ColorWord(line.substr(charsPerPixel)));
    }
    Image image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        const std::string row = xpm[1 + colors + y];
        if (row.size() < static_cast<std::size_t>(width * charsPerPixel)) throw std::runtime_error("short XPM row");
        for (int x = 0; x < width; ++x) {
            const auto found = palette.find(row.substr(x * charsPerPixel, charsPerPixel));
            if (found == palette.end()) throw std::runtime_error("XPM pixel of no colour");
            image.Pixels.push_back(found->second);
        }
    }
    return image;
}

class LittleEndian {
public:
    void U8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v) { U8(v & 0xFF), U8(v >> 8); }
    void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

std::string IconFile(const Image& image)
{
    constexpr std::uint32_t kDirectorySize = 6 + 16, kInfoHeaderSize = 40;
    const int maskRowBytes = (image.Width + 31) / 32 * 4;
    const auto colorBytes = static_cast<std::uint32_t>(image.Width * image.Height * 4);
    const auto maskBytes = static_cast<std::uint32_t>(maskRowBytes * image.Height);
    LittleEndian out;
    out.U16(0), out.U16(1), out.U16(1); // reserved, type icon, one image
    out.U8(static_cast<std::uint8_t>(image.Width)), out.U8(static_cast<std::uint8_t>(image.Height));
    out.U8(0), out.U8(0), out.U16(1), out.U16(32); // no palette, one plane, 32 bits per pixel
    out.U32(kInfoHeaderSize + colorBytes + maskBytes), out.U32(kDirectorySize);
    // The header counts the colour and mask bitmaps together: twice the height.
    out.U32(kInfoHeaderSize), out.U32(image.Width), out.U32(image.Height * 2);
    out.U16(1), out.U16(32), out.U32(0), out.U32(colorBytes + maskBytes);
    out.U32(0), out.U32(0), out.U32(0), out.U32(0);
    for (int y = image.Height - 1; y >= 0; --y) // bitmaps are stored bottom row first
        for (int x = 0; x < image.Width; ++x) {
            const Bgra& p = image.Pixels[y * image.Width + x];
            out.U8(p.Blue), out.U8(p.Green), out.U8(p.Red), out.U8(p.Alpha);
        }
    for (int y = image.Height - 1; y >= 0; --y)
        for (int byte = 0; byte < maskRowBytes; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                const bool transparent = x < image.Width && image.Pixels[y * image.Width + x].Alpha == 0;
                if (transparent) bits |= static_cast<std::uint8_t>(0x80 >> bit);
            }
            out.U8(bits);
        }
    return out.Bytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xpm_to_ico OUTPUT.ico\n");
        return 2;
    }
    try {
        const Image image = ReadXpm(discmenu_icon_xpm);
        if (image.Width != kIconPixels || image.Height != kIconPixels)
            throw std::runtime_error("the icon must be 32 x 32 pixels");
        std::ofstream file(argv[1], std::ios::binary);
        file << IconFile(image);
        if (!file.flush()) throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "xpm_to_ico: %s\n", error.what());
        return 1;
    }
    return 0;
}
