// Start-up: the only place where the menu reads its settings and changes what its window
// shows. A failing step ends the run before any later one.

#include "window/form1.h"
#include "window/geometry.h"

namespace discmenu {

void Form1::Load()
{
    const ScreenMetrics density = host_.GetScreenMetrics();
    const double pixelTwipsX = density.TwipsPerPixelX;
    const double pixelTwipsY = density.TwipsPerPixelY;
    ReadMenuSettings(host_, profile_, state_, *this);
    const ScreenMetrics screen = host_.GetScreenMetrics();
    ApplyGeometry(window_, pixelTwipsX, pixelTwipsY, screen.WidthTwips, screen.HeightTwips, state_.TitleSize);
    play();
}

void Form1::OnTitle(const std::string& title) { window_.SetCaption(ControlId::Label4, title); }

// Unscaled for now; the geometry step replaces it with the size for this display.
void Form1::OnTitleSize(double points) { window_.SetFontSize(ControlId::Label4, static_cast<float>(points)); }

void Form1::OnPicture(const std::string& path) { window_.SetPicture(host_.LoadPictureFile(path)); }

void Form1::OnCaption(ControlId button, const std::string& caption)
{
    window_.SetCaption(button, caption);
    // Only the empty text hides: a caption of blanks keeps its button.
    if (window_.Caption(button).empty()) window_.DisableAndHide(button);
}

} // namespace discmenu
