// Texts that several windows show alike: their buttons, message-box buttons and the port table's
// write failures.
#pragma once

#include "Bilingual.h"

namespace ondrel {

struct CommonTexts {
    Bilingual cancel{"Annuler", "Cancel"};
    Bilingual cancelWithKey{"A&nnuler", "&Cancel"};
    Bilingual help{"Aide", "Help"};
    Bilingual helpWithKey{"&Aide", "&Help"};
    // A change of the port table refused while another writer is at work (%1: the details).
    Bilingual tableBusy{"La base des ports est en cours de modification par un autre Ondrel ; "
                        "rien n'a été changé. Réessayez quand il aura fini.\n%1",
                        "The port table is being changed by another Ondrel; nothing was "
                        "changed. Try again when it has finished.\n%1"};
};
inline constexpr CommonTexts kCommonTexts;

} // namespace ondrel
