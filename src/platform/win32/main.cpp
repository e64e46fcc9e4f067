// Vandrel's entry point: the program takes nothing on its command line.
#include <windows.h>

#include "app/startup.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The common controls and OLE are loaded when first needed
    // (platform/win32/loaded_libraries.h).
    vandrel::win32::Win32Platform platform(instance);
    return vandrel::RunProgram(platform);
}
