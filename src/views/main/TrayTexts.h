// The texts of the notification icon.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct TrayTexts {
    Bilingual toolTip{"Port de ", "Port of "};
    Bilingual quitQuestion{"Voulez-vous quitter \"Ondrel\" ?",
                           "Would you like to quit \"Brevane\"?"};
    Bilingual noIcon{"Impossible de trouver les fichiers d'icônes",
                     "Impossible to find the icon files"};
    // The tooltip's second line: the time to the next high water, or since the last.
    Bilingual highWaterIn{"Pleine mer dans %1 h %2", "High water in %1 h %2"};
    Bilingual highWaterAgo{"Pleine mer il y a %1 h %2", "High water %1 h %2 ago"};
};

} // namespace ondrel
