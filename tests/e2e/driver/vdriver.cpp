// Entry point and shared helpers of vdriver. Run as `wine vdriver.exe COMMAND [ARGS...]`:
// results go to stdout, a failure or a timeout gives a non-zero exit code and one line on stderr.
#include "driver.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

namespace vd {

void Fail(const std::string& message) { throw Failure{message, 1}; }
void Usage(const std::string& message) { throw Failure{message, 2}; }

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring ToWide(const std::string& text) {
  if (text.empty()) return {};
  int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

long ParseLong(const std::string& text, const char* what) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0') Usage(std::string("not a number for ") + what + ": " + text);
  return value;
}

HWND ParseHwnd(const std::string& text) {
  char* end = nullptr;
  unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0') Usage("not a window handle: " + text);
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

DWORD TimeoutArg(const Args& args, size_t index) {
  if (args.size() <= index) return kDefaultTimeoutMs;
  long value = ParseLong(args[index], "timeout (ms)");
  if (value < 0) Usage("negative timeout: " + args[index]);
  return static_cast<DWORD>(value);
}

void NeedArgs(const Args& args, size_t minCount, const char* usage) {
  if (args.size() < minCount) Usage(std::string("usage: vdriver ") + usage);
}

std::string HwndText(HWND hwnd) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return ToUtf8(buffer);
}

std::string TitleOf(HWND hwnd) {
  wchar_t buffer[1024] = {};
  // InternalGetWindowText never sends a message, so a hung window cannot block the driver.
  InternalGetWindowText(hwnd, buffer, 1024);
  return ToUtf8(buffer);
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

HWND RequireWindow(const std::string& text) {
  HWND hwnd = ParseHwnd(text);
  if (!IsWindow(hwnd)) Fail("no such window: " + text + " (it was closed?)");
  return hwnd;
}

std::string RectText(const RECT& rect) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%ld %ld %ld %ld", rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
  return buffer;
}

std::string ColourText(COLORREF colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return buffer;
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& probe) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (probe()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

std::vector<HWND> TopLevelWindows(bool visibleOnly) {
  struct Collect {
    std::vector<HWND> found;
    bool visibleOnly;
  } collect{{}, visibleOnly};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<Collect*>(data);
        if (!c->visibleOnly || IsWindowVisible(hwnd)) c->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.found;
}

HWND FindTopLevel(const std::string& cls, const std::string& title, bool visibleOnly,
                  bool otherProcessOnly) {
  const DWORD self = GetCurrentProcessId();
  for (HWND hwnd : TopLevelWindows(visibleOnly)) {
    if (otherProcessOnly && ProcessOf(hwnd) == self) continue;
    if (cls != "-" && ClassOf(hwnd) != cls) continue;
    if (title != "-" && TitleOf(hwnd) != title) continue;
    return hwnd;
  }
  return nullptr;
}

void Print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace vd

namespace {

std::vector<vd::CommandInfo> BuildTable() {
  std::vector<vd::CommandInfo> table;
  vd::AddWindowCommands(table);
  vd::AddDialogCommands(table);
  vd::AddInputCommands(table);
  vd::AddScreenCommands(table);
  vd::AddTimingCommands(table);
  vd::AddReceiverCommand(table);
  return table;
}

void PrintUsage(const std::vector<vd::CommandInfo>& table) {
  std::fputs("usage: vdriver COMMAND [ARGS...]   (timeouts in ms, default 5000)\n", stderr);
  for (const auto& command : table) std::fprintf(stderr, "  %s\n", command.usage);
}

}  // namespace

int main() {
  // Text mode would turn "\n" into "\r\n" and break the shell's parsing.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);

  // The wide command line keeps non-ASCII arguments (typed text, titles) intact.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  vd::Args args;
  for (int i = 2; i < argc; ++i) args.push_back(vd::ToUtf8(argv[i]));
  std::string name = argc > 1 ? vd::ToUtf8(argv[1]) : "";
  LocalFree(argv);

  const auto table = BuildTable();
  if (name.empty() || name == "help" || name == "--help") {
    PrintUsage(table);
    return name.empty() ? 2 : 0;
  }
  for (const auto& command : table) {
    if (name != command.name) continue;
    try {
      int code = command.run(args);
      std::fflush(stdout);
      return code;
    } catch (const vd::Failure& failure) {
      std::fflush(stdout);
      std::fprintf(stderr, "vdriver %s: %s\n", name.c_str(), failure.message.c_str());
      return failure.exitCode;
    }
  }
  std::fprintf(stderr, "vdriver: unknown command '%s' (try: vdriver help)\n", name.c_str());
  return 2;
}
