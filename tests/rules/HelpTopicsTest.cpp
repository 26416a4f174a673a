// The help page of each context number, in both languages, and every page present in the sources
// the help collection is built from.
#include "rules/HelpTopics.h"
#include "QStringPrinting.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

TEST(HelpTopics, EachContextHasItsPageInBothLanguages) {
    struct Row {
        int context;
        const char* french;
        const char* english;
    };
    const Row rows[] = {
        {0, "accueil.htm", "accueil_a.htm"},
        {1, "Date.htm", "Date_a.htm"},
        {2, "accueil.htm", "accueil_a.htm"}, // no topic of its own
        {3, "Ports.htm", "Ports_a.htm"},
        {4, "CourbeHauteurEau.htm", "CourbeHauteurEau_a.htm"},
        {5, "CalculIntervalle.htm", "CalculIntervalle_a.htm"},
        {6, "Annuaire.htm", "Annuaire_a.htm"},
        {7, "Ephemerides.htm", "Ephemerides_a.htm"},
        {8, "ListePorts.htm", "ListePorts_a.htm"},
        {9, "accueil.htm", "accueil_a.htm"},
        {-1, "accueil.htm", "accueil_a.htm"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.context);
        EXPECT_EQ(HelpTopicFile(r.context, Language::French), QString::fromLatin1(r.french));
        EXPECT_EQ(HelpTopicFile(r.context, Language::English), QString::fromLatin1(r.english));
        // Every page exists in the sources the collection is built from.
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(ONDREL_SOURCE_DIR "/help/fr/html/") +
                                      QString::fromLatin1(r.french)));
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(ONDREL_SOURCE_DIR "/help/en/html/") +
                                      QString::fromLatin1(r.english)));
    }
}

// A language switch takes the page shown to its other language's page, its anchor kept.
TEST(HelpTopics, APageInTheOtherLanguage) {
    const QUrl french = HelpTopicUrl(6, Language::French);
    const QUrl english = HelpTopicUrl(6, Language::English);
    EXPECT_EQ(HelpPageInLanguage(french, Language::English), english);
    EXPECT_EQ(HelpPageInLanguage(english, Language::French), french);
    EXPECT_EQ(HelpPageInLanguage(english, Language::English), english);
    QUrl anchored = french;
    anchored.setFragment(QStringLiteral("filtre"));
    EXPECT_EQ(HelpPageInLanguage(anchored, Language::English).fragment(), QStringLiteral("filtre"));
    EXPECT_EQ(HelpPageInLanguage(QUrl(), Language::English), QUrl());
}

} // namespace
} // namespace ondrel::test
