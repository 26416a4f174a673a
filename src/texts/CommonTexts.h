// Texts that several windows show alike: their buttons and message-box buttons.
#pragma once

#include "Bilingual.h"
#include "CommonTexts.h"

namespace ondrel {

struct CommonTexts {
    Bilingual cancel{"Annuler", "Cancel"};
    Bilingual cancelWithKey{"A&nnuler", "&Cancel"};
    Bilingual help{"Aide", "Help"};
    Bilingual helpWithKey{"&Aide", "&Help"};
};
inline constexpr CommonTexts kCommonTexts;

} // namespace ondrel
