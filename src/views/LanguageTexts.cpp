#include "LanguageTexts.h"

namespace ondrel {

MainWindowTexts MainTexts(bool english) {
    MainWindowTexts t;
    if (english) {
        t.caption = "Brevane - v 4.6";
        t.portSecondaire = "&Ports management";
        t.ajoutPortSecondaire = "&Add a secondary port";
        t.retraitPortSecondaire = "&Modify or Supress a secondary port";
        t.ajoutDePortsPrincipaux = "Add ports from a &file...";
        t.outils = "&Tools";
        t.icone = "&Reduce the program when quit";
        t.police = "&Fonts";
        t.changer = "&Change the font";
        t.policeParDefaut = "&Default font";
        t.langue = "French &Version";
        t.aide = "&Help";
        t.apropos = "&About...";
        t.selPort = "&Port";
        t.annuaire = "&Tidetable";
        t.reduire = "&Reduce";
        t.quitter = "&Exit";
        t.aideButton = "&Help";
        t.ephemerides = "&Ephemerides...";
        t.selPortHint = "Select a port";
        t.selDateHint = "Select a date";
        t.label3 = "INFORMATION";
        t.label4 = "TIMES";
        t.memoInformations = {"Port", "", "", "", "Position", "Time zone"};
        t.warning = {"WARNING",
                     "",
                     "Neither The UK Hydrographic Office",
                     "(UKHO)nor the Oceanographic and",
                     "Hydrographic sections of the french",
                     "Navy (SHOM) have not verified the",
                     "information within this software, and",
                     "do not accept liability for the accuracy",
                     "or reproduction or any modifications",
                     "made thereafter. The UKHO and the SHOM",
                     "do not warrant that this product satisfies",
                     "national or international regulations",
                     "regarding the use of the appropriate products",
                     "for navigation.",
                     "",
                     "The person using this software bears",
                     "all risks as the quality and performance",
                     "of this software."};
        t.accept = "I Accept...";
        t.refuse = "I refuse";
    } else {
        t.caption = "Ondrel - v 4.6";
        t.portSecondaire = "Gestion des &ports";
        t.ajoutPortSecondaire = "&Ajouter un port secondaire...";
        t.retraitPortSecondaire = "&Modifier ou supprimer un port secondaire...";
        t.ajoutDePortsPrincipaux = "Ajout de ports à partir d'un &fichier ...";
        t.outils = "&Outils";
        t.icone = "&Reduire le programme en quittant";
        t.police = "&Polices";
        t.changer = "&Changer la police";
        t.policeParDefaut = "&police par défaut";
        t.langue = "&English version";
        t.aide = "&Aide";
        t.apropos = "&A propos...";
        t.selPort = "&Port";
        t.annuaire = "A&nnuaire";
        t.reduire = "&Réduire";
        t.quitter = "&Quitter";
        t.aideButton = "&Aide";
        t.ephemerides = "&Ephémérides...";
        t.selPortHint = "Sélectionner un port";
        t.selDateHint = "Sélectionner une date";
        t.label3 = "INFORMATIONS";
        t.label4 = "HORAIRES";
        t.memoInformations = {"Port", "", "", "", "Position", "Fuseau horaire"};
        t.warning = {"",
                     "AVERTISSEMENT",
                     "",
                     "Le service hydrographique et",
                     "océanographique de la marine n'a pas",
                     "vérifié les informations contenues dans ce",
                     "document et ne peut être tenu responsable ",
                     "de la fidélité de leur reproduction ou de ",
                     "toute modification ultérieure. La possession ",
                     "de ce document n'éxonère pas de l'obligation",
                     "d'utiliser les documents nautiques appropriés ",
                     "prévus par les règlements nationaux ou ",
                     "internationaux. L'auteur décline toute",
                     "responsabilité quant aux conséquences,",
                     "quelques qu'elles soient, que pourrait",
                     "entrainer l'utilisation de ce logiciel."};
        t.accept = "J'accepte...";
        t.refuse = "Je refuse";
    }
    return t;
}

} // namespace ondrel
