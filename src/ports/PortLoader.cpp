#include "ports/PortLoader.h"

#include "ports/PortSelectionRules.h"

#include "ports/PortTable.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace ondrel {

namespace {

// The values a column may plausibly hold; anything else is damage, never a port to compute.
struct Plausible {
    double low, high;
    const char* unit;
};

constexpr Plausible kMeanLevel{-5000, 5000, "cm"};
constexpr Plausible kAmplitude{0, 20000, "mm"};
constexpr Plausible kPhase{0, 360, "degrees"};
constexpr Plausible kTimeCorrection{-24, 24, "hours"};
constexpr Plausible kTimeZone{-kMaxTimeZone, kMaxTimeZone, "hours"};
// A height correction is an amount in metres, or a factor written as 90 + factor.
constexpr Plausible kHeightAmount{-20, 20, "m"};
constexpr Plausible kHeightFactor{90, 100, "(90 + factor)"};

bool Within(double value, const Plausible& range) {
    return value >= range.low && value <= range.high;
}

[[noreturn]] void Refuse(const PortTable& table, const QString& port, PortColumn column,
                         const QString& what) {
    throw TableError(QStringLiteral("%1: port \"%2\": column %3 (%4) %5")
                         .arg(table.fileName(), port)
                         .arg(ColumnNumber(column))
                         .arg(PortColumnName(column), what)
                         .toStdString());
}

// Whether a field's text is a number at all: not blank, not the asterisks or NULs of a damaged
// field, which the table would read as 0.
bool Written(const QString& text) {
    QString t = text;
    t.remove(QChar(0));
    t = t.trimmed();
    if (t.isEmpty()) return false;
    bool digit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit()) {
            digit = true;
        } else if (!((c == u'-' || c == u'+') && i == 0) && c != u'.' && c != u',') {
            return false;
        }
    }
    return digit;
}

double Read(const PortTable& table, const QString& port, PortColumn column, bool integral) {
    // The harmonic constants (whole numbers) every port has; a blank correction is 0.
    if (integral && !Written(table.text(column)))
        Refuse(table, port, column,
               QStringLiteral("cannot be read (\"%1\")").arg(table.text(column).left(40)));
    try {
        return integral ? static_cast<double>(table.integer(column)) : table.real(column);
    } catch (const TableError&) {
        Refuse(table, port, column,
               QStringLiteral("cannot be read (\"%1\")").arg(table.text(column).left(40)));
    }
}

QString Describe(double value) {
    return QString::number(value, 'g', 10);
}

double Checked(const PortTable& table, const QString& port, PortColumn column, bool integral,
               const Plausible& range) {
    const double value = Read(table, port, column, integral);
    if (!Within(value, range))
        Refuse(table, port, column,
               QStringLiteral("holds %1, outside %2..%3 %4")
                   .arg(Describe(value), Describe(range.low), Describe(range.high),
                        QLatin1String(range.unit)));
    return value;
}

double HeightCorrection(const PortTable& table, const QString& port, PortColumn column) {
    const double value = Read(table, port, column, false);
    if (!Within(value, kHeightAmount) &&
        !(value > kHeightFactor.low && value <= kHeightFactor.high))
        Refuse(table, port, column,
               QStringLiteral("holds %1, neither an amount within ±20 m nor a factor "
                              "written 90 + factor up to 100")
                   .arg(Describe(value)));
    return value;
}

} // namespace

void Chargement(const PortTable& table, PortRecord& port, const LoaderMessage& message) {
    // Loaded into a copy, so that a refused row leaves the caller's record as it was.
    PortRecord loaded = port;
    const QString name = table.text(PortColumn::NOM);
    loaded.name = name.toStdString();
    loaded.meanLevel = Checked(table, name, PortColumn::Z0, true, kMeanLevel);
    loaded.latitude = table.text(PortColumn::LATITUDE).toStdString();
    loaded.longitude = table.text(PortColumn::LONGITUDE).toStdString();
    // A position reads exactly as the table writes it, or it is damage: never a text read as 0
    // degrees, a hemisphere dropped or 99 minutes.
    for (const PortColumn column : {PortColumn::LATITUDE, PortColumn::LONGITUDE}) {
        const QString text = table.text(column);
        if (!IsExactPosition(column == PortColumn::LATITUDE, text))
            Refuse(table, name, column,
                   QStringLiteral("cannot be read (\"%1\"), or is beyond %2 degrees")
                       .arg(text.left(40))
                       .arg(column == PortColumn::LATITUDE ? 90 : 180));
    }

    // The time zone is read as text and converted with the system's decimal separator.
    QString zoneText = table.text(PortColumn::FUSEAU);
    while (!zoneText.isEmpty() && zoneText.front() == u' ')
        zoneText.remove(0, 1);
    try {
        const qint64 zone = table.integer(PortColumn::ZONE);
        if (zone >= 0 && zone <= std::numeric_limits<std::int32_t>::max())
            loaded.zoneNumber = static_cast<std::int32_t>(zone);
        // Outside: as unreadable.
    } catch (const TableError&) {
        // An unreadable ZONE keeps the previous value, silently.
    }
    bool ok = false;
    const double timeZone = QLocale::system().toDouble(zoneText, &ok);
    // "nan", "inf" and zones beyond ±14 h fail like any text that is not a number.
    if (ok && Written(zoneText) && std::isfinite(timeZone) && std::fabs(timeZone) <= kMaxTimeZone)
        loaded.timeZone = timeZone;
    else if (message)
        message(QStringLiteral("Problème conversion fuseau"));

    auto& a = loaded.amplitude;
    auto& g = loaded.phase;
    // Stored constituents in column order (Sa Q1 O1 K1 N2 M2 S2 MN4 M4 MS4).
    for (int i = 0; i < 10; ++i) {
        a[kStoredConstituents[i]] = Checked(table, name, PortColumn::A_SA + i, true, kAmplitude);
        g[kStoredConstituents[i]] = Checked(table, name, PortColumn::G_SA + i, true, kPhase);
    }
    DeriveConstituents(loaded);

    auto& c = loaded.corrections;
    c[5] = HeightCorrection(table, name, PortColumn::HPMVE);
    c[6] = HeightCorrection(table, name, PortColumn::HPMME);
    c[7] = HeightCorrection(table, name, PortColumn::HBMVE);
    c[8] = HeightCorrection(table, name, PortColumn::HBMME);
    c[1] = Checked(table, name, PortColumn::TPMVE, false, kTimeCorrection);
    c[2] = Checked(table, name, PortColumn::TPMME, false, kTimeCorrection);
    c[3] = Checked(table, name, PortColumn::TBMVE, false, kTimeCorrection);
    c[4] = Checked(table, name, PortColumn::TBMME, false, kTimeCorrection);
    port = loaded;
}

void CheckRecord(const PortTable& table) {
    PortRecord scratch;
    Chargement(table, scratch, {});
    const QString name = table.text(PortColumn::NOM);
    const QString zone = table.text(PortColumn::FUSEAU);
    if (!Written(zone))
        Refuse(table, name, PortColumn::FUSEAU,
               QStringLiteral("cannot be read (\"%1\")").arg(zone.left(40)));
    Checked(table, name, PortColumn::FUSEAU, false, kTimeZone);
}

int CountryOfZone(qint64 zoneCode) {
    if (zoneCode <= 100) return static_cast<int>(zoneCode);
    return static_cast<int>(zoneCode % 1000);
}

} // namespace ondrel
