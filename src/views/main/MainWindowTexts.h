// The main window's texts (its table; help buttons and menus take the shared "&Aide").
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct MainWindowTexts {
    Bilingual caption{"Ondrel - v 4.6", "Brevane - v 4.6"};
    Bilingual portsMenu{"&Gestion des ports", "Ports &management"};
    Bilingual addSecondaryPort{"&Ajouter un port secondaire...", "&Add a secondary port"};
    Bilingual modifySecondaryPort{"&Modifier ou supprimer un port secondaire...",
                                  "&Modify or Delete a secondary port"};
    Bilingual importPorts{"Ajout de ports à partir d'un &fichier ...", "Add ports from a &file..."};
    // Their shortcut letters differ from those of the window's buttons ("A&nnuaire"/"T&idetable",
    // "&Aide"/"&Help").
    Bilingual toolsMenu{"&Outils", "&Tools"};
    Bilingual helpMenu{"Ai&de", "He&lp"};
    Bilingual hideOnQuit{"&Reduire le programme en quittant", "&Reduce the program when quit"};
    Bilingual fontMenu{"&Polices", "&Fonts"};
    Bilingual changeFont{"&Changer la police", "&Change the font"};
    Bilingual defaultFont{"&police par défaut", "&Default font"};
    Bilingual otherLanguage{"&English version", "French &Version"};
    Bilingual about{"&A propos...", "&About..."};
    Bilingual portButton{"&Port", "&Port"};
    Bilingual tideTable{"A&nnuaire", "T&idetable"};
    Bilingual reduce{"&Réduire", "&Reduce"};
    Bilingual quit{"&Quitter", "&Exit"};
    Bilingual ephemerides{"&Ephémérides...", "&Ephemerides..."};
    Bilingual portHint{"Sélectionner un port", "Select a port"};
    Bilingual dateHint{"Sélectionner une date", "Select a date"};
    Bilingual infoTitle{"INFORMATIONS", "INFORMATION"};
    Bilingual timesTitle{"HORAIRES", "TIMES"};
    // One entry a line, the empty ones included.
    Bilingual infoLines{"Port\n"
                        "\n"
                        "\n"
                        "\n"
                        "Position\n"
                        "Fuseau horaire",
                        "Port\n"
                        "\n"
                        "\n"
                        "\n"
                        "Position\n"
                        "Time zone"};
    // One entry a line, the empty ones included.
    Bilingual warning{"\n"
                      "AVERTISSEMENT\n"
                      "\n"
                      "Le service hydrographique et\n"
                      "océanographique de la marine n'a pas\n"
                      "vérifié les informations contenues dans ce\n"
                      "document et ne peut être tenu responsable \n"
                      "de la fidélité de leur reproduction ou de \n"
                      "toute modification ultérieure. La possession \n"
                      "de ce document n'éxonère pas de l'obligation\n"
                      "d'utiliser les documents nautiques appropriés \n"
                      "prévus par les règlements nationaux ou \n"
                      "internationaux. L'auteur décline toute\n"
                      "responsabilité quant aux conséquences,\n"
                      "quelques qu'elles soient, que pourrait\n"
                      "entrainer l'utilisation de ce logiciel.",
                      "WARNING\n"
                      "\n"
                      "Neither The UK Hydrographic Office\n"
                      "(UKHO)nor the Oceanographic and\n"
                      "Hydrographic sections of the french\n"
                      "Navy (SHOM) have not verified the\n"
                      "information within this software, and\n"
                      "do not accept liability for the accuracy\n"
                      "or reproduction or any modifications\n"
                      "made thereafter. The UKHO and the SHOM\n"
                      "do not warrant that this product satisfies\n"
                      "national or international regulations\n"
                      "regarding the use of the appropriate products\n"
                      "for navigation.\n"
                      "\n"
                      "The person using this software bears\n"
                      "all risks as the quality and performance\n"
                      "of this software."};
    Bilingual accept{"J'accepte...", "I Accept..."};
    Bilingual refuse{"Je refuse", "I refuse"};
    Bilingual apply{"A&ppliquer", "&Apply"};
    Bilingual selectPortFirst{"Vous devez d'abord sélectionner un port !",
                              "You have first to select a port !"};
    // %1 the folders where the help collection was looked for.
    Bilingual noHelp{"L'aide est introuvable : la collection d'aide ondrel.qhc n'est pas installée "
                     "(cherchée dans %1). Réinstallez le programme.",
                     "The help cannot be found: the help collection ondrel.qhc is not installed "
                     "(looked for in %1). Please reinstall the program."};
    // %1 why the table could not be opened, %2 the user's table folder.
    Bilingual tableProblem{
        "La table des ports ne peut pas être ouverte (%1).\n\nOndrel ne peut prédire "
        "aucune marée sans elle. Placez ports.dbf et ports.tags dans le dossier de "
        "travail ou dans %2, puis relancez le programme.",
        "The port table cannot be opened (%1).\n\nOndrel cannot predict any tide "
        "without it. Put ports.dbf and ports.tags in the working folder or in %2, "
        "then start the program again."};
    // The language switch, asked and told in the language being left.
    Bilingual switchQuestion{
        "Désirez-vous passer à la version <Anglaise> ? Si vous cliquez sur \"OUI\" "
        "tous les textes seront affichés en anglais. Si vous ne désirez pas faire ce "
        "changement, cliquez sur \"NON\".",
        "Do you wish to change to the <French> language version? "};
    Bilingual switchBack{
        "Si vous désirez revenir à la version <Française> après ce changement, "
        "utilisez le même bouton (dans le menu <\"Tools\">), sous-menu <\"French version\">",
        "If you wish to restore the <English> version after making the change, "
        "use the same button (in the <\"Outils\"> menu), labeled <\"version Anglaise\">"};
    Bilingual importMissing{"Impossible de trouver le fichier d'ajout de ports",
                            "Impossible to find the file for adding new ports"};
    // Under the day report while the full harmonics are chosen: the model that gave it. %1 the
    // number of constituents.
    Bilingual fullModel{"Harmoniques complètes (%1 ondes)", "Full harmonics (%1 constituents)"};
    Bilingual noHarmonicsForPort{"Modèle du tableau : pas d'harmoniques pour ce port",
                                 "Table model: no harmonic data for this port"};
    Bilingual noHarmonicsFile{"Modèle du tableau : fichier d'harmoniques inutilisable",
                              "Table model: harmonic data file unusable"};
    // Once, when the full harmonics are chosen and their file cannot be used: %1 the file, %2
    // what is wrong with it.
    Bilingual harmonicsFileProblem{
        "Le fichier des harmoniques complètes %1 est absent ou endommagé : le modèle du "
        "tableau (21 ondes) est utilisé pour tous les ports.\n\n%2",
        "The full harmonics file %1 is missing or damaged: the table model (21 "
        "constituents) is used for every port.\n\n%2"};
};

} // namespace ondrel
