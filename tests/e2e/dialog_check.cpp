// Shows one of the program's own dialogs through the Win32 platform and
// prints the answer, so that a test can drive it as a user would:
//   dialog_check name [SUGGESTED]   -> the "Palette Name" box
//   dialog_check folder START       -> the folder chooser
//   dialog_check error TEXT         -> an "Error" message box
//   dialog_check question TEXT      -> a Yes/No box titled "Save"
#include <windows.h>

#include <cstdio>
#include <string>

#include <objbase.h>

#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    const std::string what = __argc > 1 ? __argv[1] : "";
    const std::string argument = __argc > 2 ? __argv[2] : "";
    vandrel::win32::Win32Platform platform(instance);
    std::string answer;
    if (what == "name") {
        answer = "[" + platform.AskPaletteName(argument) + "]";
    } else if (what == "folder") {
        answer = "[" + platform.ChooseFolder("Please select a palette folder", argument) + "]";
    } else if (what == "error") {
        platform.ShowMessage("Error", argument, vandrel::MessageButtons::Ok);
        answer = "ok";
    } else if (what == "question") {
        answer = platform.ShowMessage("Save", argument, vandrel::MessageButtons::YesNo) ==
                         vandrel::MessageAnswer::Yes
                     ? "yes"
                     : "no";
    } else {
        return 2;
    }
    // The answer goes to a file: a GUI program has no console under Wine.
    if (std::FILE* out = std::fopen("dialog_answer.txt", "wb")) {
        std::fputs(answer.c_str(), out);
        std::fclose(out);
    }
    return 0;
}
