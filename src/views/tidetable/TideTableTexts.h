// The tide table window: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct TideTableTexts {
    Bilingual caption{"Annuaire", "Tidetable"};
    Bilingual speeds{"Vitesses en %1%2", "Speeds in %1%2"};
    Bilingual noStreamCalendar{
        "Le calendrier n'est fait que pour les ports de marée : enregistrez le tableau des "
        "courants en .txt ou .csv.",
        "Calendars are made for tide ports only: save the table of streams as .txt or .csv."};
    Bilingual from{"DU :", "FROM :"};
    Bilingual to{"AU :", "TO :"};
    Bilingual calculate{"&Calcule", "&Calculate"};
    Bilingual printHint{"Imprime l'annuaire", "Print the tidetable"};
    Bilingual saveHint{"Sauve l'annuaire dans un fichier", "Save the tidetable into a file"};
    Bilingual filter{"&Filtre...", "&Filter..."};
    Bilingual filterHint{"Ouvre la fenêtre de filtre", "Open the filter window"};
    Bilingual close{"&Fermer", "C&lose"};
    Bilingual printing{"Impression en cours...", "Printing ..."};
    Bilingual endBeforeStart{"La date de fin doit être postérieure à la date de début !",
                             "The end date must be later than the start date!"};
    Bilingual viewHint{"Présentation de l'annuaire", "How the tidetable is shown"};
    Bilingual list{"Liste", "List"};
    Bilingual monthPages{"Pages du mois", "Month pages"};
    Bilingual pdf{"&PDF...", "&PDF..."};
    Bilingual pdfHint{"Enregistre les pages du mois dans un fichier PDF",
                      "Save the month pages as a PDF file"};
    Bilingual pdfTitle{"Exporter en PDF", "Export as PDF"};
    Bilingual notWritten{
        "Le fichier « %1 » n'a pas pu être écrit : %2.\nIl est resté tel qu'il était.",
        "The file \"%1\" could not be written: %2.\nIt was left as it was."};
    // The save dialogs: title, file name and types.
    Bilingual saveTitle{"Sauvegarde", "Save"};
    Bilingual fileName{"Horaires", "Tide times"};
    Bilingual fileTypes{"fichier texte (*.txt);;CSV (*.csv);;iCalendar (*.ics)",
                        "text file (*.txt);;CSV (*.csv);;iCalendar (*.ics)"};
};

} // namespace ondrel
