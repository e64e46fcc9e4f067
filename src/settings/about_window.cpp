#include "settings/about_window.h"

#include "core/dialog_owner.h"
#include "resources/artwork.h"
#include "resources/program_images.h"

namespace vandrel {
namespace {

constexpr int kWelcomeFont = 4;
constexpr Rect kWelcomeBox = {10, 150, 360, 330};

}  // namespace

std::string WelcomeText() {
    return "Welcome to the (not really) super secret beta of Vandrel! We hope you enjoy it.\r\r"
           "If you have any recommendations or issues with the software, please click the link "
           "below To "
           "drop us a line.\r\r"
           "There\x92s also a handy help link down there that'll bring you to our blog.";
}

WindowSpec AboutWindowSpec() {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "About Vandrel";
    description.client = {0, 0, 370, 370};
    description.centred = true;
    return description;
}

int WelcomeFont(Platform& platform) {
    const std::string text = WelcomeText();
    for (int font = kWelcomeFont; font > 0; --font)
        if (platform.TextHeight(font, kWelcomeBox.Width(), text) <= kWelcomeBox.Height())
            return font;
    return 0;
}

std::vector<ControlSpec> AboutControls(int welcomeFont) {
    using enum ControlKind;
    return {
        {.kind = Picture,
         .id = kProductLogo,
         .rect = {30, 10, 160, 140},
         .image = picture::kAboutLeft},
        {.kind = Picture,
         .id = kMakerLogo,
         .rect = {210, 10, 340, 140},
         .image = picture::kAboutRight},
        {.kind = Text,
         .id = kWelcomeText,
         .rect = kWelcomeBox,
         .caption = WelcomeText(),
         .font = welcomeFont},
        {.kind = Link,
         .id = kMailLink,
         .rect = {10, 340, 220, 360},
         .caption = std::string("Email us - ") + kMailAddress},
        {.kind = Link,
         .id = kWebLink,
         .rect = {300, 340, 370, 360},
         .caption = "Need Help?",
         .tooltip = "Visit us on the internet"},
    };
}

void OpenAboutWindow(App& app, Platform& platform) {
    if (app.aboutOpen && WindowExists(platform, kAboutWindow)) {
        platform.CloseWindow(kAboutWindow);
        app.aboutOpen = false;
        return;
    }
    EnsureImages(platform, app.imagesLoaded);
    if (!platform.OpenWindow(kAboutWindow, AboutWindowSpec())) return;
    app.aboutOpen = true;
    for (const ControlSpec& control : AboutControls(WelcomeFont(platform)))
        platform.AddControl(kAboutWindow, control);
    platform.ShowWindow(kAboutWindow);
}

void AboutLinkUsed(Platform& platform, int control) {
    std::string address;
    if (control == kWebLink) address = kHelpAddress;
    if (control == kMailLink) address = std::string("mailto:") + kMailAddress;
    if (address.empty()) return;
    // A click that opens nothing would otherwise look as if it had not been seen.
    if (!platform.OpenWithShell(address))
        platform.ShowMessage(DialogOwner(platform), "Error", "Could not open " + address,
                             MessageButtons::Ok);
}

}  // namespace vandrel
