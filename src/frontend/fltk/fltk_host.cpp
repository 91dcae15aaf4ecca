#include "frontend/fltk/fltk_host.h"

#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/x.H>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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
    fl_open_display();
    ScreenArea area{};
    Fl::screen_xywh(area.X, area.Y, area.Width, area.Height, 0);
    return area;
}

ScreenMetrics FltkHost::GetScreenMetrics()
{
    fl_open_display();
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
    fl_register_images();
    Fl_Shared_Image* image = Fl_Shared_Image::get(file.c_str());
    if (!image || image->w() <= 0 || image->h() <= 0 || image->fail()) {
        if (image) image->release();
        throw HostError("Cannot load the picture", path, "Not a picture in a known format (BMP, JPEG, PNG, GIF)");
    }
    return std::make_shared<FltkPicture>(image);
}

void FltkHost::PumpEvents() { Fl::check(); }

} // namespace discmenu
