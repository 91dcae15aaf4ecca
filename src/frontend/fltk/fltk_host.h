#pragma once
// The POSIX host completed with what only the toolkit knows: the display's density, the
// pictures it can draw and its event queue.

#include <FL/Fl_Image.H>

#include "host/host_posix.h"

namespace discmenu {

class FltkPicture : public Picture {
public:
    explicit FltkPicture(Fl_Image* image) : image_(image) {}
    ~FltkPicture() override;
    int WidthPixels() const override { return image_->w(); }
    int HeightPixels() const override { return image_->h(); }
    Fl_Image* Image() const { return image_; }

private:
    Fl_Image* image_;
};

class FltkHost : public PosixHost {
public:
    ScreenMetrics GetScreenMetrics() override;
    std::shared_ptr<Picture> LoadPictureFile(const std::string& path) override;
    void PumpEvents() override;
};

// Where the primary screen lies within the X root, in pixels.
struct ScreenArea {
    int X, Y, Width, Height;
};
ScreenArea PrimaryScreen();

} // namespace discmenu
