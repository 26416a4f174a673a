// The pages of the secondary-port wizard: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct WizardPageTexts {
    Bilingual intro{"Cet assistant va vous guider dans l'ajout  d'un \n"
                    "nouveau port. A tout moment, une action sur la\n"
                    "touche \"Annuler\" vous permet de sortir de  cet\n"
                    "assistant .  Pour  ajouter  un  port,  vous devez\n"
                    "disposer des corrections pour les ports rattachés.\n"
                    "Ces corrections se trouvent dans l'annuaire des \n"
                    "marées édité par le SHOM.",
                    "This assistant will guide you to add  a   new\n"
                    "secondary   port. You  always  can  quit this\n"
                    "assistant with the  <Cancel>  button. To add a\n"
                    "port, you may have the values of the corrections\n"
                    "for the secondary port. These corrections  are\n"
                    "given in the books of the official departments\n"
                    "of navigation."};
    Bilingual standardPortChoice{"Sélectionnez dans la liste ci-dessous le port principal,\n"
                                 "par  rapport  auquel  les  corrections  sont  données.\n"
                                 "Tapez  la  première lettre du port recherché, puis dé-\n"
                                 "placez-vous avec les touches haut et bas du clavier.\n"
                                 "Lorsque celui-ci est sélectionné, cliquez sur \"suivant\"",
                                 "      To Select the port with wich the corrections\n"
                                 "      are gived, type the first letter and move in \n"
                                 "      the list with the arrows up and down.\n"
                                 "      \n"
                                 "      When you are ready, type <Next...>"};
    Bilingual next{"Suivant...", "Next..."};
    Bilingual correctionsNext{"suivant...", "Next..."};
    Bilingual newName{"Nom du nouveau port", "Name of the new port"};
    Bilingual name{"Nom du port", "Name of port"};
    Bilingual degrees{"degrés", "degrees"};
    Bilingual times{" Corrections des heures ", " Times' corrections "};
    Bilingual heights{" Corrections des hauteurs ", " Heights' corrections "};
    Bilingual highWaters{"Pleines mers", "High Waters"};
    Bilingual lowWaters{"Basses mers", "Low Waters"};
    Bilingual springs{"V E", "Springs"};
    Bilingual neaps{"M E", "Neaps"};
    Bilingual nameGroup{" Nom ", " Name "};
    Bilingual miscellaneous{" Divers ", " Miscellaneous "};
    Bilingual standardPort{"Port de référence", "Standard port"};
    Bilingual previous{"Précédent", "Previous"};
};

} // namespace ondrel
