#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ondrel {

bool UseQtTranslations(Language language) {
    static QTranslator* french = nullptr;
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    if (language == Language::English) {
        if (french) QCoreApplication::removeTranslator(french);
        return true;
    }
    if (!french) {
        french = new QTranslator(app);
        if (!french->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete french;
            french = nullptr;
            return false;
        }
    }
    QCoreApplication::installTranslator(french);
    return true;
}

} // namespace ondrel
