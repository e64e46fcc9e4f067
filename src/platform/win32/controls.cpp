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

#include "platform/win32/handles.h"

namespace vandrel::win32 {
namespace {

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const {
        if (list) ImageList_Destroy(list);
    }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// Sent to the parent (posted) after a file list lost its selection: whether a
// row is selected is known only once the click or key has been handled.
constexpr UINT kSelectionLost = 0x7A01;
constexpr UINT_PTR kSubclassId = 1;
constexpr char kTipsProperty[] = "VandrelTips";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr int kToolImageSize = 16;

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

bool HasClass(HWND hwnd, const char* name) {
    char found[64] = {};
    return GetClassNameA(hwnd, found, sizeof found) > 0 && lstrcmpiA(found, name) == 0;
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
}

HICON ImageOf(const ControlResources& resources, int number) {
    return number != 0 && resources.image ? resources.image(number) : nullptr;
}

HFONT MessageFont() {
    static const GdiObject font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        // Should the metrics fail, the zeroed description gives the default font.
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return GdiObject(CreateFontIndirectA(&metrics.lfMessageFont));
    }();
    return static_cast<HFONT>(font.get());
}

// Links keep their underlined copy for the life of the program, one per font.
HFONT UnderlinedFont(HFONT base) {
    static std::map<HFONT, GdiObject> copies;
    GdiObject& copy = copies[base];
    if (!copy) {
        LOGFONTA font{};
        GetObjectA(base, sizeof font, &font);
        font.lfUnderline = TRUE;
        copy.reset(CreateFontIndirectA(&font));
    }
    return copy ? static_cast<HFONT>(copy.get()) : base;
}

HFONT FontOf(const ControlSpec& description, const ControlResources& resources) {
    HFONT font = description.font >= 0 && resources.font ? resources.font(description.font) : nullptr;
    return font ? font : MessageFont();
}

TTTOOLINFOA ToolOf(HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

// The parent's tooltip window goes with its owner; the property goes with it.
LRESULT CALLBACK TipsProc(HWND tips, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR owner) {
    if (message == WM_NCDESTROY) {
        RemovePropA(reinterpret_cast<HWND>(owner), kTipsProperty);
        RemoveWindowSubclass(tips, TipsProc, kSubclassId);
    }
    return DefSubclassProc(tips, message, wParam, lParam);
}

HWND TipsOf(HWND parent, HINSTANCE instance) {
    if (HWND tips = static_cast<HWND>(GetPropA(parent, kTipsProperty)); tips && IsWindow(tips))
        return tips;
    HWND tips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
    if (!tips) return nullptr;
    SetPropA(parent, kTipsProperty, tips);
    SetWindowSubclass(tips, TipsProc, kSubclassId, reinterpret_cast<DWORD_PTR>(parent));
    return tips;
}

// A removed button takes its tool out of the parent's tooltip.
LRESULT CALLBACK DropToolProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR tips) {
    if (message == WM_NCDESTROY) {
        TTTOOLINFOA tool = ToolOf(control);
        if (IsWindow(reinterpret_cast<HWND>(tips)))
            SendMessageA(reinterpret_cast<HWND>(tips), TTM_DELTOOLA, 0,
                         reinterpret_cast<LPARAM>(&tool));
        RemoveWindowSubclass(control, DropToolProc, kSubclassId);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void AddTool(HWND control, const std::string& text, HINSTANCE instance) {
    if (text.empty()) return;
    HWND tips = TipsOf(GetParent(control), instance);
    if (!tips) return;
    TTTOOLINFOA tool = ToolOf(control);
    tool.lpszText = const_cast<char*>(text.c_str());  // the tooltip keeps a copy
    if (SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
        SetWindowSubclass(control, DropToolProc, kSubclassId, reinterpret_cast<DWORD_PTR>(tips));
}

void PaintLink(HWND link) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(link, &paint);
    RECT area{};
    GetClientRect(link, &area);
    // The parent chooses the background, as for any static text.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(link), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(link)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    char text[512] = {};
    GetWindowTextA(link, text, sizeof text);
    Selected font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(link) ? kLinkColour : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = (StyleOf(link) & SS_TYPEMASK) == SS_CENTER ? DT_CENTER : DT_LEFT;
    DrawTextA(dc, text, -1, &area, DT_WORDBREAK | align);
    EndPaint(link, &paint);
}

// A static paints its text at once on a new text or state, bypassing
// WM_PAINT; a link repaints itself in its own colour instead.
LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    if (message == WM_PAINT) {
        PaintLink(link);
        return 0;
    }
    if (message == WM_SETTEXT) {
        // The text comes in the form of the subclass's procedure (Unicode).
        const LRESULT result = IsWindowUnicode(link)
                                   ? DefWindowProcW(link, message, wParam, lParam)
                                   : DefWindowProcA(link, message, wParam, lParam);
        InvalidateRect(link, nullptr, FALSE);
        return result;
    }
    if (message == WM_ENABLE) {
        InvalidateRect(link, nullptr, FALSE);
        return 0;
    }
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(link, LinkProc, kSubclassId);
    return DefSubclassProc(link, message, wParam, lParam);
}

std::vector<std::string> MatchingFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE first = FindFirstFileA(pattern.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return names;
    FindHandle find(first);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    // The order a sorted list view gives.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

int RowCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string RowText(HWND list, int row) {
    char text[MAX_PATH + 1] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// Row -1 clears the selection.
void SelectRow(HWND list, int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | (row >= 0 ? LVIS_FOCUSED : 0);
    item.state = row >= 0 ? item.stateMask : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (row >= 0) SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void SelectRowNamed(HWND list, const std::string& name) {
    if (name.empty()) return SelectRow(list, -1);
    for (int row = 0, count = RowCount(list); row < count; ++row)
        if (RowText(list, row) == name) return SelectRow(list, row);
}

// One change of selection, once: a row selected, or the selection lost with
// no other row taking it (checked when the parent gets kSelectionLost).
bool SelectionChanged(HWND list, WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (!(change->uChanged & LVIF_STATE)) return false;
    const bool was = (change->uOldState & LVIS_SELECTED) != 0;
    const bool now = (change->uNewState & LVIS_SELECTED) != 0;
    // Deselecting every row at once may come as one notice of row -1.
    if (!now && (was || change->iItem < 0))
        PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), kSelectionLost),
                     reinterpret_cast<LPARAM>(list));
    return now && !was;
}

bool NothingSelected(HWND list, WPARAM, LPARAM) {
    return SelectedRow(list) < 0;
}

bool OnRow(HWND, WPARAM, LPARAM lParam) {
    return reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0;
}

void FillEdit(HWND edit, const ControlSpec& description, const ControlResources&) {
    if (description.low > 0) SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(description.low), 0);
}

void FillImageButton(HWND button, const ControlSpec& description, const ControlResources& resources) {
    if (HICON icon = ImageOf(resources, description.image))
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    AddTool(button, description.tooltip, resources.instance);
}

void FillTrackBar(HWND bar, const ControlSpec& description, const ControlResources&) {
    SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(description.low, description.high));
    if (description.flags & kFlagTicks) SendMessageA(bar, TBM_SETTICFREQ, 1, 0);
    SendMessageA(bar, TBM_SETPOS, TRUE, description.low);
}

void FillFileList(HWND list, const ControlSpec& description, const ControlResources&) {
    int row = 0;
    for (const std::string& name : MatchingFiles(description.caption)) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// The toolbar does not own its image list: it goes when the toolbar goes.
LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR images) {
    if (message == WM_NCDESTROY) {
        ImageListHandle owned(reinterpret_cast<HIMAGELIST>(images));
        RemoveWindowSubclass(toolbar, ToolbarProc, kSubclassId);
    }
    return DefSubclassProc(toolbar, message, wParam, lParam);
}

TBBUTTON ToolButton(const ToolItem& tool, HIMAGELIST images, const ControlResources& resources) {
    TBBUTTON button{};
    if (tool.item == 0) {
        button.fsStyle = BTNS_SEP;
        return button;
    }
    HICON icon = ImageOf(resources, tool.image);
    button.iBitmap = icon ? ImageList_AddIcon(images, icon) : I_IMAGENONE;
    button.idCommand = tool.item;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    // Text that is never shown becomes the button's tooltip.
    button.iString = reinterpret_cast<INT_PTR>(tool.tooltip.c_str());
    return button;
}

void FillToolbar(HWND toolbar, const ControlSpec& description, const ControlResources& resources) {
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    ImageListHandle images(ImageList_Create(kToolImageSize, kToolImageSize, ILC_COLOR32 | ILC_MASK,
                                            static_cast<int>(description.tools.size()), 0));
    std::vector<TBBUTTON> buttons;
    for (const ToolItem& tool : description.tools)
        buttons.push_back(ToolButton(tool, images.get(), resources));
    if (images && SetWindowSubclass(toolbar, ToolbarProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(images.get())))
        SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.release()));
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void FillLink(HWND link, const ControlSpec& description, const ControlResources& resources) {
    SendMessageA(link, WM_SETFONT,
                 reinterpret_cast<WPARAM>(UnderlinedFont(FontOf(description, resources))), FALSE);
    SetWindowSubclass(link, LinkProc, kSubclassId, 0);
}

void FillPicture(HWND picture, const ControlSpec& description, const ControlResources& resources) {
    if (HICON icon = ImageOf(resources, description.image))
        SendMessageA(picture, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

// Scroll codes that only end a movement repeat a position already reported.
bool ThumbMoved(HWND, WPARAM wParam, LPARAM) {
    const UINT code = LOWORD(wParam);
    return code != TB_ENDTRACK && code != TB_THUMBPOSITION;
}

// clang-format off
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
    if (info.tabStop && !optionInGroup) style |= WS_TABSTOP;
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

struct Source {
    HWND sender = nullptr;
    UINT code = 0;
};

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

// The notice of a message from one of our kinds, nullptr when none.
const Notice* NoticeOf(HWND sender, UINT message, UINT code) {
    char className[64] = {};
    if (!GetClassNameA(sender, className, sizeof className)) return nullptr;
    for (const KindInfo& info : kKinds) {
        if (lstrcmpiA(className, info.className) != 0) continue;
        for (const Notice& notice : info.notices)
            if (notice.message == message && (notice.everyCode || notice.code == code))
                return &notice;
    }
    return nullptr;
}

}  // namespace

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

bool TranslateControlMessage(HWND parent, UINT message, WPARAM wParam, LPARAM lParam,
                             Event& event) {
    const Source source = SourceOf(message, wParam, lParam);
    if (!source.sender || GetParent(source.sender) != parent) return false;
    const Notice* notice = NoticeOf(source.sender, message, source.code);
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
