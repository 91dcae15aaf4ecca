// The five buttons. Every launch button stops Timer1 for good, which cancels whatever the
// automatic sequence has not done yet; "Quitter" ends at once.

#include <algorithm>

#include "window/form1.h"

namespace discmenu {

namespace {

enum class ButtonAction { OpenDocument, StartProgram, Quit };

struct ButtonRow {
    ControlId Button;
    ButtonAction Action;
    std::string MenuState::*Target;
};

constexpr ButtonRow kButtons[] = {
    {ControlId::Command1, ButtonAction::OpenDocument, &MenuState::File1},
    {ControlId::Command2, ButtonAction::OpenDocument, &MenuState::File2},
    {ControlId::Command3, ButtonAction::Quit, nullptr},
    {ControlId::Command4, ButtonAction::StartProgram, &MenuState::Exe1},
    {ControlId::Command5, ButtonAction::StartProgram, &MenuState::Exe2},
};

} // namespace

void Form1::OpenDocument(const std::string& path)
{
    host_.OpenDocument(window_.Handle(), nullptr, path, nullptr, state_.BaseDir, kShowNormal);
}

void Form1::Click(ControlId button)
{
    const auto row = std::find_if(std::begin(kButtons), std::end(kButtons),
                                  [button](const ButtonRow& r) { return r.Button == button; });
    if (row == std::end(kButtons)) return;
    switch (row->Action) {
    case ButtonAction::OpenDocument:
        RefreshBaseDir(state_, host_);
        OpenDocument(state_.*row->Target);
        window_.StopTimer();
        break;
    case ButtonAction::StartProgram:
        // A program that cannot be started throws before the timer is stopped.
        host_.StartProgram(state_.*row->Target, kShowNormal);
        window_.StopTimer();
        break;
    case ButtonAction::Quit: host_.EndProgram(); break;
    }
}

} // namespace discmenu
