// Which help page answers a help request: the topic of a context number in each language, the
// context of each window, and where the help collection is.
#pragma once

#include "engine/Language.h"

#include <QString>
#include <QUrl>

namespace ondrel {

// Context numbers that windows ask for (the help key, the help buttons and commands).
enum HelpContext : int {
    kHelpHome = 0,
    kHelpDate = 1,
    kHelpPorts = 3,
    kHelpCurve = 4,
    kHelpInterval = 5,
    kHelpTideTable = 6,
    kHelpSunAndMoon = 7,
    kHelpCountries = 8,
    kHelpMainWindow = 9,
    kHelpStreams = 10,
};

// A control or window whose help key asks for another context than its window's carries it in
// this property.
inline constexpr char kHelpContextProperty[] = "helpContext";

// The page of a context number: "Date.htm" in French, "Date_a.htm" in English; a number with no
// topic of its own gives the home page "accueil.htm" / "accueil_a.htm".
QString HelpTopicFile(int context, Language language);
// The page's address in the help collection.
QUrl HelpTopicUrl(int context, Language language);
// The same page in the other language's pages (the English file of "X.htm" is "X_a.htm"); the
// page itself when it is already in language.
QUrl HelpPageInLanguage(const QUrl& page, Language language);
// The documentation namespace of a language in the collection.
QString HelpNamespace(Language language);
// The context of a window, from the objectName it keeps; the home page for a window without one.
int HelpContextOfWindow(const QString& objectName);

// The help collection "ondrel.qhc", found from the running program's folder as the shipped
// table is: ../share/ondrel/help (installed), ../../share/ondrel/help (build tree). Empty when
// there is none.
QString HelpCollectionFile();
QString HelpCollectionFile(const QString& programDirectory);

} // namespace ondrel
