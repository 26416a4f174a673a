// The tide table's text and spreadsheet exports: its texts, in French then English.
#pragma once

#include "engine/Language.h"

namespace ondrel {

struct TableTexts {
    TextPair columns{"Date\tphase\theure\thaut.\tcoef", "Date\tphase\ttime\theight\tcoef"};
    TextPair highWater{"\tPM\t", "\tHW\t"};
    TextPair lowWater{"\tBM\t", "\tLW\t"};
    TextPair localTime{"Heures données dans le fuseau UT + :", "Local time : UT + "};
    TextPair winterTime{"Heure en vigueur : heure d'hiver UT + 1", "Winter time UT + 1"};
    TextPair summerTime{"Heure en vigueur : heure d'été UT + 2", "Summer time UT + 2"};
    TextPair otherTime{"Heure en vigueur : heure UT + ", "Time UT + "};
    TextPair legalTime{"Heure légale ", "Legal time "};
    TextPair inSummer{" en été", " in summer"};
    TextPair noLegalTime{"Heure légale inconnue, heures données dans le fuseau UT + :",
                         "Legal time unknown, local time : UT + "};
    TextPair csvUtc{",utc,decalage", ",utc,offset"};
    // The spreadsheet export.
    TextPair csvHeader{"date,heure,phase,hauteur,coef,port\r\n",
                       "date,time,kind,height,coefficient,port\r\n"};
    TextPair csvHigh{"PM", "HW"};
    TextPair csvLow{"BM", "LW"};
    // The month pages' foot.
    TextPair pageLocalTime{"Heures données dans le fuseau ", "Times in the zone "};
    TextPair pageOtherTime{"Heures données en ", "Times in "};
    TextPair pageMetres{"Hauteurs en mètres au-dessus du zéro des cartes ; modèle : ",
                        "Heights in metres above chart datum; model: "};
    TextPair pageFeet{"Hauteurs en pieds au-dessus du zéro des cartes ; modèle : ",
                      "Heights in feet above chart datum; model: "};
    TextPair pageTableModel{"table du port (21 constituantes)", "port table (21 constituents)"};
    TextPair pageFullModel{"harmoniques complètes (%1 constituantes)",
                           "full harmonics (%1 constituents)"};
};

} // namespace ondrel
