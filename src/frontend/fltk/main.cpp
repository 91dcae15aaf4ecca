// discmenu on Linux: the FLTK window over the POSIX host.

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>

#include "frontend/fltk/fltk_host.h"
#include "frontend/fltk/fltk_window.h"
#include "window/form1.h"

namespace {

using namespace discmenu;

// The one boundary of every event handler: a host error is shown, then ends the program.
template <typename Handler>
void Guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "discmenu: %s\n", error.what());
        fl_message_title("discmenu: error");
        fl_message_hotspot(0);
        fl_alert("%s", error.what());
        std::exit(1);
    }
}

} // namespace

int main()
{
    FltkHost host;
    Form1* form = nullptr;
    FltkWindow window(host.GetScreenMetrics(),
                      {[&](ControlId button) { Guarded([&] { form->Click(button); }); },
                       [&] { Guarded([&] { form->Tick(); }); },
                       [&] { host.EndProgram(); }});
    Form1 menu(host, window);
    form = &menu;
    Guarded([&] { menu.Load(); });
    window.Show();
    return Fl::run();
}
