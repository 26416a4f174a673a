// The buttons' texts.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct MessageBoxTexts {
    Bilingual ok{"OK", "OK"};
    Bilingual yes{"&Oui", "&Yes"};
    Bilingual no{"&Non", "&No"};
};

} // namespace ondrel
