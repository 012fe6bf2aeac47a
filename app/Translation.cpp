#include "app/Translation.h"

#include <QCoreApplication>

namespace tavo {

Translation::Translation(const QStringList& uiLanguages) {
    for (const QString& uiLanguage : uiLanguages) {
        const QLocale locale(uiLanguage);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C) {
            return;
        }
        // Tries "tavo_pt_BR", then "tavo_pt", and the like.
        if (translator_.load(locale, QStringLiteral("tavo"), QStringLiteral("_"),
                             QStringLiteral(":/i18n"))) {
            return;
        }
    }
}

void Translation::install() {
    if (!translator_.isEmpty()) {
        QCoreApplication::installTranslator(&translator_);
    }
}

QString Translation::translate(const char* context, const char* sourceText) const {
    const QString translated = translator_.translate(context, sourceText);
    return translated.isEmpty() ? QString::fromUtf8(sourceText) : translated;
}

}  // namespace tavo
