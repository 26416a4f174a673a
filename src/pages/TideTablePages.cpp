#include "TideTablePages.h"

#include "DateNames.h"
#include "Report.h"
#include "TideTablePageTexts.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>

#include <algorithm>
#include <cstdio>

namespace ondrel {

namespace {

// The page is laid out in points (1/72 inch) on its paper and scaled to wherever it is painted.
constexpr double kA4Width = 595.3;
constexpr double kLetterWidth = 612;
constexpr double kSide = 42;   // left and right margins, about 15 mm
constexpr double kEnd = 36;    // top and bottom margins
constexpr double kGutter = 22; // between the two columns
constexpr double kPad = 7;     // between the cells of a line

constexpr TideTablePageTexts kTexts;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Capitalized(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

QFont Font(double size, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(size))); // pixels of the page's points
    font.setBold(bold);
    return font;
}

// The texts of one half-day: its events (kind, time, height; empty when none) and its
// coefficient (empty when the half was filtered out).
struct Half {
    std::vector<QString> kind, time, height;
    QString coefficient;
};

// The events of the morning half (0) or of the evening half (1) of a day, as indices.
std::pair<std::size_t, std::size_t> HalfRange(const TideTableDay& day, int half) {
    const std::size_t n = day.day.events.size();
    const std::size_t morning = std::min(n, MorningEventCount(n));
    return half == 0 ? std::pair{std::size_t{0}, morning} : std::pair{morning, n};
}

// The most events a half-day of the month holds: two, or three or four in a month whose days
// have five tides or more.
int EventsPerHalf(const TideTableMonth& month) {
    std::size_t most = 2;
    for (const TideTableDay& day : month.days)
        for (int half = 0; half < 2; ++half) {
            const auto [first, end] = HalfRange(day, half);
            most = std::max(most, end - first);
        }
    return static_cast<int>(most);
}

Half HalfOf(const TideTableDay& day, int half, const TideTablePageOptions& options) {
    Half h;
    const long double factor = UnitFactor(options.unit);
    const auto [first, end] = HalfRange(day, half);
    for (std::size_t i = first; i < end; ++i) {
        const TideEvent& e = day.day.events[i];
        h.kind.emplace_back();
        h.time.emplace_back();
        h.height.emplace_back();
        if (e.empty()) continue;
        h.kind.back() = Text((e.isHighWater() ? kTexts.high : kTexts.low).In(options.language));
        h.time.back() = QString::fromStdString(FormatEventTime(e.time));
        h.height.back() =
            QString::fromStdString(FormatHeight(static_cast<double>(factor * e.height)));
    }
    const bool written = half == 0 ? day.day.morning : day.day.evening;
    if (written)
        h.coefficient =
            QString::number(half == 0 ? day.coefficients.morning : day.coefficients.evening);
    return h;
}

// The widths of the cells of a line, measured on the widest text each takes in this month and
// language, so that no text ever reaches into the next cell.
struct Cells {
    int events = 2; // per half-day line
    double date = 0, kind = 0, time = 0, height = 0, coefficient = 0;
    // One event's cells and the space after each, as DrawDay places them.
    double event() const { return kind + time + height + 4 * kPad; }
    double line() const { return date + kPad + events * event() + coefficient; }
};

Cells Measure(const TideTableMonth& month, const DateNames& names,
              const TideTablePageOptions& options, double size) {
    const QFontMetricsF plain(Font(size)), bold(Font(size, true));
    Cells c;
    c.events = EventsPerHalf(month);
    for (const QString& day : names.shortDays)
        c.date = std::max(c.date, bold.horizontalAdvance(day + QStringLiteral(" 00")));
    for (const TextPair& kind : {kTexts.high, kTexts.low})
        c.kind = std::max(c.kind, bold.horizontalAdvance(Text(kind.In(options.language))));
    c.time = plain.horizontalAdvance(QStringLiteral("00:00"));
    c.coefficient =
        std::max(bold.horizontalAdvance(QStringLiteral("000")),
                 plain.horizontalAdvance(Text(kTexts.coefficient.In(options.language))));
    for (const TideTableDay& day : month.days)
        for (int half = 0; half < 2; ++half) {
            const Half h = HalfOf(day, half, options);
            for (const QString& height : h.height)
                c.height = std::max(c.height, plain.horizontalAdvance(height));
        }
    c.height = std::max(c.height, plain.horizontalAdvance(QStringLiteral("00,00")));
    return c;
}

void DrawDay(QPainter& p, double x, double y, double lineHeight, const Cells& c,
             const TideTableDay& day, const DateNames& names, const TideTablePageOptions& options,
             double size) {
    const QFont plain = Font(size), bold = Font(size, true);
    const double ascent = QFontMetricsF(plain).ascent();
    const double baseline = (lineHeight - QFontMetricsF(plain).height()) / 2 + ascent;
    p.setFont(bold);
    p.drawText(QPointF(x, y + baseline),
               names.shortDays[day.date.dayOfWeek() % 7] + QLatin1Char(' ') +
                   QStringLiteral("%1").arg(day.date.day(), 2, 10, QLatin1Char('0')));
    for (int half = 0; half < 2; ++half) {
        const Half h = HalfOf(day, half, options);
        const double lineY = y + half * lineHeight + baseline;
        double at = x + c.date + kPad;
        for (std::size_t k = 0; k < h.kind.size(); ++k) {
            p.setFont(bold);
            p.drawText(QPointF(at, lineY), h.kind[k]);
            at += c.kind + kPad;
            p.setFont(plain);
            p.drawText(QPointF(at, lineY), h.time[k]);
            at += c.time + kPad;
            // Heights right-aligned, so that their commas line up.
            const double width = QFontMetricsF(plain).horizontalAdvance(h.height[k]);
            p.drawText(QPointF(at + c.height - width, lineY), h.height[k]);
            at += c.height + 2 * kPad;
        }
        at += (c.events - static_cast<int>(h.kind.size())) * c.event();
        p.setFont(bold);
        const double width = QFontMetricsF(bold).horizontalAdvance(h.coefficient);
        p.drawText(QPointF(at + c.coefficient - width, lineY), h.coefficient);
    }
}

} // namespace

std::vector<TideTableMonth> MonthsOf(const std::vector<TideTableDay>& days) {
    std::vector<TideTableMonth> months;
    for (const TideTableDay& day : days) {
        if (months.empty() || months.back().month != day.date.month() ||
            months.back().year != day.date.year())
            months.push_back({day.date.year(), day.date.month(), {}});
        months.back().days.push_back(day);
    }
    return months;
}

void PaintMonthPage(QPainter& painter, const QRectF& page, const TideTableMonth& month,
                    const TideTablePageHeader& header, const TideTablePageOptions& options) {
    const double width = page.height() / page.width() > 1.35 ? kA4Width : kLetterWidth;
    const double height = width * page.height() / page.width();
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(page.width() / width, page.height() / height);
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    painter.setPen(Qt::black);
    const DateNames names = DateNames::Of(options.language);

    // Header: the port, its position and the month.
    const double size = options.pointSize;
    double y = kEnd;
    painter.setFont(Font(size + 7, true));
    const double titleHeight = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(kSide, y, width - 2 * kSide, titleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, header.port);
    y += titleHeight;
    painter.setFont(Font(size + 4, true));
    const double monthHeight = QFontMetricsF(painter.font()).height();
    painter.drawText(
        QRectF(kSide, y, width - 2 * kSide, monthHeight), Qt::AlignRight | Qt::AlignVCenter,
        Capitalized(names.longMonth(month.month)) + QLatin1Char(' ') + QString::number(month.year));
    painter.setFont(Font(size + 1));
    painter.drawText(QRectF(kSide, y, width - 2 * kSide, monthHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, header.position);
    y += monthHeight + 4;
    painter.drawLine(QPointF(kSide, y), QPointF(width - kSide, y));
    y += 8;

    // Foot: the time reference.
    painter.setFont(Font(size));
    const double footHeight = QFontMetricsF(painter.font()).height();
    const double footTop = height - kEnd - footHeight;
    painter.drawLine(QPointF(kSide, footTop - 4), QPointF(width - kSide, footTop - 4));
    painter.drawText(QRectF(kSide, footTop, width - 2 * kSide, footHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, header.timeReference);

    // The days, in two columns; the font shrinks when the widest line or the longest column
    // would not fit (large print settings).
    const double column = (width - 2 * kSide - kGutter) / 2;
    const int perColumn = static_cast<int>((month.days.size() + 1) / 2);
    const double available = footTop - 12 - y;
    double body = size;
    Cells cells = Measure(month, names, options, body);
    double lineHeight = QFontMetricsF(Font(body)).height() * 1.15;
    for (int tries = 0;
         tries < 20 && (cells.line() > column || perColumn * lineHeight * 2.5 > available);
         ++tries) {
        body *= 0.93;
        cells = Measure(month, names, options, body);
        lineHeight = QFontMetricsF(Font(body)).height() * 1.15;
    }
    const double block = std::min(lineHeight * 3.0, perColumn > 0 ? available / perColumn : 0.0);
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        const int col = static_cast<int>(i) / std::max(perColumn, 1);
        const double x = kSide + col * (column + kGutter);
        const double top = y + (static_cast<int>(i) % std::max(perColumn, 1)) * block;
        const TideTableDay& day = month.days[i];
        if (day.date.dayOfWeek() == Qt::Sunday)
            painter.fillRect(QRectF(x - 3, top - 1, column + 6, 2 * lineHeight + 2),
                             QColor(232, 232, 232));
        DrawDay(painter, x, top, lineHeight, cells, day, names, options, body);
    }
    painter.restore();
}

void PaintTideTablePages(QPagedPaintDevice& device, const std::vector<TideTableMonth>& months,
                         const TideTablePageHeader& header, const TideTablePageOptions& options) {
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (i > 0) device.newPage();
        PaintMonthPage(painter, page, months[i], header, options);
    }
}

QString WriteTideTablePdf(const QString& file, const std::vector<TideTableMonth>& months,
                          const TideTablePageHeader& header, const TideTablePageOptions& options,
                          QPageSize::PageSizeId pageSize) {
    const QString partial = file + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setPageSize(QPageSize(pageSize));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Ondrel"));
        writer.setTitle(header.port);
        PaintTideTablePages(writer, months, header, options);
    }
    QFile written(partial);
    if (!written.exists() || written.size() == 0) {
        written.remove();
        return QStringLiteral("the PDF could not be written (the folder, or the disk)");
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(file).constData()) !=
        0) {
        written.remove();
        return QStringLiteral("the PDF cannot be renamed to %1").arg(file);
    }
    return {};
}

} // namespace ondrel
