// The tide table's filter window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct FilterTexts {
    Bilingual caption{"Filtre d'annuaire", "Tidetable filter"};
    Bilingual intro{"Afficher les marées qui ont les", "Display the tides which have"};
    Bilingual intro2{"caractéristiques suivantes", "the following characteristics"};
    Bilingual above{"supérieur à", "at least"};
    Bilingual below{"inférieur à", "at most"};
    Bilingual highWater{"  Pleine Mer  ", "  High Water  "};
    Bilingual allHigh{"Toutes les pleines mers", "All the high waters"};
    Bilingual betweenHigh{"Les pleines mers comprises entre", "The high waters between"};
    Bilingual noHigh{"Aucune pleine mer", "No high water"};
    Bilingual lowWater{"  Basse Mer  ", "  Low Water  "};
    Bilingual allLow{"Toutes les basses mers", "All the low waters"};
    Bilingual betweenLow{"Les basses mers comprises entre", "The low waters between"};
    Bilingual noLow{"Aucune basse mer", "No low water"};
    Bilingual and_{"et", "and"};
    Bilingual apply{"&Appliquer", "&Apply"};
    Bilingual cancel{"&Annuler", "&Cancel"};
    Bilingual help{"Ai&de", "&Help"};
    // Apply with a field that holds no value.
    Bilingual notACoefficient{"Le champ du coefficient « %1 » ne contient pas un nombre entier : "
                              "entrez un coefficient ou décochez la case.",
                              "The coefficient field \"%1\" does not hold a whole number: enter a "
                              "coefficient or untick its box."};
    Bilingual notATime{"Le champ d'heure « %1 » ne contient pas une heure valable (hh:mm).",
                       "The time field \"%1\" does not hold a valid time (hh:mm)."};
};

} // namespace ondrel
