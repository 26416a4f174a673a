// The page set-up's messages.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct PageSetupMessages {
    Bilingual marginRange{"Entrez une valeur entière comprise entre 0 et 100 !",
                          "Please, enter a integer value between 0 and 100 !"};
    Bilingual portrait{"La prochaine impression sera au format portrait",
                       "Next printing will be in the portrait orientation"};
    Bilingual landscape{"La prochaine impression sera au format paysage",
                        "Next printing will be in the landscape orientation"};
};

} // namespace ondrel
