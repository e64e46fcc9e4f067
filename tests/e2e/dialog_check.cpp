// Shows one of the program's own dialogs through the Win32 platform and
// prints the answer, so that a test can drive it as a user would:
//   dialog_check name [SUGGESTED]   -> the text question as the program asks for a palette name
//   dialog_check folder START       -> the folder chooser
//   dialog_check error TEXT         -> an "Error" message box
//   dialog_check question TEXT      -> a Yes/No box titled "Save"
//   dialog_check framed             -> a framed window with standard controls; the answer lists
//                                      the events it raised, one a line, until it was closed
#include <windows.h>

#include <cstdio>
#include <string>

#include "palette/palette_store.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace vandrel;

constexpr int kFramed = kEditorWindow;
enum : int { kPrompt = 101, kField, kCheck, kFirstOption, kSecondOption, kButton, kSurface };
constexpr int kItemUp = 501;
constexpr int kItemDown = 502;

ControlSpec Control(ControlKind kind, int id, Rect rect, const std::string& caption,
                    std::uint32_t flags = 0) {
    ControlSpec description;
    description.kind = kind;
    description.id = id;
    description.rect = rect;
    description.caption = caption;
    description.flags = flags;
    return description;
}

const char* SubKindName(SubKind subKind) {
    switch (subKind) {
        case SubKind::LeftClick:
            return "click";
        case SubKind::RightClick:
            return "right-click";
        case SubKind::DoubleClick:
            return "double-click";
        case SubKind::Change:
            return "change";
        case SubKind::LeftDown:
            return "down";
        case SubKind::None:
            break;
    }
    return "none";
}

// One line per event: "control 102 change", "menu 501", "close".
std::string Describe(const Event& event) {
    switch (event.kind) {
        case EventKind::Control:
            return "control " + std::to_string(event.control) + " " + SubKindName(event.subKind);
        case EventKind::Menu:
            return "menu " + std::to_string(event.item);
        case EventKind::Close:
            return "close";
        default:
            return "other";
    }
}

// A window as the program's own framed windows are made: text, a field,
// a check box, two options, a button and a drawn surface.
std::string RunFramedWindow(Platform& platform) {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "Framed Check";
    description.client = {0, 0, 320, 170};
    description.centred = true;
    description.minimiseBox = true;
    description.background = Rgb(240, 240, 240);
    if (!platform.OpenWindow(kFramed, description)) return "no window";
    const ControlSpec controls[] = {
        Control(ControlKind::Text, kPrompt, {10, 12, 80, 30}, "Name:"),
        Control(ControlKind::Edit, kField, {90, 10, 310, 32}, "first", kFlagGroupStart),
        Control(ControlKind::CheckBox, kCheck, {10, 45, 200, 65}, "Checked", kFlagGroupStart),
        Control(ControlKind::OptionButton, kFirstOption, {10, 75, 150, 95}, "First",
                kFlagGroupStart),
        Control(ControlKind::OptionButton, kSecondOption, {160, 75, 310, 95}, "Second"),
        Control(ControlKind::PushButton, kButton, {230, 130, 310, 158}, "Apply", kFlagGroupStart),
    };
    for (const ControlSpec& control : controls)
        if (!platform.AddControl(kFramed, control))
            return "no control " + std::to_string(control.id);
    ControlSpec surface = Control(ControlKind::Surface, kSurface, {10, 110, 200, 160}, "");
    surface.data = Rgb(1, 2, 3);
    if (!platform.AddControl(kFramed, surface)) return "no surface";
    platform.Paint(kFramed, kSurface, [](Canvas& canvas) {
        canvas.FillRect({0, 0, 190, 50}, Rgb(0, 128, 255));
        canvas.FillRoundRect({10, 10, 180, 40}, 8, 8, Rgb(255, 255, 0));
    });
    platform.SetShortcuts(kFramed, {{kKeyUp, kItemUp}, {kKeyDown, kItemDown}});
    platform.ShowWindow(kFramed);
    platform.ChangeControl(kFramed, kField, {.focus = true});

    // A press on the background moves the window, as the program's hook does.
    std::string events;
    int moves = 0;
    platform.InstallWindowHook([&](int window, HookEvent hookEvent) {
        if (hookEvent == HookEvent::Moved) ++moves;
        if (hookEvent != HookEvent::BackgroundPress) return;
        const DragOutcome outcome = platform.MoveWithMouse(window);
        events += outcome == DragOutcome::Moved                 ? "background moved\n"
                  : outcome == DragOutcome::ReleasedWithoutMove ? "background released\n"
                                                                : "background not started\n";
    });
    const std::uint32_t deadline = platform.Clock() + 60000;
    while (platform.Clock() < deadline) {
        const Event event = platform.WaitEvent(200);
        if (event.kind == EventKind::Timeout) continue;
        events += Describe(event) + "\n";
        if (event.kind == EventKind::Close) break;
    }
    events += "focus " + std::to_string(platform.FocusedControl(kFramed)) + "\n";
    events += "surface data " + std::to_string(platform.ReadControl(kFramed, kSurface).data) + "\n";
    const ControlState field = platform.ReadControl(kFramed, kField);
    events += "field " + field.text + "\n";
    events += "check " + std::to_string(platform.ReadControl(kFramed, kCheck).value) + "\n";
    events += "moves " + std::to_string(moves) + "\n";
    platform.CloseWindow(kFramed);
    return events;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const vandrel::win32::OleSession ole;
    const std::string what = __argc > 1 ? __argv[1] : "";
    const std::string argument = __argc > 2 ? __argv[2] : "";
    vandrel::win32::Win32Platform platform(instance);
    std::string answer;
    if (what == "name") {
        answer = "[" + platform.AskText(kNoWindow, PaletteNameQuestion(argument)) + "]";
    } else if (what == "folder") {
        answer = "[" + platform.ChooseFolder("Please select a palette folder", argument) + "]";
    } else if (what == "error") {
        platform.ShowMessage(kNoWindow, "Error", argument, MessageButtons::Ok);
        answer = "ok";
    } else if (what == "question") {
        answer = platform.ShowMessage(kNoWindow, "Save", argument, MessageButtons::YesNo) ==
                         MessageAnswer::Yes
                     ? "yes"
                     : "no";
    } else if (what == "framed") {
        answer = RunFramedWindow(platform);
    } else {
        return 2;
    }
    // The answer goes to a file: a GUI program has no console under Wine. It
    // is written aside and then renamed, so that a reader never sees half of it.
    if (std::FILE* out = std::fopen("dialog_answer.tmp", "wb")) {
        std::fputs(answer.c_str(), out);
        std::fclose(out);
        MoveFileExA("dialog_answer.tmp", "dialog_answer.txt", MOVEFILE_REPLACE_EXISTING);
    }
    return 0;
}
