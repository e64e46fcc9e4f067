// Timings for bench/startup.sh, taken inside Wine so that starting a Wine process for each
// probe does not count: how long a program started by CreateProcess takes until its windows
// show, and how long a swatch's button release takes to reach the clipboard.
#include "driver.h"

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

}  // namespace

void AddTimingCommands(std::vector<CommandInfo>& table) {
  table.push_back({"start-timed", "start-timed EXE CLASS COUNT [timeout]  -> MS PID", StartTimed});
  table.push_back({"end-process", "end-process PID", EndProcess});
  table.push_back({"click-to-clipboard", "click-to-clipboard X Y [timeout]  -> MS", ClickToClipboard});
}

}  // namespace vd
