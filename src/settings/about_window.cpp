#include "settings/about_window.h"

#include "core/dialog_owner.h"
#include "core/scale.h"
#include "core/window_place.h"
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

WindowSpec AboutWindowSpec(int dpi) {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "About Vandrel";
    description.client = {0, 0, Scaled(370, dpi), Scaled(370, dpi)};
    description.centred = true;
    description.dpi = dpi;
    return description;
}

int WelcomeFont(Platform& platform) {
    std::set<int> none;
    return WelcomeFont(platform, none, kBaseDpi);
}

int WelcomeFont(Platform& platform, std::set<int>& fontsMade, int dpi) {
    const std::string text = WelcomeText();
    const Rect box = Scaled(kWelcomeBox, dpi);
    for (int size = kWelcomeFont; size > 0; --size) {
        const int font = SwatchFontAt(platform, fontsMade, size, dpi);
        if (platform.TextHeight(font, box.Width(), text) <= box.Height()) return font;
    }
    return SwatchFontAt(platform, fontsMade, 0, dpi);
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
    // Centred on the primary monitor, at its scale.
    const std::vector<Rect> monitors = platform.MonitorRects();
    const Rect primary = monitors.empty() ? Rect{0, 0, 0, 0} : monitors.front();
    const int dpi = platform.DpiAt({(primary.left + primary.right) / 2, (primary.top + primary.bottom) / 2});
    app.aboutDpi = dpi;
    EnsureImagesAt(platform, app.imagesLoaded, app.imageDpis, dpi);
    if (!platform.OpenWindow(kAboutWindow, AboutWindowSpec(dpi))) return;
    app.aboutOpen = true;
    for (const ControlSpec& control : AboutControls(WelcomeFont(platform, app.fontsMade, dpi)))
        platform.AddControl(kAboutWindow, AtDpi(control, dpi));
    platform.ShowWindow(kAboutWindow);
}

void RescaleAboutWindow(App& app, Platform& platform) {
    if (!app.aboutOpen || !WindowExists(platform, kAboutWindow)) return;
    if (!StandsAtOtherDpi(platform, kAboutWindow, app.aboutDpi)) return;
    platform.CloseWindow(kAboutWindow);
    app.aboutOpen = false;
    OpenAboutWindow(app, platform);
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
