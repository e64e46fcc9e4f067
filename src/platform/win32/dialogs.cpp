// Modal dialogs: message boxes, the folder chooser and the palette-name box.
#include "platform/win32/win32_platform.h"

#include <shlobj.h>

namespace vandrel::win32 {

ModalScope::ModalScope(Win32Platform& platform) {
    for (const auto& [number, hwnd] : platform.windows_) {
        if (!IsWindow(hwnd)) continue;
        const bool topmost = (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        saved_.push_back({hwnd, IsWindowEnabled(hwnd) != FALSE, topmost});
        EnableWindow(hwnd, FALSE);
        if (topmost)
            SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

ModalScope::~ModalScope() {
    for (const Saved& saved : saved_) {
        if (!IsWindow(saved.hwnd)) continue;
        EnableWindow(saved.hwnd, saved.enabled ? TRUE : FALSE);
        if (saved.topmost)
            SetWindowPos(saved.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

MessageAnswer Win32Platform::ShowMessage(const std::string& title, const std::string& text,
                                         MessageButtons buttons) {
    ModalScope modal(*this);
    const UINT style = buttons == MessageButtons::YesNo ? (MB_YESNO | MB_ICONQUESTION)
                                                          : (MB_OK | MB_ICONERROR);
    const int answer = MessageBoxA(nullptr, text.c_str(), title.c_str(),
                                   style | MB_SETFOREGROUND | MB_TASKMODAL);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT message, LPARAM, LPARAM start) {
    if (message != BFFM_INITIALIZED || !start) return 0;
    // Selected through its item list: a path alone only opens the tree part way on some systems.
    if (PIDLIST_ABSOLUTE list = ILCreateFromPathA(reinterpret_cast<const char*>(start))) {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(list));
        ILFree(list);
    } else {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, start);
    }
    return 0;
}

}  // namespace

std::string Win32Platform::ChooseFolder(const std::string& title, const std::string& start) {
    ModalScope modal(*this);
    BROWSEINFOA info{};
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
    if (!list) return {};
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(list, path) != FALSE;
    CoTaskMemFree(list);
    return ok ? std::string(path) : std::string();
}

// --- the "Palette Name" box -------------------------------------------------

namespace {

constexpr int kNameEditId = 100;
constexpr int kNameWidth = 300;
constexpr int kNameHeight = 130;

struct NameDialog {
    std::string suggested;
    std::string answer;
    HFONT font = nullptr;
};

// A dialog of the system's own class without controls; they are made in
// pixels when it opens, so the box has exactly the size it should.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

HFONT DialogFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    static GdiObject font(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                              ? CreateFontIndirectA(&metrics.lfMessageFont)
                              : nullptr);
    return font ? static_cast<HFONT>(font.get()) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void LayOutNameDialog(HWND dialog, const NameDialog& state) {
    SetWindowTextA(dialog, "Palette Name");
    SetWindowPos(dialog, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - kNameWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - kNameHeight) / 2, kNameWidth, kNameHeight, 0);
    RECT client{};
    GetClientRect(dialog, &client);
    const int width = client.right - 20;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND prompt = CreateWindowExA(0, "STATIC", "Please enter a name for your new palette file",
                                  WS_CHILD | WS_VISIBLE, 10, 8, width, 18, dialog, nullptr, instance, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", state.suggested.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 30, width, 22, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNameEditId)), instance, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              client.right - 90, client.bottom - 32, 80, 25, dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    for (HWND child : {prompt, edit, ok})
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<NameDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            LayOutNameDialog(dialog, *reinterpret_cast<NameDialog*>(lParam));
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                HWND edit = GetDlgItem(dialog, kNameEditId);
                std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
                text.resize(static_cast<std::size_t>(
                    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
                state->answer = text;
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            // Escape and the close box arrive as IDCANCEL: an empty answer.
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default: break;
    }
    return FALSE;
}

}  // namespace

std::string Win32Platform::AskPaletteName(const std::string& suggested) {
    ModalScope modal(*this);
    EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    NameDialog state;
    state.suggested = suggested;
    state.font = DialogFont();
    DialogBoxIndirectParamA(instance_, &dialogTemplate.header, nullptr, NameDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    return state.answer;
}

}  // namespace vandrel::win32
