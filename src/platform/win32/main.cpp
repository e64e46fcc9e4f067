// Vandrel's entry point: the program takes nothing on its command line.
#include <windows.h>

#include <commctrl.h>

#include "app/startup.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&controls))
        OutputDebugStringA("Vandrel: common controls are missing\n");
    const vandrel::win32::OleSession ole;  // the folder chooser needs a single-threaded apartment
    vandrel::win32::Win32Platform platform(instance);
    return vandrel::RunProgram(platform);
}
