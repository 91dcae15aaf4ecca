#pragma once
// The menu's one window as the core sees it: the state it owns for the whole run and its
// handlers (loaded, button clicked, timer tick). Front ends forward their events here.

#include "host/host.h"
#include "settings/menu_state.h"
#include "settings/profile.h"
#include "settings/settings.h"
#include "window/menu_window.h"

namespace discmenu {

// Where the automatic launch and exit stand; derived, never stored.
enum class AutoSequence { Waiting, Launched, Stopped, Ended };

class Form1 : private SettingsSink {
public:
    Form1(Host& host, MenuWindow& window) : host_(host), window_(window), profile_(host) {}

    // Start-up, before the window is first shown. Throws HostError on a picture that
    // cannot be loaded or a launch delay that does not fit 16 bits.
    void Load();
    // One of the five buttons. Throws HostError when a program cannot be started.
    void Click(ControlId button);
    // One tick of Timer1. Throws HostError when the automatic program cannot be started.
    void Tick();

    const MenuState& State() const { return state_; }
    AutoSequence Sequence(bool timerRuns, bool ended) const;

private:
    void play();
    void OpenDocument(const std::string& path);

    void OnTitle(const std::string& title) override;
    void OnTitleSize(double points) override;
    void OnPicture(const std::string& path) override;
    void OnCaption(ControlId button, const std::string& caption) override;

    Host& host_;
    MenuWindow& window_;
    ProfileReader profile_;
    MenuState state_;
};

} // namespace discmenu
