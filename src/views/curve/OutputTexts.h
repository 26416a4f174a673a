// The curve window's copy, save and print: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct OutputTexts {
    Bilingual copied{"La courbe est maintenant dans le presse papiers de Windows",
                     "The curve is now at Windows Clipboard."};
};

} // namespace ondrel
