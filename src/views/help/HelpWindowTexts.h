// The help window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct HelpWindowTexts {
    Bilingual caption{"Aide d'Ondrel", "Brevane help"};
    Bilingual contents{"Sommaire", "Contents"};
    Bilingual index{"Index", "Index"};
    Bilingual search{"Recherche", "Search"};
    Bilingual indexFilter{"Mot cherché dans l'index", "Word to look up in the index"};
    Bilingual back{"&Précédent", "&Back"};
    Bilingual forward{"&Suivant", "&Forward"};
};

} // namespace ondrel
