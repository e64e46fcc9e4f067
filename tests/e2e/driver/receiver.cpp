// `receiver`: the "other application" of the keystroke tests. A plain window with one edit
// control takes the focus once; every 100 ms its text is written to the --out file, so the shell
// can read what arrived. The file first appears once the edit control really has the focus.
// Its "Press" button counts its clicks into the file PATH.clicks (written at each click).
// With --stripes, the client area below y = 80 shows vertical stripes 20 pixels wide, in client
// coordinates from x = 0: #E03020, #20A040, #3050D0, #F0E010, #101010, #FFFFFF, and again.
#include "driver.h"

namespace vd {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kEditId = 100;
constexpr int kButtonId = 101;

struct Receiver {
  std::wstring outPath;
  HWND edit = nullptr;
  bool ready = false;
  std::wstring written;
  int clicks = 0;
  bool stripes = false;
};

constexpr COLORREF kStripes[] = {RGB(0xE0, 0x30, 0x20), RGB(0x20, 0xA0, 0x40), RGB(0x30, 0x50, 0xD0),
                                 RGB(0xF0, 0xE0, 0x10), RGB(0x10, 0x10, 0x10), RGB(0xFF, 0xFF, 0xFF)};

void PaintStripes(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  for (int x = 0, i = 0; x < client.right; x += 20, ++i) {
    HBRUSH brush = CreateSolidBrush(kStripes[i % 6]);
    RECT stripe{x, 80, x + 20, client.bottom};
    FillRect(dc, &stripe, brush);
    DeleteObject(brush);
  }
  EndPaint(window, &paint);
}
Receiver* gReceiver = nullptr;

// Unix paths go through Wine's Z: drive.
std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = ToWide(path);
  if (!wide.empty() && wide[0] == L'/') {
    for (wchar_t& c : wide)
      if (c == L'/') c = L'\\';
    wide = L"Z:" + wide;
  }
  return wide;
}

// Written to a temporary file and renamed, so that a reader never sees half a text.
bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(file);
  return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void WriteText(Receiver& receiver, const std::wstring& text) {
  if (WriteWhole(receiver.outPath, ToUtf8(text))) receiver.written = text;
}

std::wstring EditText(HWND edit) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Tick(HWND window, Receiver& receiver) {
  if (!receiver.ready) {
    // Only report ready once keys would really land in the edit control.
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    if (GetFocus() != receiver.edit) SetFocus(receiver.edit);
    receiver.ready = GetForegroundWindow() == window && GetFocus() == receiver.edit;
    if (!receiver.ready) return;
    WriteText(receiver, EditText(receiver.edit));
    return;
  }
  const std::wstring text = EditText(receiver.edit);
  if (text != receiver.written) WriteText(receiver, text);
}

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      RECT client{};
      GetClientRect(window, &client);
      gReceiver->edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                        WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8, 8,
                                        client.right - 16, 28, window,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                        nullptr, nullptr);
      HWND button = CreateWindowExW(0, L"BUTTON", L"Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 44,
                                    100, 28, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                    nullptr, nullptr);
      if (!gReceiver->edit || !button || !SetTimer(window, kTimerId, 100, nullptr)) return -1;
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
        ++gReceiver->clicks;
        WriteWhole(gReceiver->outPath + L".clicks", std::to_string(gReceiver->clicks));
        SetFocus(gReceiver->edit);  // typing still lands in the edit
      }
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) Tick(window, *gReceiver);
      return 0;
    case WM_PAINT:
      if (!gReceiver->stripes) return DefWindowProcW(window, message, wParam, lParam);
      PaintStripes(window);
      return 0;
    case WM_SETFOCUS:
      SetFocus(gReceiver->edit);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      if (gReceiver->ready) WriteText(*gReceiver, EditText(gReceiver->edit));
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int RunReceiver(const Args& args) {
  Receiver receiver;
  RECT place{640, 560, 640 + 480, 560 + 120};
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out" && i + 1 < args.size()) {
      receiver.outPath = WindowsPath(args[++i]);
    } else if (args[i] == "--pos" && i + 4 < args.size()) {
      place.left = ParseLong(args[i + 1], "x");
      place.top = ParseLong(args[i + 2], "y");
      place.right = place.left + ParseLong(args[i + 3], "width");
      place.bottom = place.top + ParseLong(args[i + 4], "height");
      i += 4;
    } else if (args[i] == "--stripes") {
      receiver.stripes = true;
    } else {
      Usage("receiver --out PATH [--pos X Y W H] [--stripes]");
    }
  }
  if (receiver.outPath.empty()) Usage("receiver --out PATH [--pos X Y W H] [--stripes]");
  gReceiver = &receiver;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ReceiverProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"VandrelE2EReceiver";
  if (!RegisterClassExW(&windowClass)) Fail("RegisterClassEx failed");
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Receiver",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (!window) Fail("CreateWindowEx failed");
  SetForegroundWindow(window);
  SetFocus(receiver.edit);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

void AddReceiverCommand(std::vector<CommandInfo>& table) {
  table.push_back({"receiver", "receiver --out PATH [--pos X Y W H] [--stripes]  (window 'Receiver', runs until closed)", RunReceiver});
}

}  // namespace vd
