// The tide table's month pages: its texts, in French then English.
#pragma once

#include "engine/Language.h"

namespace ondrel {

struct TideTablePageTexts {
    TextPair high{"PM", "HW"};
    TextPair low{"BM", "LW"};
    TextPair coefficient{"coef.", "coef."};
};

} // namespace ondrel
