#include "core/dialog_owner.h"

namespace vandrel {

int DialogOwner(Platform& platform) {
    const int front = platform.ForegroundWindowNumber();
    if (front == kEditorWindow || front == kManageWindow || front == kAboutWindow) return front;
    for (int window : {kEditorWindow, kManageWindow, kTrayOwnerWindow})
        if (WindowExists(platform, window)) return window;
    return kNoWindow;
}

}  // namespace vandrel
