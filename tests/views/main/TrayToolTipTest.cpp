// The tooltip of the notification icon: the port's name in at most 63 characters, in the
// program's language (the icon in the running program: tests/app/TrayIconTest.cpp).
#include "QStringPrinting.h"

#include "state/Settings.h"
#include "views/main/TrayIcon.h"

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

TEST(TrayToolTip, NamesThePortInSixtyThreeCharacters) {
    const QString longName =
        QStringLiteral("SAINT-MALO, BASSIN VAUBAN ET ANSE DES SABLONS NORD ET SUD");
    const struct {
        QString name, langue, tip;
    } cases[] = {
        {QStringLiteral("BREST"), kFrench, QStringLiteral("Port de BREST")},
        {QStringLiteral("BREST"), kEnglish, QStringLiteral("Port of BREST")},
        {longName, kEnglish,
         QStringLiteral("Port of SAINT-MALO, BASSIN VAUBAN ET ANSE DES SABLONS NORD ET S")},
        {QStringLiteral("BREST"), QString(), QString()}, // no language chosen yet
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.chosenLanguage = LanguageOf(c.langue);
        EXPECT_EQ(TrayToolTip(c.name, settings), c.tip);
    }
}

} // namespace
} // namespace ondrel::test
