// The automatic sequence: on tick LaunchAfter launch the configured program or document,
// on the tick of the rounded QuitAfter end the menu. Tests for equality, so each happens
// on exactly one tick.

#include "settings/number.h"
#include "window/form1.h"

namespace discmenu {

void Form1::Tick()
{
    ++state_.Ticks;
    RefreshBaseDir(state_, host_);
    if (state_.Ticks == static_cast<std::int32_t>(state_.LaunchAfter)) {
        if (!state_.AutoExe.empty()) host_.StartProgram(state_.AutoExe, kShowNormal);
        else OpenDocument(state_.AutoFile);
    } else if (state_.Ticks == RoundToInt32(state_.QuitAfter)) {
        host_.EndProgram();
    }
}

AutoSequence Form1::Sequence(bool timerRuns, bool ended) const
{
    if (ended) return AutoSequence::Ended;
    if (!timerRuns) return AutoSequence::Stopped;
    return state_.Ticks < state_.LaunchAfter ? AutoSequence::Waiting : AutoSequence::Launched;
}

} // namespace discmenu
