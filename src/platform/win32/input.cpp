// Keyboard output and the clipboard.
#include <cstring>

#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

// Another program may hold the clipboard for a moment: try a few times.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool Win32Platform::SetClipboardText(const std::string& text) {
    if (!OpenClipboardPatiently(helper_ ? helper_->hwnd : nullptr)) return false;
    bool done = false;
    if (EmptyClipboard()) {
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
            if (void* target = GlobalLock(memory)) {
                std::memcpy(target, text.c_str(), text.size() + 1);
                GlobalUnlock(memory);
                done = SetClipboardData(CF_TEXT, memory) != nullptr;
            }
            if (!done) GlobalFree(memory);  // the clipboard owns it only on success
        }
    }
    CloseClipboard();
    return done;
}

std::string Win32Platform::ClipboardText() {
    if (!OpenClipboardPatiently(helper_ ? helper_->hwnd : nullptr)) return {};
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text.assign(chars, strnlen(chars, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::int16_t Win32Platform::KeyScan(char ch) {
    // The layout of the application that receives the keys, which may have
    // its own; ours when nothing is in front.
    HWND foreground = GetForegroundWindow();
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    return static_cast<std::int16_t>(VkKeyScanExA(ch, GetKeyboardLayout(thread)));
}

void Win32Platform::SendKeys(const std::vector<KeyRecord>& records) {
    if (records.empty()) return;
    std::vector<INPUT> inputs(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        INPUT& input = inputs[i];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = records[i].virtualKey;
        input.ki.wScan = records[i].unicodeChar;
        input.ki.dwFlags = (records[i].unicodeChar ? KEYEVENTF_UNICODE : 0) |
                           (records[i].keyUp ? KEYEVENTF_KEYUP : 0);
    }
    // One call, so that no other keystroke can come between the keys of a code.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace vandrel::win32
