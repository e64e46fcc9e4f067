// vdriver: our own Win32 test driver for the end-to-end tests. It runs inside the test's Wine
// prefix, finds the program's windows, drives them as a user would and prints what it sees.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vd {

using Args = std::vector<std::string>;  // UTF-8 arguments after the command name

// Thrown by commands; main prints the message on stderr and exits with the code.
struct Failure {
  std::string message;
  int exitCode = 1;
};
[[noreturn]] void Fail(const std::string& message);
[[noreturn]] void Usage(const std::string& message);  // exit code 2

constexpr DWORD kDefaultTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;

std::string ToUtf8(const std::wstring& text);
std::wstring ToWide(const std::string& text);

long ParseLong(const std::string& text, const char* what);
HWND ParseHwnd(const std::string& text);
// Optional timeout argument at `index`; the default when absent.
DWORD TimeoutArg(const Args& args, size_t index);
void NeedArgs(const Args& args, size_t minCount, const char* usage);

std::string HwndText(HWND hwnd);
std::string ClassOf(HWND hwnd);
std::string TitleOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
HWND RequireWindow(const std::string& text);
std::string RectText(const RECT& rect);  // "x y width height"
std::string ColourText(COLORREF colour);  // "RRGGBB"

// Calls `probe` every kPollMs until it returns true or the timeout passes.
bool PollUntil(DWORD timeoutMs, const std::function<bool()>& probe);

// Top-level windows in Z order. `cls`/`title` of "-" match anything.
std::vector<HWND> TopLevelWindows(bool visibleOnly);
HWND FindTopLevel(const std::string& cls, const std::string& title, bool visibleOnly,
                  bool otherProcessOnly);

void Print(const std::string& line);  // writes the line and "\n" to stdout

// Command groups; each returns the exit code.
using Command = std::function<int(const Args&)>;
struct CommandInfo {
  const char* name;
  const char* usage;
  Command run;
};
void AddWindowCommands(std::vector<CommandInfo>& table);
void AddDialogCommands(std::vector<CommandInfo>& table);
void AddInputCommands(std::vector<CommandInfo>& table);
void AddScreenCommands(std::vector<CommandInfo>& table);
void AddReceiverCommand(std::vector<CommandInfo>& table);
void AddTimingCommands(std::vector<CommandInfo>& table);

// Input primitives shared by several command groups.
void MovePointer(int x, int y);
void ClickAt(int x, int y, bool right);
void SendKeyNames(const Args& names, size_t first, DWORD gapMs);

}  // namespace vd
