#include "state/Settings.h"

#include "state/FirstValueTexts.h"
#include "state/StoredValue.h"
#include "texts/Bilingual.h"

#include <QLocale>
#include <QSettings>

#include <cmath>

namespace ondrel {

namespace {

std::optional<double> ReadReal(const QSettings& store, const QString& name) {
    const QVariant value = store.value(name);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number)) return std::nullopt;
    return number;
}

// Country flags are stored as 0 or 1; anything else reads as set.
bool ReadFlag(const QSettings& store, const QString& name) {
    const QString text = store.value(name).toString().trimmed().toLower();
    return !(text == u"0" || text == u"false");
}

const FirstValueTexts kTexts;

const QString kPredictionKey = QStringLiteral("modele_prediction");
const QString kSpeedUnitKey = QStringLiteral("unite_courant");
const QString kStationKey = QStringLiteral("dernier_courant");

} // namespace

Settings LoadSettings(const QSettings& store) {
    Settings s;
    if (store.allKeys().isEmpty()) return s; // no main key yet: every default

    s.chosenLanguage = LanguageOf(store.value(QStringLiteral("langue")).toString());

    const auto fond = ReadStoredInteger(store, QStringLiteral("couleur_fond"));
    const auto trace = ReadStoredInteger(store, QStringLiteral("couleur_trace"));
    if (fond && trace && *fond != 0 && *fond > 0 && *fond <= 0xFFFFFF && *trace >= 0 &&
        *trace <= 0xFFFFFF) {
        s.backgroundColour = static_cast<quint32>(*fond);
        s.curveColour = static_cast<quint32>(*trace);
    }

    s.lastPortName =
        store.value(QStringLiteral("dernier_port")).toString().left(kLastPortNameLength);

    // Clamped first: a huge stored number must not wrap round to a valid code.
    if (const auto code = ReadStoredInteger(store, QStringLiteral("heure_service"), -1, 1000);
        code && TimeReference(*code).isValid())
        s.timeReference = TimeReference(*code);

    // Only 3 means feet; 0, a missing value or anything unknown gives metres.
    if (const auto unit = ReadStoredInteger(store, QStringLiteral("coef unite"));
        unit && *unit == 3)
        s.heightUnit = HeightUnit::Feet;

    const auto start = ReadReal(store, QStringLiteral("heure_debut"));
    const auto end = ReadReal(store, QStringLiteral("heure_fin"));
    if (start && end && *start >= 0 && *start < 1.0 && *end < 2.0 && *start < *end) {
        s.curveStart = *start;
        s.curveEnd = *end;
    }

    if (const auto size = ReadStoredInteger(store, QStringLiteral("TailleImpression"));
        size && *size >= 5 && *size <= 24)
        s.printFontSize = static_cast<int>(*size);

    if (const auto b = ReadStoredBounds(store, QStringLiteral("P"), 0))
        s.bounds = WindowBounds{b->top(), b->left(), b->width(), b->height()};

    for (int n = 1; n <= kCountryCount; ++n)
        s.countrySelected[n] = ReadFlag(store, QString::number(n));

    s.hideOnQuit = ReadStoredInteger(store, QStringLiteral("icone")) == 1;
    // Only 1 chooses the full harmonics; anything else keeps the table model.
    if (ReadStoredInteger(store, kPredictionKey) == 1) s.prediction = PredictionModel::Full;
    // Only 2 means metres per second.
    if (ReadStoredInteger(store, kSpeedUnitKey) == 2) s.speedUnit = SpeedUnit::MetresPerSecond;
    s.lastStationId = store.value(kStationKey).toString().left(kLastPortNameLength);
    return s;
}

bool SaveSettings(QSettings& store, const Settings& s) {
    store.setValue(QStringLiteral("langue"), StoredLanguage(s.chosenLanguage));
    store.setValue(QStringLiteral("couleur_fond"), static_cast<qint64>(s.backgroundColour));
    store.setValue(QStringLiteral("couleur_trace"), static_cast<qint64>(s.curveColour));
    store.setValue(QStringLiteral("dernier_port"), s.lastPortName);
    store.setValue(QStringLiteral("heure_service"), s.timeReference.code());
    store.setValue(QStringLiteral("coef unite"), s.heightUnit == HeightUnit::Feet ? 3 : 1);
    store.setValue(QStringLiteral("TailleImpression"), s.printFontSize);
    if (s.bounds) {
        store.setValue(QStringLiteral("P_top"), s.bounds->top);
        store.setValue(QStringLiteral("P_left"), s.bounds->left);
        store.setValue(QStringLiteral("P_width"), s.bounds->width);
        store.setValue(QStringLiteral("P_height"), s.bounds->height);
    }
    store.setValue(QStringLiteral("heure_debut"), s.curveStart);
    store.setValue(QStringLiteral("heure_fin"), s.curveEnd);
    store.setValue(QStringLiteral("icone"), s.hideOnQuit ? 1 : 0);
    // The table model leaves no key: the store of a user who never chose stays as it was.
    if (s.prediction == PredictionModel::Full)
        store.setValue(kPredictionKey, 1);
    else
        store.remove(kPredictionKey);
    // Knots, and a tide port shown last, leave no key either.
    if (s.speedUnit == SpeedUnit::MetresPerSecond)
        store.setValue(kSpeedUnitKey, 2);
    else
        store.remove(kSpeedUnitKey);
    if (!s.lastStationId.isEmpty())
        store.setValue(kStationKey, s.lastStationId);
    else
        store.remove(kStationKey);
    for (int n = 1; n <= kCountryCount; ++n)
        store.setValue(QString::number(n), s.countrySelected[n] ? 1 : 0);
    store.sync();
    return store.status() == QSettings::NoError;
}

void StoreFirstStartValues(QSettings& store, Settings& settings, Language l) {
    settings.curveStart = 0.0;
    settings.curveEnd = 1.0;
    store.setValue(QStringLiteral("H_sondeur"), kTexts.reading.in(l));
    store.setValue(QStringLiteral("H_souhait"), kTexts.wanted.in(l));
    store.setValue(QStringLiteral("Heure_enregistree"), QStringLiteral("12:00"));
    store.sync();
}

QString SystemDecimalSeparator() {
    return QLocale::system().decimalPoint();
}

} // namespace ondrel
