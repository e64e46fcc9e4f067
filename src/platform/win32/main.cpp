// Vandrel's entry point. "/exit" ends the running copy (for installers).
#include <windows.h>

#include <string>

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

// Whether the command line, after the program's own name, is "/exit" (an
// installer ending the running copy before it replaces the program).
bool ExitAsked() {
    const wchar_t* at = GetCommandLineW();
    if (*at == L'"') {
        ++at;
        while (*at && *at != L'"') ++at;
        if (*at) ++at;
    } else {
        while (*at && *at != L' ' && *at != L'\t') ++at;
    }
    while (*at == L' ' || *at == L'\t') ++at;
    std::wstring rest(at);
    while (!rest.empty() && (rest.back() == L' ' || rest.back() == L'\t')) rest.pop_back();
    return CompareStringOrdinal(rest.c_str(), -1, L"/exit", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (ExitAsked()) return vandrel::win32::EndRunningCopy();
    UseLowFragmentationHeap();
    // The common controls, OLE and the shell are loaded when first needed
    // (platform/win32/loaded_libraries.h).
    vandrel::win32::Win32Platform platform(instance);
    return vandrel::RunProgram(platform);
}
