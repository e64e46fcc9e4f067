// Which of the program's windows owns a message box or the name box.
#pragma once

#include "platform/platform.h"

namespace vandrel {

// The window in front when it is the editor, the manage or the about window;
// else the editor, the manage window or the tray owner, the first that is
// open. The owner gets the focus back when the box closes: with none, the
// system would hand it to the program behind ours.
int DialogOwner(Platform& platform);

}  // namespace vandrel
