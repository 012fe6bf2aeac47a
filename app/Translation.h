#pragma once

#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace tavo {

// The catalogue of the session's language, built into the program. The first language of the
// list that we speak wins; English, the language of the sources, needs no catalogue and ends the
// search. Loaded before Qt's application object exists, so that --help speaks the language too.
class Translation {
  public:
    // By default the session's languages: LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt reads them.
    explicit Translation(const QStringList& uiLanguages = QLocale::system().uiLanguages());

    // Makes tr() find the catalogue, and Qt's own texts (a message box's buttons, a scroll bar's
    // menu) theirs; the application object must exist by then.
    void install();
    // The text in the chosen language, or the source text when there is none.
    QString translate(const char* context, const char* sourceText) const;
    // The catalogue's language, e.g. "de" or "pt_BR"; empty for English.
    QString language() const { return translator_.language(); }

  private:
    QTranslator translator_;
    // From the system's Qt translations (qt6-translations-l10n), when they are installed.
    QTranslator qtTranslator_;
};

}  // namespace tavo
