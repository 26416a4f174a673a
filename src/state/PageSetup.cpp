#include "state/PageSetup.h"

#include "state/PageSetupMessages.h"
#include "state/StoredValue.h"
#include "texts/Bilingual.h"

#include <QSettings>

#include <algorithm>
#include <array>
#include <optional>

namespace ondrel {

namespace {

const QString kGroup = QStringLiteral("impression");

// Margins are percentages of the paper, 0 to 100; the orientation flag means portrait when 1
// and landscape for anything else.
std::optional<int> ReadStoredInt(const QSettings& store, const QString& name) {
    const QString key = kGroup + QLatin1Char('/') + name;
    if (name == QLatin1String("portrait")) {
        const auto flag = ReadStoredInteger(store, key);
        if (!flag) return std::nullopt;
        return *flag == 1 ? 1 : 0;
    }
    return ReadStoredInteger(store, key, 0, 100);
}

const PageSetupMessages kTexts;

} // namespace

MarginEntry ReadMarginField(const QString& text) {
    if (text.isEmpty()) return {};
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 100) return {MarginEntry::Kind::Invalid, 0};
    return {MarginEntry::Kind::Value, n};
}

QRect PreviewPrintableArea(const QRect& page, const PageMargins& m) {
    const int L = page.left(), T = page.top(), W = page.width(), H = page.height();
    const int left = L + W * m.left / 100;
    const int top = T + H * m.top / 100;
    const int height = m.top + m.bottom <= 100 ? (100 - m.top - m.bottom) * H / 100 : 0;
    const int width = m.left + m.right <= 100 ? (100 - m.left - m.right) * W / 100 : 0;
    return {left, top, width, height};
}

QRectF PrintableArea(const QRectF& page, const PageMargins& m) {
    // Opposite margins that leave nothing of the page are not applied: a print of nothing would
    // only waste a sheet.
    const bool horizontal = m.left + m.right < 100;
    const bool vertical = m.top + m.bottom < 100;
    const double w = page.width(), h = page.height();
    const double left = page.left() + (horizontal ? w * m.left / 100.0 : 0.0);
    const double top = page.top() + (vertical ? h * m.top / 100.0 : 0.0);
    const double width = horizontal ? w * (100 - m.left - m.right) / 100.0 : w;
    const double height = vertical ? h * (100 - m.top - m.bottom) / 100.0 : h;
    return {left, top, width, height};
}

QSize PreviewPageSize(bool portrait) {
    return portrait ? QSize(40, 50) : QSize(60, 40);
}

PageSettings LoadPageSetup(const QSettings& store) {
    PageSettings s;
    std::array<int*, 4> targets{&s.margins.left, &s.margins.right, &s.margins.top,
                                &s.margins.bottom};
    const std::array<QString, 4> names{QStringLiteral("marge_g"), QStringLiteral("marge_d"),
                                       QStringLiteral("marge_h"), QStringLiteral("marge_b")};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto v = ReadStoredInt(store, names[i]);
        if (!v) return s;
        *targets[i] = *v;
    }
    if (const auto p = ReadStoredInt(store, QStringLiteral("portrait"))) s.portrait = *p;
    return s;
}

PageSettings LoadPrintSettings(const QSettings& store) {
    PageSettings s;
    s.portrait = 1;
    if (!store.childGroups().contains(kGroup)) return s;
    s.margins.left = ReadStoredInt(store, QStringLiteral("marge_g")).value_or(0);
    s.margins.right = ReadStoredInt(store, QStringLiteral("marge_d")).value_or(0);
    s.margins.top = ReadStoredInt(store, QStringLiteral("marge_h")).value_or(0);
    s.margins.bottom = ReadStoredInt(store, QStringLiteral("marge_b")).value_or(0);
    s.portrait = ReadStoredInt(store, QStringLiteral("portrait")).value_or(1);
    return s;
}

void StorePageSetup(QSettings& store, const PageSettings& s) {
    store.beginGroup(kGroup);
    store.setValue(QStringLiteral("marge_g"), s.margins.left);
    store.setValue(QStringLiteral("marge_d"), s.margins.right);
    store.setValue(QStringLiteral("marge_h"), s.margins.top);
    store.setValue(QStringLiteral("marge_b"), s.margins.bottom);
    store.setValue(QStringLiteral("portrait"), s.portrait);
    store.endGroup();
    store.sync();
}

QString MarginRangeMessage(Language language) {
    return kTexts.marginRange.in(language);
}

QString OrientationMessage(Language language, bool portrait) {
    return (portrait ? kTexts.portrait : kTexts.landscape).in(language);
}

} // namespace ondrel
