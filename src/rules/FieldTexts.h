// The number format of each language.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct FieldTexts {
    Bilingual separator{",", "."};
    Bilingual wanted{"12,00 ", "25.00 "};
};

} // namespace ondrel
