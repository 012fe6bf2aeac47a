#include "app/CommandLine.h"

#include <QString>
#include <string_view>

#include "TavoVersion.h"
#include "app/Translation.h"

namespace tavo {
namespace {

constexpr const char* context = "tavo::CommandLine";
constexpr const char* synopsis = "tavo-receiver [--verbose] [--help] [--version]";

class Texts {
  public:
    explicit Texts(const Translation* translation) : translation_(translation) {}

    QString operator()(const char* sourceText) const {
        return translation_ != nullptr ? translation_->translate(context, sourceText)
                                       : QString::fromUtf8(sourceText);
    }

  private:
    const Translation* translation_;
};

std::string usage(const Texts& text) {
    return text(QT_TRANSLATE_NOOP("tavo::CommandLine", "Usage: %1")).arg(synopsis).toStdString() +
           "\n";
}

std::string help(const Texts& text) {
    // Option names are the same in every language; only what they do is translated.
    const auto option = [&](const char* names, const char* what) {
        return QStringLiteral("  %1%2\n").arg(QString::fromUtf8(names), -16).arg(text(what));
    };
    const QString body =
        QStringLiteral("\n") +
        text(QT_TRANSLATE_NOOP(
            "tavo::CommandLine",
            "Types barcode scans from a phone into the focused application. Sits in the system "
            "tray,\nadvertises itself on the local network by DNS-SD as _tavo._tcp and accepts the "
            "phone's\nconnection. Starting it again while it runs opens the running one's "
            "panel.")) +
        QStringLiteral("\n\n") +
        option("-v, --verbose", QT_TRANSLATE_NOOP("tavo::CommandLine",
                                                  "log details of its work to standard error")) +
        option("-h, --help", QT_TRANSLATE_NOOP("tavo::CommandLine", "show this help and exit")) +
        option("-V, --version",
               QT_TRANSLATE_NOOP("tavo::CommandLine", "show the version and exit"));
    return usage(text) + body.toStdString();
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv, const Translation* translation) {
    const Texts text(translation);
    CommandLine commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-v" || argument == "--verbose") {
            commandLine.verbose = true;
        } else if (argument == "-h" || argument == "--help") {
            commandLine.exitStatus = 0;
            commandLine.message = help(text);
            return commandLine;
        } else if (argument == "-V" || argument == "--version") {
            commandLine.exitStatus = 0;
            commandLine.message = std::string("tavo-receiver ") + version + "\n";
            return commandLine;
        } else {
            commandLine.exitStatus = 2;
            const QString problem =
                argument.starts_with('-')
                    ? text(QT_TRANSLATE_NOOP("tavo::CommandLine", "unknown option '%1'"))
                    : text(QT_TRANSLATE_NOOP("tavo::CommandLine", "unexpected argument '%1'"));
            commandLine.message =
                "tavo-receiver: " + problem.arg(QString::fromUtf8(argv[i])).toStdString() + "\n" +
                usage(text) +
                text(QT_TRANSLATE_NOOP("tavo::CommandLine", "Try '%1'."))
                    .arg(QStringLiteral("tavo-receiver --help"))
                    .toStdString() +
                "\n";
            return commandLine;
        }
    }
    return commandLine;
}

}  // namespace tavo
