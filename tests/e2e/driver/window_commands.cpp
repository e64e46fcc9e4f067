// Commands that find windows and read their geometry and state, plus the tray.
#include "driver.h"

#include <cstdio>

namespace vd {
namespace {

constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr WPARAM kTrayIconId = 1;

std::string WindowLine(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return HwndText(hwnd) + " " + RectText(rect);
}

std::string Describe(const std::string& cls, const std::string& title) {
  std::string text = "window";
  if (cls != "-") text += " of class '" + cls + "'";
  if (title != "-") text += " titled '" + title + "'";
  return text;
}

int WaitWindow(const Args& args) {
  NeedArgs(args, 2, "wait-window CLASS|- TITLE|- [timeout]");
  const DWORD timeout = TimeoutArg(args, 2);
  HWND found = nullptr;
  PollUntil(timeout, [&] { return (found = FindTopLevel(args[0], args[1], true, true)) != nullptr; });
  if (!found)
    Fail("no visible " + Describe(args[0], args[1]) + " appeared within " +
         std::to_string(timeout) + " ms");
  Print(WindowLine(found));
  return 0;
}

// Like wait-window, but hidden windows count too (a tray owner, a program's helper window).
int WaitExists(const Args& args) {
  NeedArgs(args, 2, "wait-exists CLASS|- TITLE|- [timeout]");
  const DWORD timeout = TimeoutArg(args, 2);
  HWND found = nullptr;
  PollUntil(timeout, [&] { return (found = FindTopLevel(args[0], args[1], false, true)) != nullptr; });
  if (!found)
    Fail("no " + Describe(args[0], args[1]) + " existed within " + std::to_string(timeout) + " ms");
  Print(WindowLine(found) + (IsWindowVisible(found) ? " visible" : " hidden"));
  return 0;
}

int WaitGone(const Args& args) {
  NeedArgs(args, 2, "wait-gone CLASS|- TITLE|- [timeout]");
  const DWORD timeout = TimeoutArg(args, 2);
  if (!PollUntil(timeout, [&] { return !FindTopLevel(args[0], args[1], true, true); }))
    Fail("the " + Describe(args[0], args[1]) + " was still visible after " +
         std::to_string(timeout) + " ms");
  return 0;
}

int CountWindows(const Args& args) {
  NeedArgs(args, 2, "count-windows CLASS|- TITLE|-");
  int count = 0;
  const DWORD self = GetCurrentProcessId();
  for (HWND hwnd : TopLevelWindows(true)) {
    if (ProcessOf(hwnd) == self) continue;
    if (args[0] != "-" && ClassOf(hwnd) != args[0]) continue;
    if (args[1] != "-" && TitleOf(hwnd) != args[1]) continue;
    Print(WindowLine(hwnd));
    ++count;
  }
  Print(std::to_string(count));
  return 0;
}

int ListWindows(const Args& args) {
  const bool all = !args.empty() && args[0] == "--all";
  for (HWND hwnd : TopLevelWindows(!all)) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    Print(HwndText(hwnd) + " " + ClassOf(hwnd) + " " + RectText(rect) + " " +
          std::to_string(ProcessOf(hwnd)) + (IsWindowVisible(hwnd) ? " visible " : " hidden ") +
          TitleOf(hwnd));
  }
  return 0;
}

int WindowAt(const Args& args) {
  NeedArgs(args, 2, "window-at X Y");
  const POINT point{ParseLong(args[0], "x"), ParseLong(args[1], "y")};
  HWND hwnd = WindowFromPoint(point);
  if (!hwnd) Fail("no window at " + args[0] + "," + args[1]);
  HWND top = GetAncestor(hwnd, GA_ROOT);
  Print(HwndText(hwnd) + " " + ClassOf(hwnd) + " " + std::to_string(ProcessOf(hwnd)) + " " +
        HwndText(top) + " " + ClassOf(top) + " " + TitleOf(top));
  return 0;
}

// What the window's thread is doing: in a menu, a move loop, who has focus and capture.
int ThreadInfo(const Args& args) {
  NeedArgs(args, 1, "thread-info HWND");
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(RequireWindow(args[0]), nullptr), &info))
    Fail("GetGUIThreadInfo failed");
  std::string flags;
  if (info.flags & GUI_INMENUMODE) flags += " menu";
  if (info.flags & GUI_POPUPMENUMODE) flags += " popupmenu";
  if (info.flags & GUI_INMOVESIZE) flags += " movesize";
  if (info.flags & GUI_SYSTEMMENUMODE) flags += " systemmenu";
  Print("flags" + (flags.empty() ? std::string(" none") : flags) + " active " + HwndText(info.hwndActive) +
        " focus " + HwndText(info.hwndFocus) + " capture " + HwndText(info.hwndCapture) +
        " menuowner " + HwndText(info.hwndMenuOwner) + " movesize " + HwndText(info.hwndMoveSize));
  return 0;
}

int Rect(const Args& args) {
  NeedArgs(args, 1, "rect HWND");
  RECT rect{};
  if (!GetWindowRect(RequireWindow(args[0]), &rect)) Fail("GetWindowRect failed");
  Print(RectText(rect));
  return 0;
}

int ClientRect(const Args& args) {
  NeedArgs(args, 1, "client-rect HWND");
  HWND hwnd = RequireWindow(args[0]);
  RECT rect{};
  if (!GetClientRect(hwnd, &rect)) Fail("GetClientRect failed");
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  Print(RectText(rect));
  return 0;
}

int ExStyle(const Args& args) {
  NeedArgs(args, 1, "exstyle HWND");
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%08lX",
                static_cast<unsigned long>(GetWindowLongPtrW(RequireWindow(args[0]), GWL_EXSTYLE)));
  Print(buffer);
  return 0;
}

int Style(const Args& args) {
  NeedArgs(args, 1, "style HWND");
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%08lX",
                static_cast<unsigned long>(GetWindowLongPtrW(RequireWindow(args[0]), GWL_STYLE)));
  Print(buffer);
  return 0;
}

int Layered(const Args& args) {
  NeedArgs(args, 1, "layered HWND");
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(RequireWindow(args[0]), &key, &alpha, &flags))
    Fail("the window has no layered attributes (not layered, or set with UpdateLayeredWindow)");
  Print(ColourText(key) + " " + std::to_string(alpha) + " " + std::to_string(flags));
  return 0;
}

std::string ControlLine(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  return std::to_string(GetDlgCtrlID(child)) + " " + ClassOf(child) + " " + RectText(rect) +
         (IsWindowEnabled(child) ? " 1" : " 0") + (IsWindowVisible(child) ? " 1 " : " 0 ") +
         HwndText(child) + " " + TitleOf(child);
}

int Children(const Args& args) {
  NeedArgs(args, 1, "children HWND");
  std::vector<HWND> found;
  EnumChildWindows(
      RequireWindow(args[0]),
      [](HWND child, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  for (HWND child : found) Print(ControlLine(child));
  return 0;
}

int Control(const Args& args) {
  NeedArgs(args, 2, "control HWND ID");
  HWND child = GetDlgItem(RequireWindow(args[0]), static_cast<int>(ParseLong(args[1], "id")));
  if (!child) Fail("the window has no control with id " + args[1]);
  Print(ControlLine(child));
  return 0;
}

int Text(const Args& args) {
  NeedArgs(args, 1, "text HWND");
  HWND hwnd = RequireWindow(args[0]);
  // WM_GETTEXT (not GetWindowText) so that an edit control's current contents come back.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    Fail("the window did not answer WM_GETTEXTLENGTH within 2 s");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 2000, &copied))
    Fail("the window did not answer WM_GETTEXT within 2 s");
  text.resize(copied);
  Print(ToUtf8(text));
  return 0;
}

int Check(const Args& args) {
  NeedArgs(args, 1, "check HWND");
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutW(RequireWindow(args[0]), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000,
                           &state))
    Fail("the control did not answer BM_GETCHECK within 2 s");
  Print(std::to_string(state));
  return 0;
}

int Foreground(const Args&) {
  HWND hwnd = GetForegroundWindow();
  if (!hwnd) {
    Print("0x0 - 0");
    return 0;
  }
  Print(HwndText(hwnd) + " " + ClassOf(hwnd) + " " + std::to_string(ProcessOf(hwnd)) + " " +
        TitleOf(hwnd));
  return 0;
}

int WaitForeground(const Args& args) {
  NeedArgs(args, 2, "wait-foreground CLASS|- TITLE|- [timeout]");
  const DWORD timeout = TimeoutArg(args, 2);
  auto matches = [&] {
    HWND hwnd = GetForegroundWindow();
    return hwnd && (args[0] == "-" || ClassOf(hwnd) == args[0]) &&
           (args[1] == "-" || TitleOf(hwnd) == args[1]);
  };
  if (!PollUntil(timeout, matches)) {
    HWND hwnd = GetForegroundWindow();
    Fail("the " + Describe(args[0], args[1]) + " did not come to the front within " +
         std::to_string(timeout) + " ms; in front: " +
         (hwnd ? ClassOf(hwnd) + " '" + TitleOf(hwnd) + "'" : std::string("nothing")));
  }
  return 0;
}

int Activate(const Args& args) {
  NeedArgs(args, 1, "activate HWND [timeout]");
  HWND hwnd = RequireWindow(args[0]);
  const DWORD timeout = TimeoutArg(args, 1);
  SetForegroundWindow(hwnd);
  if (!PollUntil(timeout, [&] { return GetForegroundWindow() == hwnd; }))
    Fail("the window did not come to the front within " + std::to_string(timeout) + " ms");
  return 0;
}

int Close(const Args& args) {
  NeedArgs(args, 1, "close HWND");
  if (!PostMessageW(RequireWindow(args[0]), WM_CLOSE, 0, 0)) Fail("PostMessage failed");
  return 0;
}

int Post(const Args& args) {
  NeedArgs(args, 4, "post HWND MSG WPARAM LPARAM");
  if (!PostMessageW(RequireWindow(args[0]), static_cast<UINT>(ParseLong(args[1], "message")),
                    static_cast<WPARAM>(ParseLong(args[2], "wParam")),
                    static_cast<LPARAM>(ParseLong(args[3], "lParam"))))
    Fail("PostMessage failed");
  return 0;
}

// The tray owner is hidden by design, so hidden windows count here.
int TrayClick(const Args& args) {
  NeedArgs(args, 1, "tray-click left|right|double [timeout]");
  LPARAM mouse = 0;
  if (args[0] == "left") mouse = WM_LBUTTONUP;
  else if (args[0] == "right") mouse = WM_RBUTTONUP;
  else if (args[0] == "double") mouse = WM_LBUTTONDBLCLK;
  else Usage("tray-click: expected left, right or double, not " + args[0]);
  const DWORD timeout = TimeoutArg(args, 1);
  HWND owner = nullptr;
  PollUntil(timeout, [&] {
    return (owner = FindTopLevel("VandrelTrayOwner", "Vandrel", false, true)) != nullptr;
  });
  if (!owner)
    Fail("the program's tray owner window (VandrelTrayOwner 'Vandrel') did not exist within " +
         std::to_string(timeout) + " ms");
  if (!PostMessageW(owner, kTrayCallbackMessage, kTrayIconId, mouse)) Fail("PostMessage failed");
  return 0;
}

// Wine draws its own "Wine System Tray" when no desktop tray exists; clicking the icon there
// goes through the same path as a user's click.
int TrayIconClick(const Args& args) {
  NeedArgs(args, 1, "tray-icon-click left|right|double [index] [timeout]");
  const std::string kind = args[0];
  if (kind != "left" && kind != "right" && kind != "double")
    Usage("tray-icon-click: expected left, right or double, not " + kind);
  const long index = args.size() > 1 ? ParseLong(args[1], "index") : 0;
  const DWORD timeout = TimeoutArg(args, 2);
  HWND icon = nullptr;
  PollUntil(timeout, [&] {
    HWND tray = FindTopLevel("__winex11_standalone_tray", "-", true, false);
    if (!tray) return false;
    HWND child = nullptr;
    for (long i = 0; i <= index; ++i) {
      child = FindWindowExW(tray, child, L"__winex11_tray_icon", nullptr);
      if (!child) return false;
    }
    icon = child;
    return IsWindowVisible(icon) != FALSE;
  });
  if (!icon)
    Fail("no icon number " + std::to_string(index) + " in Wine's system tray within " +
         std::to_string(timeout) + " ms");
  RECT rect{};
  GetWindowRect(icon, &rect);
  const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  ClickAt(x, y, kind == "right");
  if (kind == "double") ClickAt(x, y, false);
  return 0;
}

}  // namespace

void AddWindowCommands(std::vector<CommandInfo>& table) {
  table.push_back({"wait-window", "wait-window CLASS|- TITLE|- [timeout]  -> HWND X Y W H", WaitWindow});
  table.push_back({"wait-exists", "wait-exists CLASS|- TITLE|- [timeout]  -> HWND X Y W H visible|hidden", WaitExists});
  table.push_back({"wait-gone", "wait-gone CLASS|- TITLE|- [timeout]", WaitGone});
  table.push_back({"count-windows", "count-windows CLASS|- TITLE|-  -> one HWND X Y W H line each, then the count", CountWindows});
  table.push_back({"windows", "windows [--all]  -> HWND CLASS X Y W H PID visible|hidden TITLE", ListWindows});
  table.push_back({"window-at", "window-at X Y  -> HWND CLASS PID TOP-HWND TOP-CLASS TOP-TITLE", WindowAt});
  table.push_back({"thread-info", "thread-info HWND  -> flags (menu movesize ...), active, focus, capture ...", ThreadInfo});
  table.push_back({"rect", "rect HWND  -> X Y W H", Rect});
  table.push_back({"client-rect", "client-rect HWND  -> X Y W H (screen)", ClientRect});
  table.push_back({"style", "style HWND  -> 0xSTYLE", Style});
  table.push_back({"exstyle", "exstyle HWND  -> 0xEXSTYLE", ExStyle});
  table.push_back({"layered", "layered HWND  -> KEY(RRGGBB) ALPHA FLAGS", Layered});
  table.push_back({"children", "children HWND  -> ID CLASS X Y W H ENABLED VISIBLE HWND TEXT", Children});
  table.push_back({"control", "control HWND ID  -> ID CLASS X Y W H ENABLED VISIBLE HWND TEXT", Control});
  table.push_back({"text", "text HWND  -> the window's text (WM_GETTEXT)", Text});
  table.push_back({"check", "check HWND  -> BM_GETCHECK state", Check});
  table.push_back({"foreground", "foreground  -> HWND CLASS PID TITLE", Foreground});
  table.push_back({"wait-foreground", "wait-foreground CLASS|- TITLE|- [timeout]", WaitForeground});
  table.push_back({"activate", "activate HWND [timeout]", Activate});
  table.push_back({"close", "close HWND  (posts WM_CLOSE)", Close});
  table.push_back({"post", "post HWND MSG WPARAM LPARAM", Post});
  table.push_back({"tray-click", "tray-click left|right|double [timeout]  (posts the tray callback)", TrayClick});
  table.push_back({"tray-icon-click", "tray-icon-click left|right|double [index] [timeout]  (clicks Wine's tray icon)", TrayIconClick});
}

}  // namespace vd
