// The about box: its texts in both languages, its links, the credits of the shipped data and the
// program's licence.
#include "HelpAboutTestSupport.h"

#include "views/help/AboutWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <vector>

namespace ondrel::test {
namespace {

TEST_F(HelpAboutTest, AboutBoxTextsLinksAndCredits) {
    struct Row {
        QString langue;
        const char* caption;
        const char* name;
        const char* licenceWords;
    };
    const Row rows[] = {{kFrench, "A propos de Ondrel", "Ondrel", "licence publique générale GNU"},
                        {kEnglish, "About Brevane", "Brevane", "GNU General Public License"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.langue.toStdString());
        state.settings.chosenLanguage = LanguageOf(r.langue);
        AboutWindow about(state.settings);
        std::vector<QUrl> opened;
        about.openUrl = [&](const QUrl& url) { opened.push_back(url); };
        about.show();
        const auto label = [&](const char* name) {
            return about.findChild<QLabel*>(QString::fromLatin1(name));
        };
        EXPECT_EQ(about.objectName(), QStringLiteral("TApropos"));
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8(r.caption));
        EXPECT_EQ(label("Label1")->text(), QString::fromUtf8(r.name));
        EXPECT_EQ(label("Label3")->text(), QStringLiteral("version 4.6.6"));

        QTest::mouseClick(label("Label2"), Qt::LeftButton);
        QTest::mouseClick(label("Label5"), Qt::LeftButton);
        EXPECT_EQ(opened, (std::vector<QUrl>{QUrl(QStringLiteral("mailto:contact@ondrel.org")),
                                             QUrl(QStringLiteral("https://ondrel.org"))}));

        // The credits name every source of the table and the map with its licence, and the
        // program's licence.
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("BCredits")),
                          Qt::LeftButton);
        auto* credits = about.findChild<QTextBrowser*>(QStringLiteral("Credits"));
        EXPECT_TRUE(credits->isVisible());
        const QString text = credits->toPlainText();
        for (const char* must :
             {"Neaps tide database", "National Oceanic and Atmospheric Administration", "TICON-4",
              "https://doi.org/10.17882/109129", "CC BY 4.0", "CC BY-NC 4.0", "Kartverket",
              "GeoNames", "OpenStreetMap", "ODbL 1.0", "Marine Regions", "Natural Earth",
              "GPL-3.0-or-later", r.licenceWords})
            EXPECT_TRUE(text.contains(QString::fromUtf8(must))) << must;

        // A click on the version, like OK, hides the box.
        QTest::mouseClick(label("Label3"), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
    }
}

} // namespace
} // namespace ondrel::test
