// The date window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct DateWindowTexts {
    Bilingual caption{"Saisie de la date", "Selection of the Date"};
};

} // namespace ondrel
