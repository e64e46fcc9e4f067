// Commands for message boxes, common dialogs and popup menus of the program under test.
#include "driver.h"

namespace vd {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr UINT kMenuGetHmenu = 0x01E1;  // MN_GETHMENU

struct ButtonName {
  const char* name;
  int id;
};
constexpr ButtonName kButtons[] = {{"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT},
                                   {"retry", IDRETRY},   {"ignore", IDIGNORE}, {"yes", IDYES},
                                   {"no", IDNO}};

// A visible dialog of another process; "-" matches any title.
HWND WaitDialog(const std::string& title, DWORD timeout) {
  HWND found = nullptr;
  PollUntil(timeout, [&] { return (found = FindTopLevel("#32770", title, true, true)) != nullptr; });
  if (!found)
    Fail(title == "-" ? "no message box or dialog appeared within " + std::to_string(timeout) + " ms"
                      : "no message box or dialog titled '" + title + "' appeared within " +
                            std::to_string(timeout) + " ms");
  return found;
}

std::string ButtonsOf(HWND box) {
  std::string names;
  for (const auto& button : kButtons) {
    HWND control = GetDlgItem(box, button.id);
    if (!control || !IsWindowVisible(control)) continue;
    if (!names.empty()) names += ' ';
    names += button.name;
  }
  return names;
}

int MsgboxWait(const Args& args) {
  const std::string title = args.empty() ? "-" : args[0];
  HWND box = WaitDialog(title, TimeoutArg(args, 1));
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  Print(TitleOf(box));
  Print(text ? TitleOf(text) : "");
  return 0;
}

int MsgboxButtons(const Args& args) {
  const std::string title = args.empty() ? "-" : args[0];
  Print(ButtonsOf(WaitDialog(title, TimeoutArg(args, 1))));
  return 0;
}

int ButtonId(const std::string& name) {
  for (const auto& button : kButtons)
    if (name == button.name) return button.id;
  return static_cast<int>(ParseLong(name, "button (ok|cancel|yes|no|... or an id)"));
}

// Clicks the button the way the program sees a user's click, then waits for the box to go away
// so the next step of a test does not race the program's reaction.
int MsgboxAnswer(const Args& args) {
  NeedArgs(args, 2, "msgbox-answer TITLE|- ok|yes|no|cancel|ID [timeout]");
  const DWORD timeout = TimeoutArg(args, 2);
  HWND box = WaitDialog(args[0], timeout);
  HWND button = GetDlgItem(box, ButtonId(args[1]));
  if (!button || !IsWindowVisible(button))
    Fail("the box '" + TitleOf(box) + "' has no " + args[1] + " button (it has: " + ButtonsOf(box) + ")");
  if (!PostMessageW(button, BM_CLICK, 0, 0)) Fail("PostMessage(BM_CLICK) failed");
  if (!PollUntil(timeout, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
    Fail("the box '" + TitleOf(box) + "' stayed open after clicking " + args[1]);
  return 0;
}

int DialogWait(const Args& args) {
  NeedArgs(args, 1, "dialog-wait TITLE [timeout]");
  HWND box = WaitDialog(args[0], TimeoutArg(args, 1));
  RECT rect{};
  GetWindowRect(box, &rect);
  Print(HwndText(box) + " " + RectText(rect));
  return 0;
}

HWND DialogControl(HWND box, const std::string& id) {
  HWND control = GetDlgItem(box, static_cast<int>(ParseLong(id, "control id")));
  if (!control) Fail("the dialog '" + TitleOf(box) + "' has no control with id " + id);
  return control;
}

int DialogGet(const Args& args) {
  NeedArgs(args, 2, "dialog-get TITLE ID [timeout]");
  HWND control = DialogControl(WaitDialog(args[0], TimeoutArg(args, 2)), args[1]);
  wchar_t buffer[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 2000, &copied))
    Fail("the control did not answer WM_GETTEXT within 2 s");
  Print(ToUtf8(buffer));
  return 0;
}

int DialogSet(const Args& args) {
  NeedArgs(args, 3, "dialog-set TITLE ID TEXT [timeout]");
  HWND control = DialogControl(WaitDialog(args[0], TimeoutArg(args, 3)), args[1]);
  const std::wstring text = ToWide(args[2]);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, 2000, &result) ||
      !result)
    Fail("the control did not take the text '" + args[2] + "'");
  return 0;
}

int DialogClick(const Args& args) {
  NeedArgs(args, 2, "dialog-click TITLE ID [timeout]");
  HWND control = DialogControl(WaitDialog(args[0], TimeoutArg(args, 2)), args[1]);
  if (!IsWindowEnabled(control)) Fail("control " + args[1] + " is disabled");
  if (!PostMessageW(control, BM_CLICK, 0, 0)) Fail("PostMessage(BM_CLICK) failed");
  return 0;
}

// Picks row INDEX of a combo box of the dialog and tells the dialog, as a
// selection by the user does (the file dialogs' type list).
int DialogSelect(const Args& args) {
  NeedArgs(args, 3, "dialog-select TITLE ID INDEX [timeout]");
  HWND box = WaitDialog(args[0], TimeoutArg(args, 3));
  HWND control = DialogControl(box, args[1]);
  const long index = ParseLong(args[2], "row index");
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 2000,
                           &result) ||
      static_cast<long>(result) != index)
    Fail("the combo box has no row " + args[2]);
  // A choice from the list raises both, in this order.
  for (const WORD notification : {WORD{CBN_SELCHANGE}, WORD{CBN_SELENDOK}}) {
    const WPARAM command = MAKEWPARAM(static_cast<int>(ParseLong(args[1], "control id")), notification);
    if (!SendMessageTimeoutW(box, WM_COMMAND, command, reinterpret_cast<LPARAM>(control), SMTO_ABORTIFHUNG, 2000,
                             &result))
      Fail("the dialog did not take the selection within 2 s");
  }
  return 0;
}

HWND OpenMenu() { return FindTopLevel("#32768", "-", true, true); }

// The menu's thread runs its menu loop: the window shows a moment before the loop takes the mouse,
// and keys sent in that moment were once seen to be lost (a loaded machine).
bool MenuTracking(HWND menu) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &info) &&
         (info.flags & GUI_INMENUMODE) != 0 && info.hwndMenuOwner != nullptr;
}

// A shown popup menu whose loop runs, within the timeout; null if none.
HWND WaitTrackedMenu(DWORD timeout) {
  HWND menu = nullptr;
  PollUntil(timeout, [&] { return (menu = OpenMenu()) != nullptr && MenuTracking(menu); });
  return menu && MenuTracking(menu) ? menu : nullptr;
}

int MenuWait(const Args& args) {
  const DWORD timeout = TimeoutArg(args, 0);
  HWND menu = WaitTrackedMenu(timeout);
  if (!menu) Fail("no popup menu opened within " + std::to_string(timeout) + " ms");
  RECT rect{};
  GetWindowRect(menu, &rect);
  // The menu handle belongs to the other process; the count is -1 where that is not readable.
  DWORD_PTR hmenu = 0;
  SendMessageTimeoutW(menu, kMenuGetHmenu, 0, 0, SMTO_ABORTIFHUNG, 1000, &hmenu);
  const int items = hmenu ? GetMenuItemCount(reinterpret_cast<HMENU>(hmenu)) : -1;
  Print(HwndText(menu) + " " + RectText(rect) + " " + std::to_string(items));
  return 0;
}

int MenuKeys(const Args& args) {
  NeedArgs(args, 1, "menu-keys KEY... (down up left right enter escape home end)");
  // Keys go to whatever has the focus: refuse rather than type into the wrong window.
  HWND menu = WaitTrackedMenu(1000);
  if (!menu) Fail("no popup menu is open to receive the keys");
  HWND front = GetForegroundWindow();
  if (!front || GetWindowThreadProcessId(front, nullptr) != GetWindowThreadProcessId(menu, nullptr))
    Fail("the open popup menu does not have the keyboard: keys would go to " +
         (front ? ClassOf(front) + " '" + TitleOf(front) + "'" : std::string("no window")));
  SendKeyNames(args, 0, 40);
  return 0;
}

}  // namespace

void AddDialogCommands(std::vector<CommandInfo>& table) {
  table.push_back({"msgbox-wait", "msgbox-wait [TITLE|-] [timeout]  -> TITLE, then TEXT", MsgboxWait});
  table.push_back({"msgbox-buttons", "msgbox-buttons [TITLE|-] [timeout]  -> e.g. 'yes no'", MsgboxButtons});
  table.push_back({"msgbox-answer", "msgbox-answer TITLE|- ok|yes|no|cancel|ID [timeout]", MsgboxAnswer});
  table.push_back({"dialog-wait", "dialog-wait TITLE [timeout]  -> HWND X Y W H", DialogWait});
  table.push_back({"dialog-get", "dialog-get TITLE ID [timeout]  -> control text", DialogGet});
  table.push_back({"dialog-set", "dialog-set TITLE ID TEXT [timeout]", DialogSet});
  table.push_back({"dialog-click", "dialog-click TITLE ID [timeout]  (BM_CLICK)", DialogClick});
  table.push_back({"dialog-select", "dialog-select TITLE ID INDEX [timeout]  (CB_SETCURSEL, CBN_SELCHANGE, CBN_SELENDOK)",
                   DialogSelect});
  table.push_back({"menu-wait", "menu-wait [timeout]  -> HWND X Y W H ITEMS(-1 unknown)", MenuWait});
  table.push_back({"menu-keys", "menu-keys KEY...  (into the open popup menu)", MenuKeys});
}

}  // namespace vd
