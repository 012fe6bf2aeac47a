#include "app/PlatformTexts.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <string_view>

namespace tavo {
namespace {

constexpr const char* context = "tavo::PlatformTexts";

// Every sentence platform/ shows the user, exactly as it writes it.
constexpr std::array sentences = {
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "Typing through the X server's XTest extension"),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "Typing through the compositor's virtual keyboard."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "Typing through KDE's fake input protocol."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "Typing through GNOME's remote desktop service."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Typing through the desktop's remote desktop portal, which asks for your "
                      "consent and remembers it where its desktop's backend can."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Typing through the desktop's remote desktop portal, which asks for your "
                      "consent at each start of Tavo Receiver (this portal cannot remember it)."),
    QT_TRANSLATE_NOOP(
        "tavo::PlatformTexts",
        "Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V)."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "This Wayland session offers no way for other programs to type."),
    QT_TRANSLATE_NOOP(
        "tavo::PlatformTexts",
        "Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), "
        "KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "KDE Plasma lets only installed programs type."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Install Tavo Receiver from its package (not a build directory or a "
                      "sandboxed package) and start it again."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Until then scans reach only X11 (Xwayland) applications."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "In a Wayland session scans reach only X11 (XWayland) applications."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Log out and choose an X11 session (for example \"GNOME on Xorg\") at the "
                      "login screen so that scans reach every application."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "No X display can be reached, so scans cannot be typed."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts", "Run Tavo Receiver inside an X11 desktop session."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "The X server does not offer the XTEST extension, so scans cannot be typed."),
    QT_TRANSLATE_NOOP("tavo::PlatformTexts",
                      "Enable XTEST in the X server configuration and restart the session."),
};

}  // namespace

QString translatedPlatformText(const std::string& english) {
    QString result;
    std::string unknown;
    bool afterIdeographicStop = false;
    std::string_view rest = english;
    while (!rest.empty()) {
        const auto known =
            std::find_if(sentences.begin(), sentences.end(),
                         [&](const char* sentence) { return rest.starts_with(sentence); });
        if (known == sentences.end()) {
            // Chinese and Japanese sentences follow each other without a space.
            if (!(afterIdeographicStop && rest.front() == ' ')) {
                unknown += rest.front();
            }
            afterIdeographicStop = false;
            rest.remove_prefix(1);
            continue;
        }
        result += QString::fromStdString(unknown);
        unknown.clear();
        const QString translated = QCoreApplication::translate(context, *known);
        result += translated;
        afterIdeographicStop = translated.endsWith(QChar(0x3002));
        rest.remove_prefix(std::string_view(*known).size());
    }
    return result + QString::fromStdString(unknown);
}

}  // namespace tavo
