// What some standard kinds need beyond their styles: fonts, tooltips, the
// painted link, the image buttons' greyed pictures, the file list's rows and the
// toolbar's buttons.
#include "platform/win32/control_parts.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

namespace vandrel::win32::parts {
namespace {

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const {
        DestroyImageList(list);
    }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

constexpr UINT_PTR kSubclassId = 1;
constexpr char kTipsProperty[] = "VandrelTips";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kHotLinkColour = RGB(0, 0, 0);  // while the pointer is over it
constexpr int kToolImageSize = 16;
constexpr int kButtonImageSize = 16;
constexpr int kButtonStates = 6;  // normal, hot, pressed, disabled, default, stylus hot
constexpr int kButtonDisabledState = 4;

}  // namespace

bool HasClass(HWND hwnd, const char* name) {
    char found[64] = {};
    return GetClassNameA(hwnd, found, sizeof found) > 0 && lstrcmpiA(found, name) == 0;
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
}

// The width of an icon's picture, or `otherwise` when it cannot be read.
static int IconSide(HICON icon, int otherwise) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return otherwise;
    BITMAP bitmap{};
    const HBITMAP picture = info.hbmColor ? info.hbmColor : info.hbmMask;
    const int side = GetObjectA(picture, sizeof bitmap, &bitmap) ? bitmap.bmWidth : otherwise;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return side > 0 ? side : otherwise;
}

static HICON ImageOf(const ControlResources& resources, int number) {
    return number != 0 && resources.image ? resources.image(number) : nullptr;
}

// Links keep their underlined copy for the life of the program, one per font.
static HFONT UnderlinedFont(HFONT base) {
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
    return font ? font : MessageFont(resources.dpi);
}

static TTTOOLINFOA ToolOf(HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

// The parent's tooltip window goes with its owner; the property goes with it.
static LRESULT CALLBACK TipsProc(HWND tips, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR owner) {
    if (message == WM_NCDESTROY) {
        RemovePropA(reinterpret_cast<HWND>(owner), kTipsProperty);
        RemoveSubclass(tips, TipsProc, kSubclassId);
    }
    return DefaultSubclassProcedure(tips, message, wParam, lParam);
}

static HWND TipsOf(HWND parent, HINSTANCE instance) {
    if (HWND tips = static_cast<HWND>(GetPropA(parent, kTipsProperty)); tips && IsWindow(tips))
        return tips;
    HWND tips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
    if (!tips) return nullptr;
    // Lines broken at "\n" (a swatch's tip has four); none is this wide.
    SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 1000);
    UINT hover = 0;
    if (SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hover, 0) && hover > 0)
        SendMessageA(tips, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(hover));
    SetPropA(parent, kTipsProperty, tips);
    SetSubclass(tips, TipsProc, kSubclassId, reinterpret_cast<DWORD_PTR>(parent));
    return tips;
}

// A removed button takes its tool out of the parent's tooltip.
static LRESULT CALLBACK DropToolProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR tips) {
    if (message == WM_NCDESTROY) {
        TTTOOLINFOA tool = ToolOf(control);
        if (IsWindow(reinterpret_cast<HWND>(tips)))
            SendMessageA(reinterpret_cast<HWND>(tips), TTM_DELTOOLA, 0,
                         reinterpret_cast<LPARAM>(&tool));
        RemoveSubclass(control, DropToolProc, kSubclassId);
    }
    return DefaultSubclassProcedure(control, message, wParam, lParam);
}

void AddTool(HWND control, const std::string& text, HINSTANCE instance) {
    if (text.empty()) return;
    HWND tips = TipsOf(GetParent(control), instance);
    if (!tips) return;
    TTTOOLINFOA tool = ToolOf(control);
    tool.lpszText = const_cast<char*>(text.c_str());  // the tooltip keeps a copy
    if (SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
        SetSubclass(control, DropToolProc, kSubclassId, reinterpret_cast<DWORD_PTR>(tips));
}

void SetToolText(HWND control, const std::string& text, HINSTANCE instance) {
    HWND tips = static_cast<HWND>(GetPropA(GetParent(control), kTipsProperty));
    TTTOOLINFOA tool = ToolOf(control);
    const bool present = tips && SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
    if (!present) {
        AddTool(control, text, instance);
        return;
    }
    if (text.empty()) {
        tool = ToolOf(control);
        SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    tool = ToolOf(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND TipsOf(HWND parent) { return static_cast<HWND>(GetPropA(parent, kTipsProperty)); }

void HoldTools(HWND parent, bool hold) {
    HWND tips = static_cast<HWND>(GetPropA(parent, kTipsProperty));
    if (!tips) return;
    if (hold) SendMessageA(tips, TTM_POP, 0, 0);
    SendMessageA(tips, TTM_ACTIVATE, hold ? FALSE : TRUE, 0);
}

static void PaintLink(HWND link, bool hot) {
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
    SetTextColor(dc, !IsWindowEnabled(link) ? GetSysColor(COLOR_GRAYTEXT)
                     : hot                  ? kHotLinkColour
                                            : kLinkColour);
    const UINT align = (StyleOf(link) & SS_TYPEMASK) == SS_CENTER ? DT_CENTER : DT_LEFT;
    DrawTextA(dc, text, -1, &area, DT_WORDBREAK | align);
    EndPaint(link, &paint);
}

static LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR hot);

// The subclass's data tells whether the pointer is over the link.
static void SetHot(HWND link, bool hot) {
    SetSubclass(link, LinkProc, kSubclassId, hot ? 1 : 0);
    InvalidateRect(link, nullptr, FALSE);
}

// A static paints its text at once on a new text or state, bypassing
// WM_PAINT; a link repaints itself in its own colour instead.
static LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR hot) {
    if (message == WM_PAINT) {
        PaintLink(link, hot != 0);
        return 0;
    }
    if (message == WM_MOUSEMOVE && !hot) {
        // The system says when the pointer leaves, wherever it goes.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, link, 0};
        if (TrackMouseEvent(&track)) SetHot(link, true);
    }
    if (message == WM_MOUSELEAVE) SetHot(link, false);
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
    if (message == WM_NCDESTROY) RemoveSubclass(link, LinkProc, kSubclassId);
    return DefaultSubclassProcedure(link, message, wParam, lParam);
}

static std::vector<std::string> MatchingFiles(const std::string& pattern) {
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
    // A field without a border is a cell of its own: all of its width is for the text.
    if (description.flags & kFlagNoBorder) SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// A button for the mouse gives the focus back, once clicked, to the control
// that had it: typing goes on where it was. The focus may only go back after
// the release, as a button that loses it early forgets the press.
static LRESULT CALLBACK MouseOnlyProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR previous) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND focus = GetFocus();
            SetSubclass(button, MouseOnlyProc, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(focus != button ? focus : nullptr));
            break;
        }
        case WM_LBUTTONUP: {
            const LRESULT done = DefaultSubclassProcedure(button, message, wParam, lParam);
            HWND back = reinterpret_cast<HWND>(previous);
            if (IsWindow(button) && back && IsWindow(back) && GetParent(back) == GetParent(button) &&
                GetFocus() == button)
                SetFocus(back);
            return done;
        }
        case WM_NCDESTROY:
            RemoveSubclass(button, MouseOnlyProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefaultSubclassProcedure(button, message, wParam, lParam);
}

// The button does not own its image list: it goes when the button goes.
static LRESULT CALLBACK ButtonImagesProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR images) {
    if (message == WM_NCDESTROY) {
        ImageListHandle owned(reinterpret_cast<HIMAGELIST>(images));
        RemoveSubclass(button, ButtonImagesProc, kSubclassId);
    }
    return DefaultSubclassProcedure(button, message, wParam, lParam);
}

// A disabled button shows its picture's greyed copy, as a toolbar does: the
// system's own greying of a picture with an alpha channel is a flat grey
// square under Wine. The button takes one picture per state from a list.
static void GiveGreyedPicture(HWND button, HICON icon, HICON greyed) {
    const int size = IconSide(icon, kButtonImageSize);
    ImageListHandle images(CreateImageList(size, size,
                                           ILC_COLOR32 | ILC_MASK, kButtonStates, 0));
    if (!images) return;
    for (int state = 1; state <= kButtonStates; ++state)
        if (AddIconToImageList(images.get(), state == kButtonDisabledState ? greyed : icon) < 0)
            return;
    BUTTON_IMAGELIST list{};
    list.himl = images.get();
    list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
    if (!SetSubclass(button, ButtonImagesProc, kSubclassId,
                     reinterpret_cast<DWORD_PTR>(images.get())))
        return;
    if (SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)))
        images.release();
    else
        RemoveSubclass(button, ButtonImagesProc, kSubclassId);
}

void FillImageButton(HWND button, const ControlSpec& description, const ControlResources& resources) {
    HICON icon = ImageOf(resources, description.image);
    if (icon) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    AddTool(button, description.tooltip, resources.instance);
    if (description.flags & kFlagMouseOnly) SetSubclass(button, MouseOnlyProc, kSubclassId, 0);
    if (HICON greyed = icon ? ImageOf(resources, GreyedImageNumber(description.image)) : nullptr)
        GiveGreyedPicture(button, icon, greyed);
}

void FillTrackBar(HWND bar, const ControlSpec& description, const ControlResources&) {
    SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(description.low, description.high));
    if (description.flags & kFlagTicks) SendMessageA(bar, TBM_SETTICFREQ, 1, 0);
    SendMessageA(bar, TBM_SETPOS, TRUE, description.low);
}

void FillFileList(HWND list, const ControlSpec& description, const ControlResources&) {
    const std::vector<std::string> names = MatchingFiles(description.caption);
    // A list made in a window that shows (a folder change) would lay out and
    // paint itself again after every row: 800 rows took seconds. It is drawn
    // once, whole.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, names.size(), 0);
    int row = 0;
    for (const std::string& name : names) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The toolbar does not own its image list: it goes when the toolbar goes.
static LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR images) {
    if (message == WM_NCDESTROY) {
        ImageListHandle owned(reinterpret_cast<HIMAGELIST>(images));
        RemoveSubclass(toolbar, ToolbarProc, kSubclassId);
    }
    return DefaultSubclassProcedure(toolbar, message, wParam, lParam);
}

static TBBUTTON ToolButton(const ToolItem& tool, HIMAGELIST images, const ControlResources& resources) {
    TBBUTTON button{};
    if (tool.item == 0) {
        button.fsStyle = BTNS_SEP;
        return button;
    }
    HICON icon = ImageOf(resources, tool.image);
    button.iBitmap = icon ? AddIconToImageList(images, icon) : I_IMAGENONE;
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
    // As large as its pictures: they are drawn at the window's scale.
    int side = kToolImageSize;
    for (const ToolItem& tool : description.tools)
        if (HICON icon = tool.image ? ImageOf(resources, tool.image) : nullptr) {
            side = IconSide(icon, kToolImageSize);
            break;
        }
    ImageListHandle images(CreateImageList(side, side, ILC_COLOR32 | ILC_MASK,
                                            static_cast<int>(description.tools.size()), 0));
    std::vector<TBBUTTON> buttons;
    for (const ToolItem& tool : description.tools)
        buttons.push_back(ToolButton(tool, images.get(), resources));
    if (images && SetSubclass(toolbar, ToolbarProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(images.get())))
        SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.release()));
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void FillLink(HWND link, const ControlSpec& description, const ControlResources& resources) {
    SendMessageA(link, WM_SETFONT,
                 reinterpret_cast<WPARAM>(UnderlinedFont(FontOf(description, resources))), FALSE);
    SetSubclass(link, LinkProc, kSubclassId, 0);
    AddTool(link, description.tooltip, resources.instance);
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


}  // namespace vandrel::win32::parts
