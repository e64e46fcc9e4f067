// Vandrel's entry point: the program takes nothing on its command line.
#include <windows.h>

#include "app/startup.h"
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

namespace {

// Low-fragmentation mode for the C runtime's heap, where every container of
// the program lives: rebuilding the menus of hundreds of palettes frees and
// makes thousands of small blocks each time, and a heap that fragments keeps
// growing with them (Windows may do this by itself; Wine does not).
void UseLowFragmentationHeap() {
    const auto heapHandle =
        vandrel::win32::Entry<intptr_t(__cdecl*)()>(GetModuleHandleA("msvcrt.dll"), "_get_heap_handle");
    if (!heapHandle) return;
    ULONG lowFragmentation = 2;
    HeapSetInformation(reinterpret_cast<HANDLE>(heapHandle()), HeapCompatibilityInformation, &lowFragmentation,
                       sizeof lowFragmentation);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    UseLowFragmentationHeap();
    // The common controls, OLE and the shell are loaded when first needed
    // (platform/win32/loaded_libraries.h).
    vandrel::win32::Win32Platform platform(instance);
    return vandrel::RunProgram(platform);
}
