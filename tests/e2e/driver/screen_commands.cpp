// Screen pixels and the clipboard, read the way another program on the desktop would.
#include "driver.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace vd {
namespace {

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  if (colour == CLR_INVALID) Fail("no pixel at " + std::to_string(x) + "," + std::to_string(y));
  return colour;
}

// Colours of a screen area, row by row, as 0x00RRGGBB.
std::vector<DWORD> Capture(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) Usage("width and height must be positive");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<DWORD> pixels;
  if (bitmap && memory) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY)) {
      GdiFlush();
      const DWORD* row = static_cast<const DWORD*>(bits);
      pixels.assign(row, row + static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (pixels.empty()) Fail("could not copy the screen area");
  for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
  return pixels;
}

std::string Hex(DWORD rgb) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06lX", static_cast<unsigned long>(rgb));
  return buffer;
}

struct Area {
  int x, y, width, height;
};
Area AreaArgs(const Args& args, const char* usage) {
  NeedArgs(args, 4, usage);
  return {static_cast<int>(ParseLong(args[0], "x")), static_cast<int>(ParseLong(args[1], "y")),
          static_cast<int>(ParseLong(args[2], "width")), static_cast<int>(ParseLong(args[3], "height"))};
}

int Pixel(const Args& args) {
  NeedArgs(args, 2, "pixel X Y");
  Print(ColourText(ScreenPixel(static_cast<int>(ParseLong(args[0], "x")),
                               static_cast<int>(ParseLong(args[1], "y")))));
  return 0;
}

int WaitPixel(const Args& args) {
  NeedArgs(args, 3, "wait-pixel X Y RRGGBB [timeout]");
  const int x = static_cast<int>(ParseLong(args[0], "x")), y = static_cast<int>(ParseLong(args[1], "y"));
  std::string want = args[2];
  std::transform(want.begin(), want.end(), want.begin(), ::toupper);
  const DWORD timeout = TimeoutArg(args, 3);
  std::string seen;
  if (!PollUntil(timeout, [&] { return (seen = ColourText(ScreenPixel(x, y))) == want; }))
    Fail("the pixel at " + args[0] + "," + args[1] + " stayed " + seen + ", not " + want +
         ", for " + std::to_string(timeout) + " ms");
  return 0;
}

int Pixels(const Args& args) {
  const Area area = AreaArgs(args, "pixels X Y W H  -> H lines of W RRGGBB values");
  const auto pixels = Capture(area.x, area.y, area.width, area.height);
  for (int row = 0; row < area.height; ++row) {
    std::string line;
    for (int column = 0; column < area.width; ++column) {
      if (column) line += ' ';
      line += Hex(pixels[static_cast<size_t>(row * area.width + column)]);
    }
    Print(line);
  }
  return 0;
}

int PixelStats(const Args& args) {
  const Area area = AreaArgs(args, "pixel-stats X Y W H  -> RRGGBB COUNT, most frequent first");
  std::map<DWORD, int> counts;
  for (DWORD pixel : Capture(area.x, area.y, area.width, area.height)) ++counts[pixel];
  std::vector<std::pair<DWORD, int>> sorted(counts.begin(), counts.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  for (const auto& [rgb, count] : sorted) Print(Hex(rgb) + " " + std::to_string(count));
  return 0;
}

// Another program may hold the clipboard open for a moment: retry as a user's paste would.
struct ClipboardLock {
  bool open = false;
  explicit ClipboardLock(HWND owner) {
    open = PollUntil(2000, [&] { return OpenClipboard(owner) != FALSE; });
    if (!open) Fail("the clipboard stayed locked by another program for 2 s");
  }
  ~ClipboardLock() {
    if (open) CloseClipboard();
  }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
};

bool ReadClipboardText(std::string& text) {
  ClipboardLock lock(nullptr);
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return false;
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return false;
  text.assign(bytes, strnlen(bytes, GlobalSize(data)));
  GlobalUnlock(data);
  return true;
}

int Clipboard(const Args&) {
  std::string text;
  if (!ReadClipboardText(text)) Fail("the clipboard holds no text");
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int WaitClipboard(const Args& args) {
  NeedArgs(args, 1, "wait-clipboard TEXT [timeout]");
  const DWORD timeout = TimeoutArg(args, 1);
  std::string text;
  bool hasText = false;
  if (!PollUntil(timeout, [&] { return (hasText = ReadClipboardText(text)) && text == args[0]; }))
    Fail("after " + std::to_string(timeout) + " ms the clipboard held " +
         (hasText ? "'" + text + "'" : std::string("no text")) + " instead of '" + args[0] + "'");
  return 0;
}

int SetClipboard(const Args& args) {
  NeedArgs(args, 1, "set-clipboard TEXT");
  // Windows refuses SetClipboardData after EmptyClipboard with no owner window.
  HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!owner) Fail("could not create the clipboard owner window");
  {
    ClipboardLock lock(owner);
    EmptyClipboard();
    const std::string& text = args[0];
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) Fail("GlobalAlloc failed");
    char* bytes = static_cast<char*>(GlobalLock(memory));
    std::copy(text.begin(), text.end(), bytes);
    bytes[text.size()] = '\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) {
      GlobalFree(memory);
      Fail("SetClipboardData failed");
    }
  }
  DestroyWindow(owner);
  return 0;
}

}  // namespace

void AddScreenCommands(std::vector<CommandInfo>& table) {
  table.push_back({"pixel", "pixel X Y  -> RRGGBB", Pixel});
  table.push_back({"wait-pixel", "wait-pixel X Y RRGGBB [timeout]", WaitPixel});
  table.push_back({"pixels", "pixels X Y W H  -> H lines of W RRGGBB values", Pixels});
  table.push_back({"pixel-stats", "pixel-stats X Y W H  -> RRGGBB COUNT lines, most frequent first", PixelStats});
  table.push_back({"clipboard", "clipboard  -> the CF_TEXT text (no newline added)", Clipboard});
  table.push_back({"wait-clipboard", "wait-clipboard TEXT [timeout]", WaitClipboard});
  table.push_back({"set-clipboard", "set-clipboard TEXT", SetClipboard});
}

}  // namespace vd
