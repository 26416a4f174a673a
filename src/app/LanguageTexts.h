// The bilingual texts of the main window, the day and month names the program formats dates
// with, and the names of the time references.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

namespace ondrel {

// Process-wide date names; index 0 is Sunday for the days, January for the months.
struct DateNames {
    std::array<QString, 7> longDays;
    std::array<QString, 7> shortDays;
    std::array<QString, 12> longMonths;

    static DateNames French();
    static DateNames English();

    const QString& longDay(const QDate& date) const { return longDays[date.dayOfWeek() % 7]; }
    const QString& longMonth(int month) const { return longMonths[(month + 11) % 12]; }
};

// "dddd, d mmmm yyyy": "Mercredi, 18 septembre 1998".
QString FormatLongDate(const QDate& date, const DateNames& names);

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

// The main window's time reference label: "Heure locale", "winter time (UT +1)", "UT + 5"...
QString FuseauLabel(int heureService, bool english);

// The main window's language-independent texts.
inline const QString kOptionsCaption = QStringLiteral("&Options ...");
inline const QString kSelDateCaption = QStringLiteral("Date");
inline const QString kCoefficientsTitle = QStringLiteral(" Coefficients ");

} // namespace ondrel
