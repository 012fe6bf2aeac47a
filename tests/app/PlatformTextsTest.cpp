// The advice platform/ gives in English reaches the panel translated: a sentence reworded there
// without its entry in app/PlatformTexts.cpp shows up here.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "app/PlatformTexts.h"
#include "app/Translation.h"
#include "platform/wayland/WaylandInputAccess.h"
#include "platform/wayland/WaylandTyping.h"
#include "platform/x11/X11InputAccess.h"

namespace tavo {
namespace {

// Sets environment variables (nullopt: unsets them) and restores them when it goes.
class Environment {
  public:
    void set(const char* name, std::optional<std::string> value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// No English sentence of the advice is left in what the panel shows.
void expectTranslated(const std::string& english) {
    ASSERT_FALSE(english.empty());
    const QString shown = translatedPlatformText(english);
    for (const QString& sentence : QString::fromStdString(english).split(". ")) {
        EXPECT_FALSE(shown.contains(sentence.chopped(sentence.endsWith('.') ? 1 : 0)))
            << english << "\n  shows as: " << shown.toStdString();
    }
}

TEST(PlatformTextsTest, TheAdviceOfEverySessionWithoutATypingRouteIsTranslated) {
    Translation german({"de-DE"});
    german.install();
    Environment environment;

    environment.set("XDG_SESSION_TYPE", "wayland");
    expectTranslated(X11InputAccess().accessAdvice());
    environment.set("XDG_SESSION_TYPE", "x11");
    environment.set("DISPLAY", std::nullopt);
    expectTranslated(X11InputAccess().accessAdvice());

    // A Wayland session that offers nothing: no compositor, no session bus to find one on.
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    environment.set("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    const TypingRoute none = probeWaylandTyping();
    ASSERT_EQ(none.keyEvents, nullptr);
    expectTranslated(WaylandInputAccess(none).accessAdvice());
    environment.set("DISPLAY", ":0");  // with Xwayland
    expectTranslated(WaylandInputAccess(none).accessAdvice());
}

}  // namespace
}  // namespace tavo
