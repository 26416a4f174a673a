// The curve window: its texts other than its buttons' captions, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct CurveWindowTexts {
    Bilingual caption{"Courbe de hauteur d'eau", "Time versus Tide Plot"};
    Bilingual hour{"Heures", "Hour"};
    Bilingual height{"Hauteurs", "Height"};
    Bilingual interval{"Calcul de l'intervalle...", "Calculate the interval..."};
};

} // namespace ondrel
