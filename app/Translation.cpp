#include "app/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

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
            static_cast<void>(qtTranslator_.load(
                QLocale(translator_.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            return;
        }
    }
}

void Translation::install() {
    for (QTranslator* translator : {&translator_, &qtTranslator_}) {
        if (!translator->isEmpty()) {
            QCoreApplication::installTranslator(translator);
        }
    }
}

QString Translation::translate(const char* context, const char* sourceText) const {
    const QString translated = translator_.translate(context, sourceText);
    return translated.isEmpty() ? QString::fromUtf8(sourceText) : translated;
}

}  // namespace tavo
