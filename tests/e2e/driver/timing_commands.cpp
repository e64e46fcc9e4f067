// Timings for bench/startup.sh, taken inside Wine so that starting a Wine process for each
// probe does not count: how long a program started by CreateProcess takes until its windows
// show, and how long a swatch's button release takes to reach the clipboard.
#include "driver.h"

#include <commctrl.h>

#include <cstdio>

namespace vd {
namespace {

double NowMs() {
  LARGE_INTEGER frequency{}, count{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string Millis(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

int VisibleWindowsOf(DWORD process, const std::string& cls) {
  int count = 0;
  for (HWND hwnd : TopLevelWindows(true))
    if (ProcessOf(hwnd) == process && ClassOf(hwnd) == cls) ++count;
  return count;
}

// start-timed EXE CLASS COUNT [timeout]: starts EXE (in its own folder) and waits until COUNT
// visible top-level windows of CLASS belong to it; prints "MS PID". The program keeps running.
int StartTimed(const Args& args) {
  NeedArgs(args, 3, "start-timed EXE CLASS COUNT [timeout]");
  const long wanted = ParseLong(args[2], "count");
  const DWORD timeout = TimeoutArg(args, 3);
  std::wstring command = L"\"" + ToWide(args[0]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double started = NowMs();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    Fail("could not start " + args[0] + " (error " + std::to_string(GetLastError()) + ")");
  CloseHandle(process.hThread);
  double shown = 0;
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (;;) {
    if (VisibleWindowsOf(process.dwProcessId, args[1]) >= wanted) {
      shown = NowMs();
      break;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      CloseHandle(process.hProcess);
      Fail(args[0] + " ended before its windows showed");
    }
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      Fail("fewer than " + args[2] + " windows of class " + args[1] + " showed in time");
    }
    Sleep(1);
  }
  CloseHandle(process.hProcess);
  Print(Millis(shown - started) + " " + std::to_string(process.dwProcessId));
  return 0;
}

// end-process PID: ends it at once and waits until it is gone.
int EndProcess(const Args& args) {
  NeedArgs(args, 1, "end-process PID");
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                               static_cast<DWORD>(ParseLong(args[0], "pid")));
  if (!process) Fail("no process " + args[0]);
  TerminateProcess(process, 0);
  const bool gone = WaitForSingleObject(process, kDefaultTimeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  if (!gone) Fail("process " + args[0] + " did not end");
  return 0;
}

// click-to-clipboard X Y [timeout]: presses the left button at X,Y, then measures from its
// release until the clipboard changes; prints the milliseconds.
int ClickToClipboard(const Args& args) {
  NeedArgs(args, 2, "click-to-clipboard X Y [timeout]");
  const int x = static_cast<int>(ParseLong(args[0], "x")), y = static_cast<int>(ParseLong(args[1], "y"));
  const DWORD timeout = TimeoutArg(args, 2);
  MovePointer(x, y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &input, sizeof input);
  Sleep(30);
  const DWORD before = GetClipboardSequenceNumber();
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  const double released = NowMs();
  if (SendInput(1, &input, sizeof input) != 1) Fail("SendInput refused the button release");
  const ULONGLONG deadline = GetTickCount64() + timeout;
  while (GetClipboardSequenceNumber() == before) {
    if (GetTickCount64() >= deadline) Fail("the clipboard did not change after the click");
    Sleep(0);
  }
  Print(Millis(NowMs() - released));
  return 0;
}

// Whether the window's thread answers a message within the time left.
bool Answers(HWND window, ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  DWORD_PTR result = 0;
  return now < deadline && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                               static_cast<UINT>(deadline - now), &result) != 0;
}

// dialog-click-timed DIALOG ID WINDOW LIST COUNT [timeout]: clicks button ID of the dialog titled
// DIALOG, then measures until WINDOW shows a new list view LIST (not the one it had) of COUNT rows
// and answers a message; prints the milliseconds. For a palette folder change: the time until the
// manage window shows the new folder's palettes and takes input again.
int DialogClickTimed(const Args& args) {
  NeedArgs(args, 5, "dialog-click-timed DIALOG ID WINDOW LIST COUNT [timeout]");
  HWND window = RequireWindow(args[2]);
  const int listId = static_cast<int>(ParseLong(args[3], "list id"));
  const long wanted = ParseLong(args[4], "count");
  const DWORD timeout = TimeoutArg(args, 5);
  HWND dialog = FindTopLevel("#32770", args[0], true, true);
  if (!dialog) Fail("no dialog " + args[0]);
  HWND button = GetDlgItem(dialog, static_cast<int>(ParseLong(args[1], "control id")));
  if (!button) Fail("the dialog has no control " + args[1]);
  HWND before = GetDlgItem(window, listId);
  const double clicked = NowMs();
  if (!PostMessageW(button, BM_CLICK, 0, 0)) Fail("PostMessage(BM_CLICK) failed");
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (;;) {
    HWND list = GetDlgItem(window, listId);
    DWORD_PTR rows = 0;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline)
      Fail("the window did not show a new list of " + args[4] + " rows and answer within " +
           std::to_string(timeout) + " ms");
    if (list && list != before &&
        SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, static_cast<UINT>(deadline - now),
                            &rows) &&
        static_cast<long>(rows) == wanted && Answers(window, deadline))
      break;
    Sleep(1);
  }
  Print(Millis(NowMs() - clicked));
  return 0;
}

// watch-window TITLE DX DY MS: for MS milliseconds, samples the visible window TITLE and the
// pointer about every millisecond and prints "EPOCH-MS LEFT TOP RRGGBB X Y" whenever the
// window's place, the screen pixel at (left + DX, top + DY) or the pointer's place changes. The epoch is the system clock's, which the shell's `date` shares.
int WatchWindow(const Args& args) {
  NeedArgs(args, 4, "watch-window TITLE DX DY MS");
  const long dx = ParseLong(args[1], "dx"), dy = ParseLong(args[2], "dy");
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ParseLong(args[3], "ms"));
  HDC screen = GetDC(nullptr);
  std::string last;
  Print("watching");
  std::fflush(stdout);
  while (GetTickCount64() < deadline) {
    HWND window = FindTopLevel("-", args[0], true, false);
    RECT r{};
    if (window && GetWindowRect(window, &r)) {
      const COLORREF pixel = GetPixel(screen, r.left + dx, r.top + dy);
      POINT pointer{};
      GetCursorPos(&pointer);
      char state[80];
      std::snprintf(state, sizeof state, "%ld %ld %02X%02X%02X %ld %ld", r.left, r.top, GetRValue(pixel),
                    GetGValue(pixel), GetBValue(pixel), pointer.x, pointer.y);
      if (state != last) {
        FILETIME now{};
        GetSystemTimePreciseAsFileTime(&now);
        const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        char line[96];
        std::snprintf(line, sizeof line, "%.3f %s", static_cast<double>(ticks - 116444736000000000ULL) / 10000.0,
                      state);
        Print(line);
        last = state;
      }
    }
    Sleep(1);
  }
  ReleaseDC(nullptr, screen);
  return 0;
}

}  // namespace

void AddTimingCommands(std::vector<CommandInfo>& table) {
  table.push_back({"start-timed", "start-timed EXE CLASS COUNT [timeout]  -> MS PID", StartTimed});
  table.push_back({"end-process", "end-process PID", EndProcess});
  table.push_back({"dialog-click-timed", "dialog-click-timed DIALOG ID WINDOW LIST COUNT [timeout]  -> MS",
                   DialogClickTimed});
  table.push_back({"click-to-clipboard", "click-to-clipboard X Y [timeout]  -> MS", ClickToClipboard});
  table.push_back({"watch-window", "watch-window TITLE DX DY MS  -> EPOCH-MS LEFT TOP RRGGBB X Y lines", WatchWindow});
}

}  // namespace vd
