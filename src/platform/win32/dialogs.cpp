// Modal dialogs: message boxes, the folder chooser and the text question.
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

#include <commdlg.h>
#include <shlobj.h>

namespace vandrel::win32 {

ModalScope::ModalScope(Win32Platform& platform, HWND owner) {
    for (const auto& [number, object] : platform.windows_) {
        HWND hwnd = object->hwnd;
        if (!hwnd) continue;
        const bool topmost = (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        // The box disables its owner itself and enables it again just before it goes, which
        // gives the owner the activation back; disabled here, it would stay out of reach.
        const bool disable = hwnd != owner;
        saved_.push_back({hwnd, IsWindowEnabled(hwnd) != FALSE, topmost, disable});
        if (disable) EnableWindow(hwnd, FALSE);
        if (topmost)
            SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

ModalScope::~ModalScope() {
    for (const Saved& saved : saved_) {
        if (!IsWindow(saved.hwnd)) continue;
        if (saved.disabled) EnableWindow(saved.hwnd, saved.enabled ? TRUE : FALSE);
        if (saved.topmost)
            SetWindowPos(saved.hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

MessageAnswer Win32Platform::ShowMessage(int owner, const std::string& title,
                                         const std::string& text, MessageButtons buttons) {
    HWND ownerHandle = HandleOf(owner);
    ModalScope modal(*this, ownerHandle);
    const UINT style = buttons == MessageButtons::YesNo ? (MB_YESNO | MB_ICONQUESTION)
                       : buttons == MessageButtons::Note ? (MB_OK | MB_ICONINFORMATION)
                                                         : (MB_OK | MB_ICONERROR);
    // Without an owner the box still keeps the thread's windows from input.
    const UINT modality = ownerHandle ? MB_APPLMODAL : MB_TASKMODAL;
    const int answer =
        MessageBoxA(ownerHandle, text.c_str(), title.c_str(), style | MB_SETFOREGROUND | modality);
    if (buttons != MessageButtons::YesNo) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

namespace {

// comdlg32 is loaded at the chooser's first use: it brings the printing
// libraries with it, megabytes that a run without the chooser never needs.
using ChooseColorFunction = BOOL(WINAPI*)(LPCHOOSECOLORA);
ChooseColorFunction ChooseColorEntry() {
    static const ChooseColorFunction entry = [] {
        HMODULE module = LoadLibraryA("comdlg32.dll");
        FARPROC found = module ? GetProcAddress(module, "ChooseColorA") : nullptr;
        return reinterpret_cast<ChooseColorFunction>(reinterpret_cast<void (*)()>(found));
    }();
    return entry;
}

}  // namespace

std::optional<ColourValue> Win32Platform::ChooseColour(ColourValue initial, CustomColours& custom) {
    const ChooseColorFunction chooseColor = ChooseColorEntry();
    if (!chooseColor) return std::nullopt;  // as if cancelled: the row stays as it was
    // Owned by our window in front, if one is: the chooser then comes up over it.
    HWND owner = GetForegroundWindow();
    if (!TopLevelOf(owner)) owner = nullptr;
    ModalScope modal(*this);
    COLORREF table[16];
    for (int i = 0; i < 16; ++i) table[i] = ToColorRef(custom[i]);
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.rgbResult = ToColorRef(initial);
    choice.lpCustColors = table;
    choice.Flags = CC_RGBINIT;
    const bool chosen = chooseColor(&choice) != FALSE;
    for (int i = 0; i < 16; ++i) custom[i] = static_cast<ColourValue>(table[i] & 0xFFFFFF);
    if (!chosen) return std::nullopt;
    return static_cast<ColourValue>(choice.rgbResult & 0xFFFFFF);
}

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT message, LPARAM, LPARAM start) {
    if (message != BFFM_INITIALIZED || !start) return 0;
    // Selected through its item list: a path alone only opens the tree part way on some systems.
    if (const PidlHandle list{ItemListFromPath(reinterpret_cast<const char*>(start))}) {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(list.get()));
    } else {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, start);
    }
    return 0;
}

}  // namespace

std::string Win32Platform::ChooseFolder(const std::string& title, const std::string& start) {
    EnsureOle();
    ModalScope modal(*this);
    BROWSEINFOA info{};
    info.lpszTitle = title.c_str();
    // The box takes a typed path too.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    const PidlHandle list{BrowseForFolder(&info)};
    if (!list) return {};
    char path[MAX_PATH] = {};
    return PathFromItemList(list.get(), path) ? std::string(path) : std::string();
}

// --- the text question -------------------------------------------------------

namespace {

constexpr int kAnswerEditId = 100;

struct TextDialog {
    const TextQuestion& question;
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

bool LayOutTextDialog(HWND dialog, const TextDialog& state) {
    const TextQuestion& question = state.question;
    SetWindowTextA(dialog, question.title.c_str());
    SetWindowPos(dialog, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - question.size.width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - question.size.height) / 2, question.size.width,
                 question.size.height, 0);
    RECT client{};
    GetClientRect(dialog, &client);
    const int width = client.right - 20;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND prompt = CreateWindowExA(0, "STATIC", question.prompt.c_str(), WS_CHILD | WS_VISIBLE, 10,
                                  8, width, 18, dialog, nullptr, instance, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", question.suggested.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 30, width,
                                22, dialog, ControlIdHandle(kAnswerEditId), instance, nullptr);
    HWND ok = CreateWindowExA(
        0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, client.right - 90,
        client.bottom - 32, 80, 25, dialog, ControlIdHandle(IDOK), instance, nullptr);
    if (!prompt || !edit || !ok) return false;
    for (HWND child : {prompt, edit, ok})
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    if (question.maxLength > 0) SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(question.maxLength), 0);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return true;
}

INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TextDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            // A box without its field could give no answer: cancel it.
            if (!LayOutTextDialog(dialog, *reinterpret_cast<TextDialog*>(lParam)))
                EndDialog(dialog, IDCANCEL);
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                HWND edit = GetDlgItem(dialog, kAnswerEditId);
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
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::string Win32Platform::AskText(int owner, const TextQuestion& question) {
    HWND ownerHandle = HandleOf(owner);
    ModalScope modal(*this, ownerHandle);
    EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.header.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    TextDialog state{question, {}, MessageFont()};
    if (DialogBoxIndirectParamA(instance_, &dialogTemplate.header, ownerHandle, TextDialogProc,
                                reinterpret_cast<LPARAM>(&state)) == -1)
        OutputDebugStringA("Vandrel: the text question could not be shown\n");
    return state.answer;
}

}  // namespace vandrel::win32
