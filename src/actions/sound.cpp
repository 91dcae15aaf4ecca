// The start-up sound: started, never waited for; then one pass over pending events, which
// may handle a tick that fell due while start-up ran.

#include "window/form1.h"

namespace discmenu {

void Form1::play()
{
    if (!state_.NoSound) host_.PlaySoundAsync(state_.SoundFile, kSoundAsync);
    host_.PumpEvents();
}

} // namespace discmenu
