// Controls of a window: surfaces drawn by the program, and the standard
// kinds through controls.h. Each window remembers the kind of each control.
#include "platform/win32/control_parts.h"
#include "platform/win32/controls.h"
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

#include <commctrl.h>

namespace vandrel::win32 {
namespace {

LPCSTR CursorName(CursorKind cursor) {
    switch (cursor) {
        case CursorKind::Hand:
            return IDC_HAND;
        case CursorKind::SizeAll:
            return IDC_SIZEALL;
        case CursorKind::Arrow:
            break;
    }
    return IDC_ARROW;
}

bool Alive(const ControlRecord& record) {
    return record.surface ? record.surface->hwnd != nullptr
                          : (record.hwnd && IsWindow(record.hwnd));
}

HWND ControlHandle(const ControlRecord& record) {
    return record.surface ? record.surface->hwnd : record.hwnd;
}

}  // namespace

bool Win32Platform::AddControl(int window, const ControlSpec& description) {
    WindowObject* parent = ObjectOf(window);
    if (!parent || !parent->hwnd || parent->role == Role::Hidden) return false;
    RemoveControl(window, description.id);  // one control per number
    if (description.kind == ControlKind::Surface) return AddSurface(*parent, description);
    // Palette windows have only surfaces; the other windows' controls are
    // the common controls' or use their subclassing.
    CommonControlsReady();
    ControlResources resources;
    resources.instance = instance_;
    resources.dpi = parent->description.dpi;
    resources.font = [this](int number) { return Font(number); };
    resources.image = [this](int number) -> HICON {
        auto found = images_.find(number);
        return found == images_.end() ? nullptr : found->second.get();
    };
    HWND control = CreateStandardControl(parent->hwnd, description, resources);
    if (!control) return false;
    ControlRecord& record = parent->controls[description.id];
    record.kind = description.kind;
    record.hwnd = control;
    return true;
}

bool Win32Platform::AddSurface(WindowObject& parent, const ControlSpec& description) {
    auto surface = std::make_unique<WindowObject>(*this, Role::Surface);
    surface->number = description.id;
    surface->parentNumber = parent.number;
    surface->data = description.data;
    surface->cursor = LoadCursorA(nullptr, CursorName(description.cursor));
    // A surface of no size has nothing to draw on, but is a control all the same.
    if (description.rect.Width() > 0 && description.rect.Height() > 0) {
        surface->bitmap = MakeSurfaceBitmap(description.rect.Width(), description.rect.Height());
        if (!surface->bitmap) return false;
    }
    const RECT place = ToRect(description.rect);
    HWND hwnd = CreateBound(*surface, "", WS_CHILD | WS_VISIBLE, 0, place, parent.hwnd,
                            ControlIdHandle(description.id));
    if (!hwnd) return false;
    ControlRecord& record = parent.controls[description.id];
    record.kind = ControlKind::Surface;
    record.hwnd = hwnd;
    record.surface = std::move(surface);
    record.surface->tip = description.tooltip;
    return true;
}

void Win32Platform::RemoveControl(int window, int id) {
    WindowObject* parent = ObjectOf(window);
    if (!parent) return;
    auto found = parent->controls.find(id);
    if (found == parent->controls.end()) return;
    ControlRecord record = std::move(found->second);
    parent->controls.erase(found);
    if (Alive(record)) ::DestroyWindow(ControlHandle(record));
    if (parent->lastFocus == record.hwnd) parent->lastFocus = nullptr;
    Retire(std::move(record.surface));
}

void Win32Platform::ChangeControl(int window, int id, const ControlChange& change) {
    ControlRecord* record = RecordOf(window, id);
    if (!record || !Alive(*record)) return;
    HWND hwnd = ControlHandle(*record);
    if (change.tooltip) {
        if (record->surface) record->surface->tip = *change.tooltip;
        if (!record->surface || record->surface->tipAdded) parts::SetToolText(hwnd, *change.tooltip, instance_);
    }
    if (change.tool != 0) {
        if (record->kind == ControlKind::Toolbar && change.enabled)
            SendMessageA(hwnd, TB_ENABLEBUTTON, static_cast<WPARAM>(change.tool), MAKELPARAM(*change.enabled, 0));
        return;
    }
    if (record->kind != ControlKind::Surface) {
        ControlChange content = change;
        content.enabled.reset();
        content.focus = false;
        ChangeStandardControl(hwnd, record->kind, content);
    }
    // A surface disabled under a held button forgets the press (WM_ENABLE).
    if (change.enabled) EnableWindow(hwnd, *change.enabled ? TRUE : FALSE);
    if (change.focus) SetFocus(hwnd);
}

ControlState Win32Platform::ReadControl(int window, int id) {
    ControlRecord* record = RecordOf(window, id);
    if (!record || !Alive(*record)) return {};
    HWND hwnd = ControlHandle(*record);
    ControlState state;
    if (record->surface) {
        state.data = record->surface->data;
    } else {
        state = ReadStandardControl(hwnd, record->kind);
    }
    state.exists = true;
    state.enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT place{};
    if (GetWindowRect(hwnd, &place)) {
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
        state.rect = {place.left, place.top, place.right, place.bottom};
    }
    return state;
}

int Win32Platform::FocusedControl(int window) {
    HWND parent = HandleOf(window);
    HWND focus = GetFocus();
    if (!parent || !focus || !IsChild(parent, focus)) return 0;
    // The control itself, not a part of it (a list view's edit box).
    while (GetParent(focus) && GetParent(focus) != parent) focus = GetParent(focus);
    const int id = GetDlgCtrlID(focus);
    return RecordOf(window, id) ? id : 0;
}

bool Win32Platform::Paint(int window, int id, const std::function<void(Canvas&)>& paint) {
    if (id == 0) {
        // Straight onto the client area: gone at the window's next repaint.
        HWND hwnd = HandleOf(window);
        if (!hwnd) return false;
        WindowDc dc(hwnd);
        if (!dc.get()) return false;
        PaintOn(dc.get(), *this, paint);
        return true;
    }
    ControlRecord* record = RecordOf(window, id);
    if (!record || !record->surface || !record->surface->bitmap || !Alive(*record)) return false;
    HWND surface = record->surface->hwnd;
    {
        MemoryDc dc(record->surface->bitmap.get());
        if (!dc.get()) return false;
        PaintOn(dc.get(), *this, paint);
        GdiFlush();
    }
    InvalidateRect(surface, nullptr, FALSE);
    return true;
}

}  // namespace vandrel::win32
