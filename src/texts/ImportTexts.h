// The texts of the import of ports from an .add file, shared by the desktop program's list
// window and main window.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct ImportTexts {
    Bilingual listCaption{"Liste des ports ajoutés", "List of added ports"};
    Bilingual readError{
        "Problème de lecture du fichier. Assurez-vous que le fichier possède bien une "
        "extension \".add\". Si le problème persiste, consultez le support technique en "
        "envoyant un mail à l'adresse : ",
        "File type error. Be sure that the extension of the file is \".add\". If the "
        "problem persists, send a mail to the technical support at the adress : "};
    // Follows the read error: where the lines at fault were written (%1).
    Bilingual logPlace{"Les lignes en cause sont notées dans le fichier %1",
                       "The lines at fault are listed in the file %1"};
    // Nothing imported (%1: the file and the system's reason).
    Bilingual addFileUnreadable{
        "Le fichier d'ajout de ports ne peut pas être lu ; aucun port n'a été ajouté.\n%1",
        "The file of ports cannot be read; no port was added.\n%1"};
    Bilingual logUnwritable{
        "Le journal des erreurs ne peut pas être écrit ; aucun port n'a été ajouté.\n%1",
        "The error log cannot be written; no port was added.\n%1"};
    Bilingual tableUnwritable{
        "La base des ports ne peut pas être écrite ; l'ajout s'est arrêté. Les ports "
        "déjà listés sont enregistrés.\n%1",
        "The port table cannot be written; the import stopped. The ports already "
        "listed are stored.\n%1"};
    // The records not stored, before their problems.
    Bilingual notStored{
        "Ces ports n'ont pas été ajoutés : leurs lignes ne se lisent pas entières.\n",
        "These ports were not added: their lines cannot be read whole.\n"};
};
inline constexpr ImportTexts kImportTexts;

} // namespace ondrel
