// The options window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct OptionsTexts {
    Bilingual timeReferenceBox{" Fuseau horaire ", " Time zone "};
    Bilingual timeReferenceButtons[5]{
        {"Heure locale", "local time"},
        {"Heure d'hiver (UT+1)", "winter time (UT+1)"},
        {"Heure d'été (UT+2)", "summer time (UT+2)"},
        {"Heure UT +", "Time UT +"},
        {"Heure légale du port (heure d'été comprise)", "Port's legal time (summer time included)"},
    };
    Bilingual unitBox{" Unité de hauteur ", " Height unit "};
    Bilingual metre{"mètre", "meter"};
    Bilingual foot{"pied", "foot"};
    Bilingual speedUnitBox{" Vitesse des courants ", " Stream speed "};
    Bilingual knots{"nœud", "knot"};
    Bilingual metresPerSecond{"mètre par seconde", "meter per second"};
    Bilingual printSizeBox{" Police d'impression", " Print font"};
    Bilingual printSize{"Taille :", "Size :"};
    Bilingual curveHoursBox{" Afficher la courbe entre les heures",
                            " Display the curve between hours"};
    Bilingual predictionBox{" Prédiction ", " Prediction "};
    Bilingual predictionButtons[2]{
        {"Modèle du tableau (21 ondes)", "Table model (21 constituents)"},
        {"Harmoniques complètes", "Full harmonics"},
    };
    Bilingual startHour{"Heure de début", "Beginning hour"};
    Bilingual endHour{"Heure de fin", "Ending hour"};
    Bilingual cancel{"&Annuler", "&Cancel"};
    // The main window's label of time references 0, 1 and 2.
    Bilingual referenceLabels[3]{
        {"heure locale", "local time"},
        {"heure d'hiver (UT+1)", "winter time (UT+1)"},
        {"heure d'été (UT+2)", "summer time (UT+2)"},
    };
    // ... and of a UT offset, before the number of hours.
    Bilingual utLabel{"heure UT + ", "time UT + "};
    Bilingual referenceChanged[3]{
        {"Attention ! Toutes les heures seront données dans le fuseau du port sélectionné (heure "
         "locale)",
         "Attention ! All times will be in local time"},
        {"Attention ! Toutes les heures seront données en heure d'hiver française (UT + 1)",
         "Attention ! All times will be in winter time (UT + 1)"},
        {"Attention ! Toutes les heures seront données en heure d'été française (UT + 2)",
         "Attention ! All times will be in summer time (UT + 2)"},
    };
    Bilingual legalChanged{
        "Attention ! Toutes les heures seront données à l'heure légale du port (heure d'été "
        "comprise)",
        "Attention ! All times will be in the port's legal time (summer time included)"};
    Bilingual utChanged{"Attention ! Toutes les heures seront données en heure UT + ",
                        "Attention ! All times will be in UT+ "};
    Bilingual metres{"Attention ! Toutes les hauteurs seront données en mètres",
                     "Careful ! All heights will be in meters"};
    Bilingual feet{"Attention ! Toutes les hauteurs seront données en pieds",
                   "Careful ! All heights will be in feet"};
    Bilingual badStartHour{"Erreur de saisie de l'heure. Veuillez recommencer",
                           "Time must be less than 24. Please try again"};
    Bilingual badEndHour{"Erreur de saisie de l'heure. Veuillez recommencer",
                         "Time must be less then 24. Please try again"};
};

} // namespace ondrel
