// The bilingual texts of the main window, the day and month names the program formats dates
// with, and the names of the time references.
#pragma once

#include "DateNames.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

namespace ondrel {

// Texts of the main window in one language.
struct MainWindowTexts {
    QString caption;
    QString portSecondaire, ajoutPortSecondaire, retraitPortSecondaire, ajoutDePortsPrincipaux;
    QString outils, icone, police, changer, policeParDefaut, langue;
    QString aide, apropos;
    QString selPort, annuaire, reduire, quitter, aideButton, ephemerides;
    QString selPortHint, selDateHint;
    QString label3, label4;
    QStringList memoInformations;
    QStringList warning;
    QString accept, refuse;
};
MainWindowTexts MainTexts(bool english);

// The main window's language-independent texts.
inline const QString kOptionsCaption = QStringLiteral("&Options ...");
inline const QString kSelDateCaption = QStringLiteral("Date");
inline const QString kCoefficientsTitle = QStringLiteral(" Coefficients ");

} // namespace ondrel
