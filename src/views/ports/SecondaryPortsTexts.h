// The list of secondary ports to modify or delete: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct SecondaryPortsTexts {
    Bilingual caption{"Supprimer ou modifier un port", "Delete or modify a port"};
    Bilingual secondary{"Port secondaire", "Secondary port"};
    Bilingual standard{"Port principal", "Standard port"};
    Bilingual remove{"&Supprimer", "Delete"};
    Bilingual modify{"Modifier", "Modify"};
    Bilingual cancel{"&Annuler", "Cancel"};
    Bilingual select{"Vous devez sélectionnner un port !", "You must select a port !"};
    Bilingual confirm{"Etes-vous certain de vouloir supprimer %1 ?",
                      "Do you really want to remove %1 of the list ?"};
    Bilingual removed{" a été supprimé de la liste ", " has been removed from the list"};
};

} // namespace ondrel
