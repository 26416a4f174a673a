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
    Bilingual noCountries{
        "Cette base de données ne contient pas d'informations sur les pays des ports. "
        "Consultez le fichier d'aide pour plus d'informations",
        "Thie databse doesn't include information about the countries of ports. "
        "See the help file for more information"};
};

} // namespace ondrel
