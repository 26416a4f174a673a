// The port's legal time zone problems: its texts, in French then English.
#pragma once

#include "engine/Language.h"

namespace ondrel {

struct ZoneTexts {
    TextPair unknown{"le système ne connaît pas le fuseau horaire « %1 » : heure légale remplacée "
                     "par l'heure standard du port",
                     "the system does not know the time zone \"%1\": the port's standard time "
                     "is used instead of its legal time"};
    TextPair none{"fuseau horaire du port inconnu : heure légale remplacée par l'heure standard "
                  "du port",
                  "the port's time zone is not known: its standard time is used instead of its "
                  "legal time"};
};

} // namespace ondrel
