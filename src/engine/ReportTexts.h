// The report's texts.
#pragma once

#include "engine/Language.h"

namespace ondrel {

struct ReportTexts {
    TextPair feet{" pieds", " feet"};
    TextPair metres{" mètres", " meters"};
    TextPair highWater{"Pleine mer à ", "High water at "};
    TextPair lowWater{"Basse mer à ", "Low water at  "};
    TextPair height{"    hauteur : ", "    height : "};
    TextPair morning{"matin : ", "morning : "};
    TextPair evening{"soir : ", "evening : "};
};

} // namespace ondrel
