// The secondary-port wizard's captions and messages: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct WizardTexts {
    Bilingual caption1{"Ajout d'un port 1/4", "Adding a port 1/4"};
    Bilingual caption2{"Ajout d'un port 2/4", "Adding a port 2/4"};
    Bilingual caption3{"Ajout d'un port 3/4", "Adding a port 3/4"};
    Bilingual caption3Modify{"Modification d'un port 3/4", "Modify a port 3/4"};
    Bilingual caption4{"Ajout d'un port 4/4", "Add a port 4/4"};
    Bilingual caption4Modify{"Modification d'un port 4/4", "Modify a port 4/4"};
    Bilingual added{" a été ajouté dans la liste", " has been added to the list"};
    Bilingual modified{" a été modifié", " has been modified"};
    Bilingual emptyName{"Entrez le nom du port.", "Enter the name of the port."};
    Bilingual nameTaken{
        "Un port nommé \"%1\" existe déjà dans la base de données : choisissez un autre nom.",
        "A port named \"%1\" is already in the database: choose another name."};
    Bilingual lost{"Le port \"%1\" n'est plus dans la base de données ; rien n'a été modifié.",
                   "The port \"%1\" is no longer in the database; nothing was changed."};
    // The second line of page 3's messages: the field, and the form it expects.
    Bilingual corrected[4]{
        {"pleine mer de vives-eaux", "high water, springs"},
        {"pleine mer de mortes-eaux", "high water, neaps"},
        {"basse mer de vives-eaux", "low water, springs"},
        {"basse mer de mortes-eaux", "low water, neaps"},
    };
    Bilingual badTime{"Correction d'heure, %1 : signe ou chiffre, chiffre, espace, deux chiffres "
                      "de minutes (par exemple +1 30 ou -0 45)",
                      "Time correction, %1: sign or digit, digit, space, two digits of minutes "
                      "(for example +1 30 or -0 45)"};
    Bilingual badHeight{"Correction de hauteur, %1 : signe ou chiffre, chiffre, « %2 », deux "
                        "décimales (par exemple %3 ou %4)",
                        "Height correction, %1: sign or digit, digit, \"%2\", two decimals (for "
                        "example %3 or %4)"};
    Bilingual noStandardPort{"Choisissez le port principal dans la liste.",
                             "Choose the standard port in the list."};
    // A position out of range.
    Bilingual badLatitude{"Latitude : de 0 à 90 degrés, les minutes de 00 à 59.",
                          "Latitude: 0 to 90 degrees, minutes 00 to 59."};
    Bilingual badLongitude{"Longitude : de 0 à 180 degrés, les minutes de 00 à 59.",
                           "Longitude: 0 to 180 degrees, minutes 00 to 59."};
};

} // namespace ondrel
