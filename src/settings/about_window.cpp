#include "settings/about_window.h"

#include "palette_window/palette_window.h"
#include "resources/artwork.h"

namespace vandrel {
namespace {

constexpr int kWelcomeFont = 4;
constexpr Rect kWelcomeBox = {10, 150, 360, 330};

ControlSpec Item(ControlKind kind, int id, Rect rect, std::string caption = {}) {
    ControlSpec control;
    control.kind = kind;
    control.id = id;
    control.rect = rect;
    control.caption = std::move(caption);
    return control;
}

}  // namespace

std::string WelcomeText() {
    return "Welcome to the (not really) super secret beta of Vandrel! We hope you enjoy it.\r\r"
           "If you have any recommendations or issues with the software, please click the link below To "
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
        if (platform.TextHeight(font, kWelcomeBox.Width(), text) <= kWelcomeBox.Height()) return font;
    return 0;
}

std::vector<ControlSpec> AboutControls(int welcomeFont) {
    using enum ControlKind;
    ControlSpec product = Item(Picture, kProductLogo, {30, 10, 160, 140});
    product.image = picture::kAboutLeft;
    ControlSpec maker = Item(Picture, kMakerLogo, {210, 10, 340, 140});
    maker.image = picture::kAboutRight;
    ControlSpec welcome = Item(Text, kWelcomeText, kWelcomeBox, WelcomeText());
    welcome.font = welcomeFont;
    ControlSpec mail = Item(Link, kMailLink, {10, 340, 220, 360}, std::string("Email us - ") + kMailAddress);
    ControlSpec help = Item(Link, kWebLink, {300, 340, 370, 360}, "Need Help?");
    help.tooltip = "Visit us on the internet";
    return {product, maker, welcome, mail, help};
}

void OpenAboutWindow(App& app, Platform& platform) {
    if (app.aboutOpen && WindowExists(platform, kAboutWindow)) {
        platform.CloseWindow(kAboutWindow);
        app.aboutOpen = false;
        return;
    }
    EnsureImages(app, platform);
    if (!platform.OpenWindow(kAboutWindow, AboutWindowSpec())) return;
    app.aboutOpen = true;
    for (const ControlSpec& control : AboutControls(WelcomeFont(platform)))
        platform.AddControl(kAboutWindow, control);
    platform.ShowWindow(kAboutWindow);
}

void AboutLinkUsed(Platform& platform, int control) {
    if (control == kWebLink) platform.OpenWithShell(kHelpAddress);
    if (control == kMailLink) platform.OpenWithShell(std::string("mailto:") + kMailAddress);
}

}  // namespace vandrel
