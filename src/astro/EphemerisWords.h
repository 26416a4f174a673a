// The ephemerides' texts.
#pragma once

#include "engine/Language.h"

namespace ondrel::astro {

struct EphemerisWords {
    TextPair caption{"Ephémérides", "Ephemerides"};
    TextPair sunGroup{" SOLEIL ", " SUN "};
    TextPair moonGroup{" LUNE ", " MOON "};
    TextPair increasingMoon{"Lune croissante", "Increasing moon"};
    TextPair fullMoon{"Pleine Lune", "Full moon"};
    TextPair decreasingMoon{"Lune décroissante", "Decreasing moon"};
    TextPair newMoon{"Nouvelle Lune", "New moon"};
    // The status bar names summer time in English its own way; otherwise as the main window.
    TextPair summerTime{"Heure d'été (UT +2)", "summer time(UT +2)"};
    TextPair sunrise{"Lever     : ", "Sunrise   : "};
    TextPair sunset{"Coucher : ", "Sunset   : "};
    TextPair alwaysUp{"Soleil toujours levé", "Sun always up"};
    TextPair alwaysDown{"Soleil toujours couché", "Sun always down"};
    TextPair moonAge{"Age de la Lune : ", "Moon's age  : "};
    TextPair days{" jours", " days"};
    TextPair azimuth{"Azimut : ", "Azimuth: "};
};

} // namespace ondrel::astro
