// The foot line's event names.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct FootTexts {
    Bilingual high{" PM:", " HW:"};
    Bilingual low{" BM:", " LW:"};
};

} // namespace ondrel
