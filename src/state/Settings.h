// The process-wide settings of the program, their defaults and their persistence in the per-user
// settings store (main key "Software\Ondrel", group "impression" for the page set-up).
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/Report.h"
#include "engine/TimeReference.h"

#include <QString>

#include <array>
#include <optional>

class QSettings;

namespace ondrel {

inline constexpr int kCountryCount = 114;
// Country flags are numbered 0 to 200; only 1 to 114 name countries.
inline constexpr int kCountryFlagCount = 201;

inline constexpr quint32 kDefaultBackgroundColour =
    16744449;                                      // 0x00BBGGRR: red 1, green 128, blue 255
inline constexpr quint32 kDefaultLineColour = 255; // pure red
inline constexpr int kDefaultPrintSize = 8;
inline constexpr int kLastPortNameLength = 50;

inline const QString kFrench = QStringLiteral("FRANCAIS");
inline const QString kEnglish = QStringLiteral("ANGLAIS");

// The language a stored "langue" value names ("FRANCAIS" or "ANGLAIS"); none for anything else.
inline std::optional<Language> LanguageOf(const QString& langue) {
    if (langue == kEnglish) return Language::English;
    if (langue == kFrench) return Language::French;
    return std::nullopt;
}
// The stored "langue" value of a language: "FRANCAIS", "ANGLAIS", or empty while none is chosen.
inline QString StoredLanguage(std::optional<Language> language) {
    if (!language) return {};
    return *language == Language::English ? kEnglish : kFrench;
}

struct WindowBounds {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

struct Settings {
    // Stored as "langue"; none until the first start's question is answered.
    std::optional<Language> chosenLanguage;
    quint32 backgroundColour = kDefaultBackgroundColour;
    quint32 curveColour = kDefaultLineColour;
    QString lastPortName;                       // stored as "dernier_port", at most 50 characters
    TimeReference timeReference;                // stored as "heure_service"
    HeightUnit heightUnit = HeightUnit::Metres; // stored as "coef unite": 1 metres, 3 feet
    double curveStart = 0.0;                    // curve hours, fractions of a day
    double curveEnd = 1.0;
    int printFontSize = kDefaultPrintSize;
    std::optional<WindowBounds> bounds; // main window, when all four values were stored
    std::array<bool, kCountryFlagCount> countrySelected = AllCountries();
    bool hideOnQuit = false; // stored as "icone"
    // Stored as "modele_prediction", 1 for the full harmonics, only while they are chosen.
    PredictionModel prediction = PredictionModel::Table;
    QString decimalSeparator; // the user's decimal separator, read at start
    // The speeds of tidal streams: stored as "unite_courant", 2 for metres per second, only
    // while they are chosen.
    SpeedUnit speedUnit = SpeedUnit::Knots;
    // The current station shown at the end ("dernier_courant", its id), empty when a tide port
    // was: the start shows it again.
    QString lastStationId;

    // A language was chosen (until then some texts are left as they were built).
    bool languageChosen() const { return chosenLanguage.has_value(); }
    // The texts' language: French until one is chosen.
    Language language() const { return chosenLanguage.value_or(Language::French); }
    // The language chosen, or `fallback` while none is.
    Language languageOr(Language fallback) const { return chosenLanguage.value_or(fallback); }

    static std::array<bool, kCountryFlagCount> AllCountries() {
        std::array<bool, kCountryFlagCount> flags{};
        flags.fill(true);
        return flags;
    }
};

// Reads the settings from the store (whose root is the main key). Every missing or unreadable
// value, or group of values, falls back to its default without a word.
Settings LoadSettings(const QSettings& store);
// Writes every value of the save list. Returns false when the store cannot be written.
[[nodiscard]] bool SaveSettings(QSettings& store, const Settings& settings);
// The first-start values: whole-day curve hours, and the interval window's defaults in the
// number format of the chosen language.
void StoreFirstStartValues(QSettings& store, Settings& settings, Language language);

// The user's decimal separator from the system locale.
QString SystemDecimalSeparator();

} // namespace ondrel
