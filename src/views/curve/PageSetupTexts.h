// The page setup window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct PageSetupTexts {
    Bilingual caption{"Mise en page", "Page settings"};
    Bilingual previewBox{"Paramètres d'impression de la courbe", "Curve print parameters"};
    Bilingual orientationBox{"Mise en page", "Page setting"};
    Bilingual portrait{"Portrait", "Portrait"};
    Bilingual landscape{"Paysage", "Landscape"};
    Bilingual coloursBox{"Couleurs à l'impression", "Print colors"};
    Bilingual colour{"Couleur", "Color"};
    // "&&" shows one ampersand (a single one would mark a shortcut letter).
    Bilingual blackAndWhite{"Noir && blanc", "Black && White"};
    Bilingual marginsBox{"Marges à l'impression", "Print margins"};
    Bilingual left{"gauche", "left"};
    Bilingual right{"droite", "right"};
    Bilingual top{"haut", "top"};
    Bilingual bottom{"bas", "bottom"};
    Bilingual marginsHint{"en pourcent de la taille de la page", "in percent of the paper's size"};
    Bilingual marginsNotSaved{
        "Chaque marge doit avoir une valeur de 0 à 100 : la mise en page n'a pas été enregistrée.",
        "Every margin needs a value from 0 to 100: the page settings have not been saved."};
};

} // namespace ondrel
