// The interval window's first values, in the number format of each language.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct FirstValueTexts {
    Bilingual reading{"10,50 m", "10.50 m"};
    Bilingual wanted{"12,50 m", "12.50 m"};
};

} // namespace ondrel
