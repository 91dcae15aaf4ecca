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
    int PlaySoundAsync(const std::string& path, unsigned flags) override;
    void PumpEvents() override;

private:
    static void PlayOnceDrawn(void* self);
    std::string pendingSound_;
    unsigned pendingFlags_ = 0;
};

// Where the primary screen lies within the X root, in pixels.
struct ScreenArea {
    int X, Y, Width, Height;
};
ScreenArea PrimaryScreen();

} // namespace discmenu
