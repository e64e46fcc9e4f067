// The system's standard controls. Each kind is one row of data: its class,
// styles, the styles its flags add, and which notifications become events.
// What a kind needs beyond styles (an image, a range, rows, buttons) is done
// by the row's fill function right after creation.
#include "platform/win32/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/control_parts.h"
#include "platform/win32/handles.h"

namespace vandrel::win32 {
namespace {

using namespace parts;

// What a notification of the system becomes.
struct Notice {
    UINT message = 0;  // WM_COMMAND, WM_NOTIFY or WM_HSCROLL; 0: no notice
    UINT code = 0;
    bool everyCode = false;
    EventKind kind = EventKind::Control;
    SubKind subKind = SubKind::None;
    bool (*accept)(HWND sender, WPARAM wParam, LPARAM lParam) = nullptr;  // nullptr: every one
};

struct FlagStyle {
    std::uint32_t flag = 0;
    DWORD style = 0;
};

enum class TextRole { Caption, Row, None };
enum class ValueRole { None, Check, Option, Position, Row };

struct KindInfo {
    ControlKind kind;
    const char* className;
    DWORD style;
    DWORD exStyle;
    bool tabStop;
    FlagStyle flagStyles[2];
    TextRole text;
    ValueRole value;
    void (*fill)(HWND control, const ControlSpec& description, const ControlResources& resources);
    Notice notices[3];
};

constexpr EventKind kControl = EventKind::Control;
constexpr Notice kClicked{WM_COMMAND, BN_CLICKED, false, kControl, SubKind::LeftClick};
constexpr Notice kEdited{WM_COMMAND, EN_CHANGE, false, kControl, SubKind::Change};
constexpr Notice kLinkClicked{WM_COMMAND, STN_CLICKED, false, kControl, SubKind::LeftClick};
constexpr Notice kSlid{WM_HSCROLL, 0, true, kControl, SubKind::Change, ThumbMoved};
constexpr Notice kRowSelected{WM_NOTIFY, LVN_ITEMCHANGED, false, kControl, SubKind::Change, SelectionChanged};
constexpr Notice kSelectionGone{WM_COMMAND, kSelectionLost, false, kControl, SubKind::Change, NothingSelected};
constexpr Notice kRowOpened{WM_NOTIFY, NM_DBLCLK, false, kControl, SubKind::DoubleClick, OnRow};
constexpr Notice kToolClicked{WM_COMMAND, BN_CLICKED, false, EventKind::Menu, SubKind::None};

constexpr DWORD kToolbarStyle = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NODIVIDER |
                                CCS_NORESIZE | CCS_NOPARENTALIGN;
constexpr DWORD kFileListStyle = LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr DWORD kToggleStyle = BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_ICON;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;
constexpr TextRole kCaption = TextRole::Caption;

// clang-format off
const KindInfo kKinds[] = {
    // kind, class, styles, extended styles, Tab stop, styles of flags, text, value, fill, notices
    {ControlKind::Text, "STATIC", SS_LEFT, 0, false, {{kFlagCentred, SS_CENTER}},
     kCaption, ValueRole::None, nullptr, {}},
    {ControlKind::Edit, "EDIT", ES_AUTOHSCROLL, kEdge, true,
     {{kFlagUpperCase, ES_UPPERCASE}, {kFlagCentred, ES_CENTER}},
     kCaption, ValueRole::None, FillEdit, {kEdited}},
    {ControlKind::PushButton, "BUTTON", BS_PUSHBUTTON, 0, true, {},
     kCaption, ValueRole::None, nullptr, {kClicked}},
    {ControlKind::ImageButton, "BUTTON", BS_PUSHBUTTON | BS_ICON, 0, true, {},
     kCaption, ValueRole::None, FillImageButton, {kClicked}},
    {ControlKind::ToggleButton, "BUTTON", kToggleStyle, 0, true, {},
     kCaption, ValueRole::Check, FillImageButton, {kClicked}},
    {ControlKind::CheckBox, "BUTTON", BS_AUTOCHECKBOX, 0, true, {},
     kCaption, ValueRole::Check, nullptr, {kClicked}},
    {ControlKind::OptionButton, "BUTTON", BS_AUTORADIOBUTTON, 0, true, {},
     kCaption, ValueRole::Option, nullptr, {kClicked}},
    {ControlKind::Frame, "BUTTON", BS_GROUPBOX, 0, false, {},
     kCaption, ValueRole::None, nullptr, {}},
    {ControlKind::TrackBar, TRACKBAR_CLASSA, TBS_HORZ, 0, true, {{kFlagTicks, TBS_AUTOTICKS}},
     TextRole::None, ValueRole::Position, FillTrackBar, {kSlid}},
    {ControlKind::FileList, WC_LISTVIEWA, kFileListStyle, kEdge, true, {},
     TextRole::Row, ValueRole::Row, FillFileList, {kRowSelected, kSelectionGone, kRowOpened}},
    {ControlKind::Toolbar, TOOLBARCLASSNAMEA, kToolbarStyle, 0, false, {},
     TextRole::None, ValueRole::None, FillToolbar, {kToolClicked}},
    {ControlKind::Link, "STATIC", SS_NOTIFY, 0, false, {{kFlagCentred, SS_CENTER}},
     kCaption, ValueRole::None, FillLink, {kLinkClicked}},
    {ControlKind::Picture, "STATIC", SS_ICON | SS_REALSIZEIMAGE, 0, false, {},
     TextRole::None, ValueRole::None, FillPicture, {}},
};
// clang-format on

const KindInfo* InfoOf(ControlKind kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind) return &info;
    return nullptr;
}

DWORD StyleFor(const KindInfo& info, const ControlSpec& description) {
    DWORD style = WS_CHILD | WS_VISIBLE | info.style;
    // Of a group of option buttons only the first is a Tab stop; the arrows move within it.
    const bool optionInGroup = info.kind == ControlKind::OptionButton && !(description.flags & kFlagGroupStart);
    if (info.tabStop && !optionInGroup && !(description.flags & kFlagMouseOnly)) style |= WS_TABSTOP;
    if (description.flags & kFlagGroupStart) style |= WS_GROUP;
    for (const FlagStyle& mapped : info.flagStyles)
        if (mapped.flag && (description.flags & mapped.flag)) style |= mapped.style;
    return style;
}

DWORD ExStyleFor(const KindInfo& info, const ControlSpec& description) {
    return (description.flags & kFlagNoBorder) ? info.exStyle & ~DWORD{WS_EX_CLIENTEDGE} : info.exStyle;
}

bool IsOptionButton(HWND hwnd) {
    return HasClass(hwnd, "BUTTON") && (StyleOf(hwnd) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// Checks an option button and clears the others of its group, as a click does.
void SelectOption(HWND option) {
    HWND first = option;
    while (!(StyleOf(first) & WS_GROUP))
        if (HWND previous = GetWindow(first, GW_HWNDPREV))
            first = previous;
        else
            break;
    for (HWND at = first; at; at = GetWindow(at, GW_HWNDNEXT)) {
        if (at != first && (StyleOf(at) & WS_GROUP)) break;
        if (IsOptionButton(at))
            SendMessageA(at, BM_SETCHECK, at == option ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

int ReadValue(HWND control, ValueRole role) {
    if (role == ValueRole::Check || role == ValueRole::Option)
        return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    if (role == ValueRole::Position)
        return static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
    return role == ValueRole::Row ? SelectedRow(control) : 0;
}

void ChangeValue(HWND control, ValueRole role, int value) {
    if (role == ValueRole::Option && value == 1)
        SelectOption(control);
    else if (role == ValueRole::Check || role == ValueRole::Option)
        SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (role == ValueRole::Position)
        SendMessageA(control, TBM_SETPOS, TRUE, value);
    else if (role == ValueRole::Row && value < RowCount(control))
        SelectRow(control, value < 0 ? -1 : value);  // a row past the last changes nothing
}

std::string WindowText(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The notice of a message from a control of the kind, nullptr when none.
const Notice* NoticeOf(ControlKind kind, UINT message, UINT code) {
    const KindInfo* info = InfoOf(kind);
    if (!info) return nullptr;
    for (const Notice& notice : info->notices)
        if (notice.message == message && (notice.everyCode || notice.code == code)) return &notice;
    return nullptr;
}

}  // namespace

Source SourceOf(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return {reinterpret_cast<HWND>(lParam), HIWORD(wParam)};
        case WM_HSCROLL:
            return {reinterpret_cast<HWND>(lParam), LOWORD(wParam)};
        case WM_NOTIFY:
            if (const auto* header = reinterpret_cast<const NMHDR*>(lParam))
                return {header->hwndFrom, header->code};
            return {};
        default:
            return {};
    }
}

HWND CreateStandardControl(HWND parent, const ControlSpec& description,
                           const ControlResources& resources) {
    const KindInfo* info = InfoOf(description.kind);
    if (!info || !parent) return nullptr;
    // A static icon reads its text as the name of an icon resource; a file
    // list's caption is its pattern.
    const char* caption = info->text == TextRole::Caption ? description.caption.c_str() : nullptr;
    HWND control = CreateWindowExA(
        ExStyleFor(*info, description), info->className, caption, StyleFor(*info, description), description.rect.left,
        description.rect.top, description.rect.Width(), description.rect.Height(), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(description.id)), resources.instance, nullptr);
    if (!control) return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(description, resources)), FALSE);
    if (info->fill) info->fill(control, description, resources);
    return control;
}

bool TranslateControlMessage(const Source& source, ControlKind kind, UINT message, WPARAM wParam,
                             LPARAM lParam, Event& event) {
    if (!source.sender) return false;
    const Notice* notice = NoticeOf(kind, message, source.code);
    if (!notice) return false;
    if (notice->accept && !notice->accept(source.sender, wParam, lParam)) return false;
    event.kind = notice->kind;
    event.subKind = notice->subKind;
    event.item = notice->kind == EventKind::Menu ? LOWORD(wParam) : 0;
    event.control = notice->kind == EventKind::Menu ? 0 : GetDlgCtrlID(source.sender);
    return true;
}

ControlState ReadStandardControl(HWND control, ControlKind kind) {
    const KindInfo* info = InfoOf(kind);
    if (!info || !control || !IsWindow(control)) return {};
    ControlState state;
    state.exists = true;
    state.enabled = IsWindowEnabled(control) != FALSE;
    if (info->text == TextRole::Row) {
        const int row = SelectedRow(control);
        if (row >= 0) state.text = RowText(control, row);
    } else {
        state.text = WindowText(control);
    }
    state.value = ReadValue(control, info->value);
    return state;
}

void ChangeStandardControl(HWND control, ControlKind kind, const ControlChange& change) {
    const KindInfo* info = InfoOf(kind);
    if (!info || !control || !IsWindow(control)) return;
    if (change.enabled) EnableWindow(control, *change.enabled);
    if (change.text) {
        if (info->text == TextRole::Row)
            SelectRowNamed(control, *change.text);
        else if (info->text == TextRole::Caption)
            SetWindowTextA(control, change.text->c_str());  // an edit reports EN_CHANGE
    }
    if (change.value) ChangeValue(control, info->value, *change.value);
    if (change.selection && kind == ControlKind::Edit)
        SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(change.selection->first),
                     change.selection->second);
    if (change.focus) SetFocus(control);
}

}  // namespace vandrel::win32
