#include "views/common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <vector>

namespace ondrel {

namespace {

// Qt's catalogues the program uses: the widgets and dialogs, and the help window's.
constexpr const char* kCatalogues[] = {"qtbase", "qt_help"};

} // namespace

bool UseQtTranslations(Language language) {
    static std::vector<QTranslator*> french;
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    for (QTranslator* t : french)
        QCoreApplication::removeTranslator(t);
    if (language == Language::English) return true;
    if (french.empty()) {
        for (const char* catalogue : kCatalogues) {
            auto* t = new QTranslator(app);
            if (t->load(QLocale(QLocale::French), QString::fromLatin1(catalogue),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                french.push_back(t);
            else
                delete t;
        }
    }
    for (QTranslator* t : french)
        QCoreApplication::installTranslator(t);
    return !french.empty();
}

} // namespace ondrel
