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
    if (message == BFFM_INITIALIZED && start)
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

}  // namespace

std::string Win32Platform::ChooseFolder(const std::string& title, const std::string& start) {
    ModalScope modal(*this);
    BROWSEINFOA info{};
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
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

struct NameDialog {
    bool done = false;
    bool accepted = false;
    std::string text;
};

LRESULT CALLBACK NameDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<NameDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
            if (!dialog) break;
            if (LOWORD(wParam) == IDOK) {
                HWND edit = GetDlgItem(hwnd, kNameEditId);
                std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
                text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
                dialog->text = text;
                dialog->accepted = true;
                dialog->done = true;
            } else if (LOWORD(wParam) == IDCANCEL) {
                dialog->done = true;
            }
            return 0;
        case WM_CLOSE:
            if (dialog) dialog->done = true;
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HFONT DialogFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    static GdiObject font(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                              ? CreateFontIndirectA(&metrics.lfMessageFont)
                              : nullptr);
    return font ? static_cast<HFONT>(font.get()) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

std::string Win32Platform::AskPaletteName(const std::string& suggested) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = NameDialogProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = appIcon_.get();
        wc.lpszClassName = kNameDialogClass;
        registered = RegisterClassExA(&wc) != 0;
    }
    ModalScope modal(*this);
    constexpr int kWidth = 300, kHeight = 130;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kNameDialogClass, "Palette Name",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kWidth, kHeight, nullptr,
                                nullptr, instance_, nullptr);
    if (!hwnd) return {};
    NameDialog dialog;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right - 20;
    HWND prompt = CreateWindowExA(0, "STATIC", "Please enter a name for your new palette file",
                                  WS_CHILD | WS_VISIBLE, 10, 8, width, 18, hwnd, nullptr, instance_, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", suggested.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 30, width, 22, hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNameEditId)), instance_, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              client.right - 90, client.bottom - 32, 80, 25, hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance_, nullptr);
    for (HWND child : {prompt, edit, ok}) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), TRUE);
    ::ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);

    MSG msg;
    while (!dialog.done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Enter chooses OK and Escape cancels, as in any dialog.
        if (IsDialogMessageA(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ::DestroyWindow(hwnd);
    return dialog.accepted ? dialog.text : std::string();
}

}  // namespace vandrel::win32
