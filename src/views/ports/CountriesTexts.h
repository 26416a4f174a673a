// The countries window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct CountriesTexts {
    Bilingual caption{"Pays", "Countries"};
    Bilingual all{"Tous les pays", "All the countries"};
    // %1 how many ports, %2 the first codes.
    Bilingual unknownCountries{
        "%1 port(s) de la base ont un code de zone sans pays connu (%2). Ils ne "
        "sont rattachés à aucun pays de cette liste.",
        "%1 port(s) of the table have a zone code of no known country (%2). They "
        "belong to no country of this list."};
};

} // namespace ondrel
