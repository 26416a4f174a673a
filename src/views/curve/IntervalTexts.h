// The interval window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct IntervalTexts {
    Bilingual caption{"Calcul d'un intervalle", "Calculation of an interval"};
    Bilingual readingBox{" Initialisation de la hauteur ", " Initialization of the height "};
    Bilingual searchBox{" Recherche d'un intervalle ", " Search for the interval "};
    Bilingual sounder{"Entrez la hauteur lue au sondeur", "Enter the real height"};
    Bilingual currentHeight{"Hauteur actuelle", "Actual height"};
    Bilingual recordedHeight{"Hauteur observée à : ", "Height observed at : "};
    Bilingual wantedHeight{"Hauteur désirée", "Required height"};
    Bilingual incomplete{"Le champ \"%1\" est incomplet : entrez tous les chiffres.",
                         "The field \"%1\" is incomplete: please fill in every digit."};
    Bilingual notFound{"Impossible de trouver un tel intervalle sur la journée",
                       "Impossible to find such an interval in the day"};
};

} // namespace ondrel
