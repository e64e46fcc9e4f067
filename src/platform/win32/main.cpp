// Vandrel's entry point: the program takes nothing on its command line.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/startup.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                                    ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder chooser needs COM in a single-threaded apartment.
    const HRESULT com = OleInitialize(nullptr);
    int code = 0;
    {
        vandrel::win32::Win32Platform platform(instance);
        code = vandrel::RunProgram(platform);
    }
    if (SUCCEEDED(com)) OleUninitialize();
    return code;
}
