#include "rules/HelpTopics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <utility>

namespace ondrel {

namespace {

struct Topic {
    int context;
    const char* french;
    const char* english;
};
constexpr std::array kTopics{
    Topic{kHelpDate, "Date.htm", "Date_a.htm"},
    Topic{kHelpPorts, "Ports.htm", "Ports_a.htm"},
    Topic{kHelpCurve, "CourbeHauteurEau.htm", "CourbeHauteurEau_a.htm"},
    Topic{kHelpInterval, "CalculIntervalle.htm", "CalculIntervalle_a.htm"},
    Topic{kHelpTideTable, "Annuaire.htm", "Annuaire_a.htm"},
    Topic{kHelpSunAndMoon, "Ephemerides.htm", "Ephemerides_a.htm"},
    Topic{kHelpCountries, "ListePorts.htm", "ListePorts_a.htm"},
    Topic{kHelpStreams, "Courants.htm", "Courants_a.htm"},
};
constexpr Topic kHome{kHelpHome, "accueil.htm", "accueil_a.htm"};

// Every window and the context its help key asks for.
constexpr std::pair<const char*, int> kWindowContexts[] = {
    {"TPrincipale", kHelpMainWindow}, {"TFDate", kHelpDate},
    {"TFport", kHelpPorts},           {"TFCorrections", kHelpPorts},
    {"TFCorrections1", kHelpPorts},   {"TFCorrections2", kHelpPorts},
    {"TFCorrections3", kHelpPorts},   {"TFCorrections4", kHelpPorts},
    {"TFSuppression", kHelpPorts},    {"TFAjoutPorts", kHelpPorts},
    {"TCourbe", kHelpCurve},          {"TFMiseEnPage", kHelpCurve},
    {"TFIntervalle", kHelpInterval},  {"TFAnnuaire", kHelpTideTable},
    {"TFFiltre", kHelpTideTable},     {"TFEphemerides", kHelpSunAndMoon},
    {"TFPays", kHelpCountries},       {"TCourbeCourant", kHelpStreams},
};

const Topic& TopicOf(int context) {
    for (const Topic& t : kTopics)
        if (t.context == context) return t;
    return kHome;
}

} // namespace

QString HelpTopicFile(int context, Language language) {
    const Topic& t = TopicOf(context);
    return QString::fromLatin1(language == Language::English ? t.english : t.french);
}

QString HelpNamespace(Language language) {
    return language == Language::English ? QStringLiteral("org.ondrel.help.en")
                                         : QStringLiteral("org.ondrel.help.fr");
}

QUrl HelpTopicUrl(int context, Language language) {
    const QString folder =
        language == Language::English ? QStringLiteral("en") : QStringLiteral("fr");
    return QUrl(QStringLiteral("qthelp://%1/%2/html/%3")
                    .arg(HelpNamespace(language), folder, HelpTopicFile(context, language)));
}

QUrl HelpPageInLanguage(const QUrl& page, Language language) {
    const QString ns = HelpNamespace(language);
    if (page.isEmpty() || page.host() == ns) return page;
    QString base = page.fileName();
    base.chop(4); // ".htm"
    const bool english = language == Language::English;
    if (english && !base.endsWith(QLatin1String("_a"))) base += QStringLiteral("_a");
    if (!english && base.endsWith(QLatin1String("_a"))) base.chop(2);
    QUrl url(QStringLiteral("qthelp://%1/%2/html/%3.htm")
                 .arg(ns, english ? QStringLiteral("en") : QStringLiteral("fr"), base));
    url.setFragment(page.fragment());
    return url;
}

int HelpContextOfWindow(const QString& objectName) {
    for (const auto& [name, context] : kWindowContexts)
        if (objectName == QLatin1String(name)) return context;
    return kHelpHome;
}

QString HelpCollectionFile(const QString& programDirectory) {
    const QDir dir(programDirectory);
    for (const char* relative :
         {"../share/ondrel/help/ondrel.qhc", "../../share/ondrel/help/ondrel.qhc"}) {
        const QFileInfo file(dir.filePath(QString::fromLatin1(relative)));
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}

QString HelpCollectionFile() {
    if (!QCoreApplication::instance()) return {};
    return HelpCollectionFile(QCoreApplication::applicationDirPath());
}

} // namespace ondrel
