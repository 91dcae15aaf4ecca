#include "frontend/fltk/fltk_host.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/x.H>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace discmenu {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMillimetresPerInch = 25.4;

// The density desktops agree on for text: the Xft.dpi resource when the session sets one.
double XftDpi()
{
    const char* resources = XResourceManagerString(fl_display);
    if (!resources) return 0;
    const char* entry = std::strstr(resources, "Xft.dpi:");
    if (!entry || (entry != resources && entry[-1] != '\n')) return 0;
    return std::strtod(entry + std::strlen("Xft.dpi:"), nullptr);
}

void IgnoreWarning(const char*, ...) {}

// FLTK warns once that it found no input method: expected, the menu opens none (x_shims.cpp).
void OpenDisplay()
{
    if (fl_display) return;
    const auto warning = Fl::warning;
    Fl::warning = IgnoreWarning;
    fl_open_display();
    Fl::warning = warning;
}

std::uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }

// The common picture of a disc, an uncompressed 24-bit BMP, read in one go: FLTK's reader
// takes each byte with getc(), some 3 ms for 640x480. The pixels are the same as FLTK's;
// any other kind of file, or one that is short or odd in any way, is left to FLTK.
Fl_RGB_Image* ReadPlainBmp(const std::string& file)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), std::fclose);
    unsigned char header[54];
    if (!f || std::fread(header, 1, sizeof header, f.get()) != sizeof header || header[0] != 'B' || header[1] != 'M')
        return nullptr;
    const std::uint32_t offset = Le32(header + 10), infoSize = Le32(header + 14);
    const auto width = static_cast<std::int32_t>(Le32(header + 18));
    const auto height = static_cast<std::int32_t>(Le32(header + 22));
    const unsigned depth = header[28] | header[29] << 8;
    const std::uint32_t compression = Le32(header + 30), dataSize = Le32(header + 34);
    if (infoSize < 40 || depth != 24 || compression != 0 || width <= 1 || width > 65535 || height == 0 ||
        height > 65535 || height < -65535 || offset < 14 + infoSize)
        return nullptr;
    const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height < 0 ? -height : height);
    const std::size_t stride = (w * 3 + 3) & ~std::size_t{3};
    // FLTK takes a 24-bit picture with a mask after it for an icon; leave those to it.
    if (stride * h + (((w + 7) / 8 + 3) & ~std::size_t{3}) * h == 2 * std::size_t{dataSize}) return nullptr;
    if (w * h * 3 > Fl_RGB_Image::max_size()) return nullptr;
    // The header alone never decides how much memory a stranger's file gets.
    if (std::fseek(f.get(), 0, SEEK_END) != 0 || std::ftell(f.get()) < static_cast<long>(offset + stride * h))
        return nullptr;
    if (std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return nullptr;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[w * h * 3]);
    std::vector<unsigned char> row(stride);
    for (std::size_t i = 0; i < h; ++i) { // rows in file order: bottom-up unless the height is negative
        if (std::fread(row.data(), 1, stride, f.get()) != stride) return nullptr;
        unsigned char* to = pixels.get() + (height > 0 ? h - 1 - i : i) * w * 3;
        for (const unsigned char* from = row.data(); from < row.data() + w * 3; from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    auto* image = new Fl_RGB_Image(pixels.release(), static_cast<int>(w), static_cast<int>(h), 3);
    image->alloc_array = 1; // the image frees the pixels
    return image;
}

double ScreenDpi(int pixels, int millimetres)
{
    return millimetres > 0 ? pixels * kMillimetresPerInch / millimetres : 96;
}

} // namespace

FltkPicture::~FltkPicture()
{
    if (auto* shared = dynamic_cast<Fl_Shared_Image*>(image_)) shared->release();
    else delete image_;
}

ScreenArea PrimaryScreen()
{
    OpenDisplay();
    ScreenArea area{};
    Fl::screen_xywh(area.X, area.Y, area.Width, area.Height, 0);
    return area;
}

ScreenMetrics FltkHost::GetScreenMetrics()
{
    OpenDisplay();
    const int screen = DefaultScreen(fl_display);
    double dpiX = XftDpi();
    double dpiY = dpiX;
    if (dpiX <= 0) {
        dpiX = ScreenDpi(DisplayWidth(fl_display, screen), DisplayWidthMM(fl_display, screen));
        dpiY = ScreenDpi(DisplayHeight(fl_display, screen), DisplayHeightMM(fl_display, screen));
    }
    const ScreenArea area = PrimaryScreen();
    const double twipsX = kTwipsPerInch / dpiX;
    const double twipsY = kTwipsPerInch / dpiY;
    return {twipsX, twipsY, area.Width * twipsX, area.Height * twipsY};
}

std::shared_ptr<Picture> FltkHost::LoadPictureFile(const std::string& path)
{
    const std::string file = ResolvePath(path);
    // Open it ourselves first: the image readers do not say why a file cannot be read.
    const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw HostError("Cannot load the picture", path, SystemReason(errno));
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    // A FIFO or a device would block the readers, a directory means nothing to them.
    if (!regular) throw HostError("Cannot load the picture", path, "Not a regular file");
    if (Fl_Image* bmp = ReadPlainBmp(file)) return std::make_shared<FltkPicture>(bmp);
    fl_register_images();
    Fl_Shared_Image* image = Fl_Shared_Image::get(file.c_str());
    if (!image || image->w() <= 0 || image->h() <= 0 || image->fail()) {
        if (image) image->release();
        throw HostError("Cannot load the picture", path, "Not a picture in a known format (BMP, JPEG, PNG, GIF)");
    }
    return std::make_shared<FltkPicture>(image);
}

// Asked for before the window shows, the sound starts once the window is drawn: the player
// starting beside the menu would otherwise slow its first frame on a small machine.
int FltkHost::PlaySoundAsync(const std::string& path, unsigned flags)
{
    if (Fl::first_window()) return PosixHost::PlaySoundAsync(path, flags);
    pendingSound_ = path;
    pendingFlags_ = flags;
    Fl::add_check(PlayOnceDrawn, this);
    return 1;
}

// Checks run before each wait for events; the window is drawn once shown with no damage left.
void FltkHost::PlayOnceDrawn(void* self)
{
    const Fl_Window* window = Fl::first_window();
    if (!window || window->damage()) return;
    Fl::remove_check(PlayOnceDrawn, self);
    auto* host = static_cast<FltkHost*>(self);
    host->PosixHost::PlaySoundAsync(host->pendingSound_, host->pendingFlags_);
}

void FltkHost::PumpEvents() { Fl::check(); }

} // namespace discmenu
