// Texts that several windows show alike: their buttons, message-box buttons and the port table's
// write failures.
#pragma once

#include "texts/Bilingual.h"

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
    // The heading of the port lists, and the name a new secondary port starts with.
    Bilingual nameHeading{"NOM", "NAME"};
    Bilingual newPortName{"NOM du PORT", "PORT NAME"};
    // The files of added ports, in the import's file dialog.
    Bilingual portFiles{"Fichiers ajout de port (*.add)", "Port files (*.add)"};
    Bilingual allFiles{"Tous les fichiers (*)", "All files (*)"};
};
inline constexpr CommonTexts kCommonTexts;

} // namespace ondrel
