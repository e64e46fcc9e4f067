// Real input through SendInput: it passes through low-level hooks and focus rules the way a
// user's mouse and keyboard do, unlike posted messages.
#include "driver.h"

#include <cctype>

namespace vd {
namespace {

constexpr DWORD kButtonGapMs = 30;  // between a button's down and up, as a hand would

// Wine maps an absolute coordinate back with x = dx * width / 65536 (rounding down), so round up
// here; the (width - 1) formula lands one pixel short for some x.
LONG Normalise(int value, int size) {
  return static_cast<LONG>((static_cast<long long>(value) * 65536 + size - 1) / size);
}

void SendMouse(DWORD flags, int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalise(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalise(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  if (SendInput(1, &input, sizeof input) != 1) Fail("SendInput refused the mouse input");
}

void Button(int x, int y, bool right, bool down) {
  DWORD flags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                      : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  SendMouse(flags, x, y);
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

void SendAll(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return;
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
    Fail("SendInput refused the key input");
}

struct KeyName {
  const char* name;
  WORD vk;
};
constexpr KeyName kKeys[] = {
    {"down", VK_DOWN},     {"up", VK_UP},         {"left", VK_LEFT},       {"right", VK_RIGHT},
    {"enter", VK_RETURN},  {"return", VK_RETURN}, {"escape", VK_ESCAPE},   {"esc", VK_ESCAPE},
    {"home", VK_HOME},     {"end", VK_END},       {"tab", VK_TAB},         {"space", VK_SPACE},
    {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"pageup", VK_PRIOR},   {"pagedown", VK_NEXT},
    {"f1", VK_F1},         {"f2", VK_F2},         {"f4", VK_F4},           {"f10", VK_F10},
    {"ctrl", VK_CONTROL},  {"shift", VK_SHIFT},   {"alt", VK_MENU},        {"apps", VK_APPS}};

WORD KeyCode(const std::string& name) {
  for (const auto& key : kKeys)
    if (name == key.name) return key.vk;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  Usage("unknown key '" + name + "'");
}

// "ctrl+shift+tab": modifiers down in order, the last key pressed, all released in reverse.
void SendChord(const std::string& chord) {
  std::vector<WORD> keys;
  size_t start = 0;
  for (;;) {
    size_t plus = chord.find('+', start);
    keys.push_back(KeyCode(chord.substr(start, plus == std::string::npos ? plus : plus - start)));
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  std::vector<INPUT> inputs;
  for (WORD vk : keys) inputs.push_back(KeyInput(vk, false));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  SendAll(inputs);
}

std::vector<INPUT> CharInputs(wchar_t ch, bool unicodeOnly) {
  std::vector<INPUT> inputs;
  if (ch == L'\n') {
    inputs.push_back(KeyInput(VK_RETURN, false));
    inputs.push_back(KeyInput(VK_RETURN, true));
    return inputs;
  }
  const SHORT scan = unicodeOnly ? -1 : VkKeyScanW(ch);
  const int shiftState = scan == -1 ? -1 : (scan >> 8) & 0xFF;
  if (shiftState == 0 || shiftState == 1) {
    const WORD vk = static_cast<WORD>(scan & 0xFF);
    if (shiftState) inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (shiftState) inputs.push_back(KeyInput(VK_SHIFT, true));
    return inputs;
  }
  for (bool up : {false, true}) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    inputs.push_back(input);
  }
  return inputs;
}

int Click(const Args& args) {
  NeedArgs(args, 2, "click X Y [left|right|double]");
  const int x = static_cast<int>(ParseLong(args[0], "x")), y = static_cast<int>(ParseLong(args[1], "y"));
  const std::string kind = args.size() > 2 ? args[2] : "left";
  if (kind != "left" && kind != "right" && kind != "double") Usage("click: left, right or double");
  ClickAt(x, y, kind == "right");
  if (kind == "double") ClickAt(x, y, false);
  return 0;
}

int Press(const Args& args) {
  NeedArgs(args, 2, "press X Y [left|right]");
  const int x = static_cast<int>(ParseLong(args[0], "x")), y = static_cast<int>(ParseLong(args[1], "y"));
  MovePointer(x, y);
  Button(x, y, args.size() > 2 && args[2] == "right", true);
  return 0;
}

int Release(const Args& args) {
  NeedArgs(args, 2, "release X Y [left|right]");
  const int x = static_cast<int>(ParseLong(args[0], "x")), y = static_cast<int>(ParseLong(args[1], "y"));
  MovePointer(x, y);
  Button(x, y, args.size() > 2 && args[2] == "right", false);
  return 0;
}

int Move(const Args& args) {
  NeedArgs(args, 2, "move X Y");
  MovePointer(static_cast<int>(ParseLong(args[0], "x")), static_cast<int>(ParseLong(args[1], "y")));
  return 0;
}

int Cursor(const Args&) {
  POINT point{};
  GetCursorPos(&point);
  Print(std::to_string(point.x) + " " + std::to_string(point.y));
  return 0;
}

// True while the thread that owns the window under the press is in a system move or size loop.
bool InMoveLoop(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

// Each step is one WM_MOUSEMOVE for the program (a move loop moves the window once per step).
// A program may start its move loop a moment after the press (WM_NCLBUTTONDOWN/HTCAPTION from
// its own logic): the steps wait for it, so that none is lost before the loop takes its anchor.
// A drag the program tracks with a capture of its own never enters the loop: after 1 s the
// steps go on regardless. The gap lets the program handle one step before the next.
int Drag(const Args& args) {
  NeedArgs(args, 4, "drag X1 Y1 X2 Y2 [steps] [gap-ms]");
  const int x1 = static_cast<int>(ParseLong(args[0], "x1")), y1 = static_cast<int>(ParseLong(args[1], "y1"));
  const int x2 = static_cast<int>(ParseLong(args[2], "x2")), y2 = static_cast<int>(ParseLong(args[3], "y2"));
  const long steps = args.size() > 4 ? ParseLong(args[4], "steps") : 10;
  const long gap = args.size() > 5 ? ParseLong(args[5], "gap-ms") : 50;
  if (steps < 1 || gap < 0) Usage("drag: steps >= 1, gap >= 0");
  MovePointer(x1, y1);
  const DWORD thread = GetWindowThreadProcessId(WindowFromPoint(POINT{x1, y1}), nullptr);
  Button(x1, y1, false, true);
  PollUntil(1000, [&] { return InMoveLoop(thread); });
  Sleep(static_cast<DWORD>(gap));
  for (long i = 1; i <= steps; ++i) {
    MovePointer(static_cast<int>(x1 + (x2 - x1) * i / steps), static_cast<int>(y1 + (y2 - y1) * i / steps));
    Sleep(static_cast<DWORD>(gap));
  }
  Button(x2, y2, false, false);
  if (!PollUntil(2000, [&] { return !InMoveLoop(thread); }))
    Fail("the window was still being moved 2 s after the button was released");
  return 0;
}

int Key(const Args& args) {
  NeedArgs(args, 1, "key KEY|CHORD...  (e.g. escape, ctrl+c, shift+tab)");
  SendKeyNames(args, 0, 40);
  return 0;
}

int Type(const Args& args) {
  NeedArgs(args, 1, "type TEXT [--unicode]");
  const bool unicodeOnly = args.size() > 1 && args[1] == "--unicode";
  for (wchar_t ch : ToWide(args[0])) {
    auto inputs = CharInputs(ch, unicodeOnly);
    SendAll(inputs);
    Sleep(10);
  }
  return 0;
}

}  // namespace

void MovePointer(int x, int y) {
  SendMouse(0, x, y);
  POINT point{};
  if (!PollUntil(1000, [&] { return GetCursorPos(&point) && point.x == x && point.y == y; }))
    Fail("the pointer went to " + std::to_string(point.x) + "," + std::to_string(point.y) +
         " instead of " + std::to_string(x) + "," + std::to_string(y));
}

void ClickAt(int x, int y, bool right) {
  MovePointer(x, y);
  Button(x, y, right, true);
  Sleep(kButtonGapMs);
  Button(x, y, right, false);
}

void SendKeyNames(const Args& names, size_t first, DWORD gapMs) {
  for (size_t i = first; i < names.size(); ++i) {
    if (i > first) Sleep(gapMs);
    std::string chord = names[i];
    for (char& c : chord) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    SendChord(chord);
  }
}

void AddInputCommands(std::vector<CommandInfo>& table) {
  table.push_back({"click", "click X Y [left|right|double]", Click});
  table.push_back({"press", "press X Y [left|right]", Press});
  table.push_back({"release", "release X Y [left|right]", Release});
  table.push_back({"move", "move X Y", Move});
  table.push_back({"cursor", "cursor  -> X Y", Cursor});
  table.push_back({"drag", "drag X1 Y1 X2 Y2 [steps=10] [gap-ms=50]  (left button)", Drag});
  table.push_back({"key", "key KEY|CHORD...  (names as menu-keys, letters, ctrl+c ...)", Key});
  table.push_back({"type", "type TEXT [--unicode]", Type});
}

}  // namespace vd
