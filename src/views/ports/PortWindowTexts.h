// The port window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct PortWindowTexts {
    Bilingual caption{"Sélection d'un port", "Selection of the port"};
    Bilingual nameHint{"Entrez les premières lettres du port désiré",
                       "enter first letters of desired port name"};
    Bilingual okHint{"Valide le choix", "Validate the choice"};
    Bilingual cancelHint{"Ferme la fenêtre", "Close the window"};
    Bilingual countries{"&Pays...", "&Countries..."};
    // The two lists: tide ports, and current stations (tidal streams).
    Bilingual tidePorts{"&Ports", "&Tide ports"};
    Bilingual currentStations{"C&ourants", "Tidal &streams"};
    Bilingual noCurrents{"Les stations de courant n'ont pas pu être lues : %1",
                         "The current stations could not be read: %1"};
    Bilingual noCountries{
        "Cette base de données ne contient pas d'informations sur les pays des ports. "
        "Consultez le fichier d'aide pour plus d'informations",
        "This database doesn't include information about the countries of ports. "
        "See the help file for more information"};
};

} // namespace ondrel
