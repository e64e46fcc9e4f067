// Popup menus built from the program's menu data, and the tray icon.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include <algorithm>

namespace vandrel::win32 {
namespace {

// Menus read "&" as the mark of a shortcut letter; a palette called "a&b" shows as written.
std::string MenuText(const std::string& caption) {
    std::string text;
    for (char ch : caption) {
        text += ch;
        if (ch == '&') text += '&';
    }
    return text;
}

void AppendItems(HMENU menu, const std::vector<MenuItem>& items, BuiltMenu& built) {
    // Images share the check-mark column, as in the system's own menus. A menu
    // with pictures (the tray's, which has no check marks) gives them a column
    // of their own instead: Wine puts the text of a shared column where a check
    // mark ends, narrower than a picture, so that it touched the picture. Every
    // item of such a menu gets the picture's room, or Wine would measure those
    // without one too narrow for their text.
    const bool pictures = std::any_of(
        items.begin(), items.end(), [](const MenuItem& item) { return item.picture.has_value(); });
    MENUINFO style{};
    style.cbSize = sizeof style;
    style.fMask = MIM_STYLE;
    style.dwStyle = pictures ? MNS_NOCHECK : MNS_CHECKORBMP;
    SetMenuInfo(menu, &style);
    for (const MenuItem& item : items) {
        if (item.separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = MenuText(item.caption);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
        info.wID = static_cast<UINT>(item.id);
        info.dwTypeData = text.data();
        info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
        MenuHandle sub;
        if (item.isSubMenu) {
            // Filled when it is about to open (FillSubMenu): a full folder's
            // tray menu would otherwise hold ten thousand items nobody opens.
            sub.reset(CreatePopupMenu());
            if (!sub) continue;
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub.get();
        }
        if (pictures) {
            // Drawn by the owner window (DrawMenuImage), so that the alpha
            // channel is honoured wherever the system would just copy bits.
            info.fMask |= MIIM_BITMAP | MIIM_DATA;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = item.picture ? reinterpret_cast<ULONG_PTR>(&*item.picture) : 0;
        }
        // Once inserted, the sub-menu belongs to its parent menu.
        if (InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) {
            if (sub) built.unfilled[sub.get()] = &item;
            sub.release();
        }
    }
}

// The same items in the same places as far as the menu itself holds them:
// only what its sub-menus and pictures show may differ.
bool SameOutline(const std::vector<MenuItem>& built, const std::vector<MenuItem>& wanted) {
    return std::equal(built.begin(), built.end(), wanted.begin(), wanted.end(),
                      [](const MenuItem& a, const MenuItem& b) {
                          return a.id == b.id && a.caption == b.caption && a.separator == b.separator &&
                                 a.isSubMenu == b.isSubMenu && a.picture.has_value() == b.picture.has_value() &&
                                 (!a.isSubMenu || (a.makeSubItems && b.makeSubItems));
                      });
}

// Points the built menu at new content of the same outline: check marks and
// pictures are taken from it, and the sub-menus are emptied, to be filled from
// it when they next open.
void Refill(BuiltMenu& built, Menu content) {
    auto fresh = std::make_unique<const Menu>(std::move(content));
    built.unfilled.clear();
    HMENU menu = built.menu.get();
    for (std::size_t i = 0; i < fresh->items.size(); ++i) {
        const MenuItem& item = fresh->items[i];
        if (item.separator) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
        if (item.picture) {
            info.fMask |= MIIM_DATA;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(&*item.picture);
        }
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (!item.isSubMenu) continue;
        HMENU sub = GetSubMenu(menu, static_cast<int>(i));
        if (!sub) continue;
        while (GetMenuItemCount(sub) > 0 && DeleteMenu(sub, 0, MF_BYPOSITION)) {
        }
        built.unfilled[sub] = &item;
    }
    built.made.clear();
    built.content = std::move(fresh);
}

}  // namespace

bool MeasureMenuImage(LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU) return false;
    // The picture with room on its right before the caption; an item without
    // one keeps the room, but not the height.
    measure->itemWidth = MenuImageSize() + MenuImageGap();
    measure->itemHeight = measure->itemData ? MenuImageSize() : 0;
    return true;
}

namespace {

// A menu with pictures has no check-mark column (MNS_NOCHECK): a checked
// item without a picture shows the system's check mark in the picture's
// place, in the colour of the item's text.
void DrawCheckMark(const DRAWITEMSTRUCT& draw) {
    const int side = MenuImageSize();
    GdiObject mask(CreateBitmap(side, side, 1, 1, nullptr));
    if (!mask) return;
    MemoryDc source(mask.get());
    RECT glyph{0, 0, side, side};
    // Black on white: the black pixels are the mark.
    if (!source.get() || !DrawFrameControl(source.get(), &glyph, DFC_MENU, DFCS_MENUCHECK)) return;
    const int colour = (draw.itemState & ODS_GRAYED)     ? COLOR_GRAYTEXT
                       : (draw.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT
                                                         : COLOR_MENUTEXT;
    GdiObject brush(CreateSolidBrush(GetSysColor(colour)));
    const int x = draw.rcItem.left;
    const int y = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - side) / 2;
    const COLORREF oldText = SetTextColor(draw.hDC, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(draw.hDC, RGB(255, 255, 255));
    {
        Selected selected(draw.hDC, brush.get());
        // Where the mask is white the item stays as it is; where black, the brush.
        constexpr DWORD kBrushThroughMask = 0x00B8074A;
        BitBlt(draw.hDC, x, y, side, side, source.get(), 0, 0, kBrushThroughMask);
    }
    SetTextColor(draw.hDC, oldText);
    SetBkColor(draw.hDC, oldBack);
}

}  // namespace

bool DrawMenuImage(LPARAM lParam) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU) return false;
    if (!draw->itemData) {
        if (!(draw->itemState & ODS_CHECKED)) return false;
        DrawCheckMark(*draw);
        return true;
    }
    // Drawn at its size, never a small picture stretched.
    const int side = MenuImageSize();
    const GdiObject bitmap =
        MakeAlphaBitmap(MenuPictureImage(*reinterpret_cast<const MenuPicture*>(draw->itemData), side));
    if (!bitmap) return true;
    MemoryDc source(bitmap.get());
    const int x = draw->rcItem.left;
    const int y = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - side) / 2;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(draw->hDC, x, y, side, side, source.get(), 0, 0, side, side, blend);
    return true;
}

void Win32Platform::SetMenu(MenuId menu, Menu content) {
    // A menu rebuilt with the same items (a palette saved, "Use #'s" changed)
    // keeps its handles: a full folder's tray menu made anew at every save
    // leaves Wine's heap larger for good, and costs time.
    // An item the system refused when the menu was made would put every later
    // one in another place: such a menu is made anew.
    if (const auto found = menus_.find(menu);
        found != menus_.end() && found->second.content && SameOutline(found->second.content->items, content.items) &&
        GetMenuItemCount(found->second.menu.get()) == static_cast<int>(content.items.size())) {
        Refill(found->second, std::move(content));
        return;
    }
    // The old menu goes before the new one is made: a full folder's tray menu
    // is 800 sub-menus and whatever items the user has opened, and two at once
    // would leave the heap that much larger for good.
    menus_.erase(menu);
    BuiltMenu built;
    built.menu.reset(CreatePopupMenu());
    if (!built.menu) return;  // a menu that cannot be made is skipped
    // Items point into the content (pictures, sub-menus still to fill): it
    // moves with the menu and never changes.
    built.content = std::make_unique<const Menu>(std::move(content));
    AppendItems(built.menu.get(), built.content->items, built);
    menus_[menu] = std::move(built);
}

bool Win32Platform::FillSubMenu(HMENU menu) {
    for (auto& [id, built] : menus_) {
        const auto found = built.unfilled.find(menu);
        if (found == built.unfilled.end()) continue;
        const MenuItem& item = *found->second;
        built.unfilled.erase(found);
        if (item.makeSubItems) {
            built.made.push_back(item.makeSubItems());
            AppendItems(menu, built.made.back(), built);
        } else {
            AppendItems(menu, item.subItems, built);
        }
        return true;
    }
    return false;
}

void Win32Platform::CheckMenuItem(MenuId menu, int item, bool checked) {
    auto found = menus_.find(menu);
    if (found == menus_.end()) return;
    ::CheckMenuItem(found->second.menu.get(), static_cast<UINT>(item),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32Platform::ShowMenu(MenuId menu, int owner) {
    auto found = menus_.find(menu);
    HWND hwnd = HandleOf(owner);
    if (found == menus_.end() || !hwnd) return;
    POINT at{};
    GetCursorPos(&at);
    // The owner must be in front, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(hwnd);
    const int chosen = static_cast<int>(
        // With notifications: sub-menus are filled as they open (WM_INITMENUPOPUP).
        TrackPopupMenu(found->second.menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                       at.x, at.y, 0, hwnd, nullptr));
    PostMessageA(hwnd, WM_NULL, 0, 0);
    if (chosen != 0) {
        Event event;
        event.kind = EventKind::Menu;
        event.window = owner;
        event.item = chosen;
        Push(event);
    }
}

bool Win32Platform::AddTrayIconNow() {
    HWND hwnd = HandleOf(trayOwner_);
    if (!hwnd) return false;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_ICON | NIF_MESSAGE;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = appIcon_.get();
    return NotifyIcon(NIM_ADD, &data) != FALSE;
}

bool Win32Platform::AddTrayIcon(int owner) {
    trayOwner_ = owner;
    trayAdded_ = AddTrayIconNow();
    return trayAdded_;
}

void Win32Platform::RemoveTrayIcon() {
    HWND hwnd = HandleOf(trayOwner_);
    if (!trayAdded_ || !hwnd) return;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    NotifyIcon(NIM_DELETE, &data);
    trayAdded_ = false;
}

void Win32Platform::ShowTrayBalloon(const std::string& title, const std::string& text) {
    HWND hwnd = HandleOf(trayOwner_);
    if (!trayAdded_ || !hwnd) return;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    lstrcpynA(data.szInfoTitle, title.c_str(), sizeof data.szInfoTitle);
    lstrcpynA(data.szInfo, text.c_str(), sizeof data.szInfo);
    data.dwInfoFlags = NIIF_WARNING;
    NotifyIcon(NIM_MODIFY, &data);
}

}  // namespace vandrel::win32
