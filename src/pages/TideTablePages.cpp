#include "pages/TideTablePages.h"

#include "engine/Report.h"
#include "pages/TideTablePageTexts.h"
#include "texts/DateNames.h"
#include "texts/WholeFile.h"

#include <QBuffer>
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

// One line of a day's block: up to two events (kind, time, height; empty when the filter removed
// the event) and the coefficient of the half it opens (empty on the half's other lines, or when
// the half was filtered out).
struct Row {
    std::vector<QString> kind, time, height;
    QString coefficient;
};

// A day's lines: its morning half, then its evening half, two events a line, a line at least
// each: the two lines of an ordinary day, more for a day of five tides or more.
std::vector<Row> RowsOf(const TideTableDay& day, const TideTablePageOptions& options) {
    if (!day.stream.empty()) {
        // A current station's events, two a line.
        std::vector<Row> rows;
        for (const StreamPageEntry& e : day.stream) {
            if (rows.empty() || rows.back().kind.size() == 2) rows.emplace_back();
            rows.back().kind.push_back(e.kind);
            rows.back().time.push_back(e.time);
            rows.back().height.push_back(e.speed);
        }
        return rows;
    }
    const long double factor = UnitFactor(options.unit);
    const std::size_t n = day.day.events.size();
    const std::size_t morning = std::min(n, MorningEventCount(n));
    std::vector<Row> rows;
    for (int half = 0; half < 2; ++half) {
        const std::size_t first = half == 0 ? 0 : morning;
        const std::size_t end = half == 0 ? morning : n;
        const bool written = half == 0 ? day.day.morning : day.day.evening;
        rows.emplace_back();
        if (written)
            rows.back().coefficient =
                QString::number(half == 0 ? day.coefficients.morning : day.coefficients.evening);
        for (std::size_t i = first; i < end; ++i) {
            if (rows.back().kind.size() == 2) rows.emplace_back();
            Row& row = rows.back();
            const TideEvent& e = day.day.events[i];
            row.kind.emplace_back();
            row.time.emplace_back();
            row.height.emplace_back();
            if (e.empty()) continue;
            row.kind.back() =
                Text((e.isHighWater() ? kTexts.high : kTexts.low).In(options.language));
            row.time.back() = QString::fromStdString(FormatEventTime(e.time));
            row.height.back() =
                QString::fromStdString(FormatHeight(static_cast<double>(factor * e.height)));
        }
    }
    return rows;
}

// The widths of the cells of a line, measured on the widest text each takes in this month and
// language, so that no text ever reaches into the next cell.
struct Cells {
    double date = 0, kind = 0, time = 0, height = 0, coefficient = 0;
    // One event's cells and the space after each, as DrawDay places them.
    double event() const { return kind + time + height + 4 * kPad; }
    double line() const { return date + kPad + 2 * event() + coefficient; }
};

Cells Measure(const TideTableMonth& month, const DateNames& names,
              const TideTablePageOptions& options, double size) {
    const QFontMetricsF plain(Font(size)), bold(Font(size, true));
    Cells c;
    for (const QString& day : names.shortDays)
        c.date = std::max(c.date, bold.horizontalAdvance(day + QStringLiteral(" 00")));
    for (const TextPair& kind : {kTexts.high, kTexts.low})
        c.kind = std::max(c.kind, bold.horizontalAdvance(Text(kind.In(options.language))));
    c.time = plain.horizontalAdvance(QStringLiteral("00:00"));
    c.coefficient =
        std::max(bold.horizontalAdvance(QStringLiteral("000")),
                 plain.horizontalAdvance(Text(kTexts.coefficient.In(options.language))));
    for (const TideTableDay& day : month.days)
        for (const Row& row : RowsOf(day, options)) {
            for (const QString& height : row.height)
                c.height = std::max(c.height, plain.horizontalAdvance(height));
            for (const QString& kind : row.kind)
                c.kind = std::max(c.kind, bold.horizontalAdvance(kind));
        }
    c.height = std::max(c.height, plain.horizontalAdvance(QStringLiteral("00,00")));
    return c;
}

void DrawDay(QPainter& p, double x, double y, double lineHeight, const Cells& c,
             const TideTableDay& day, const std::vector<Row>& rows, const DateNames& names,
             double size) {
    const QFont plain = Font(size), bold = Font(size, true);
    const double ascent = QFontMetricsF(plain).ascent();
    const double baseline = (lineHeight - QFontMetricsF(plain).height()) / 2 + ascent;
    p.setFont(bold);
    p.drawText(QPointF(x, y + baseline),
               names.shortDays[day.date.dayOfWeek() % 7] + QLatin1Char(' ') +
                   QStringLiteral("%1").arg(day.date.day(), 2, 10, QLatin1Char('0')));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const double lineY = y + static_cast<double>(r) * lineHeight + baseline;
        double at = x + c.date + kPad;
        for (std::size_t k = 0; k < row.kind.size(); ++k) {
            p.setFont(bold);
            p.drawText(QPointF(at, lineY), row.kind[k]);
            at += c.kind + kPad;
            p.setFont(plain);
            p.drawText(QPointF(at, lineY), row.time[k]);
            at += c.time + kPad;
            // Heights right-aligned, so that their commas line up.
            const double width = QFontMetricsF(plain).horizontalAdvance(row.height[k]);
            p.drawText(QPointF(at + c.height - width, lineY), row.height[k]);
            at += c.height + 2 * kPad;
        }
        at = x + c.date + kPad + 2 * c.event();
        p.setFont(bold);
        const double width = QFontMetricsF(bold).horizontalAdvance(row.coefficient);
        p.drawText(QPointF(at + c.coefficient - width, lineY), row.coefficient);
    }
}

} // namespace

TideTablePageHeader PageHeaderOf(const TideTableRequest& request) {
    return {QString::fromStdString(request.port.name),
            QString::fromStdString(request.port.latitude) + QStringLiteral("   ") +
                QString::fromStdString(request.port.longitude),
            PageTimeReferenceLine(request), PageHeightsLine(request)};
}

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
    // A long name takes a smaller print rather than losing its end.
    double titleSize = size + 7;
    while (titleSize > size &&
           QFontMetricsF(Font(titleSize, true)).horizontalAdvance(header.port) > width - 2 * kSide)
        titleSize *= 0.95;
    painter.setFont(Font(titleSize, true));
    const double titleHeight = QFontMetricsF(Font(size + 7, true)).height();
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

    // Foot: the time reference, and the heights' unit, datum and model.
    painter.setFont(Font(size));
    const double footLine = QFontMetricsF(painter.font()).height();
    const double footTop = height - kEnd - 2 * footLine;
    painter.drawLine(QPointF(kSide, footTop - 4), QPointF(width - kSide, footTop - 4));
    painter.drawText(QRectF(kSide, footTop, width - 2 * kSide, footLine),
                     Qt::AlignLeft | Qt::AlignVCenter, header.timeReference);
    painter.drawText(QRectF(kSide, footTop + footLine, width - 2 * kSide, footLine),
                     Qt::AlignLeft | Qt::AlignVCenter, header.heights);

    // The days, in two columns; the font shrinks when the widest line or the longest column
    // would not fit (large print settings, days of many tides).
    const double column = (width - 2 * kSide - kGutter) / 2;
    const std::size_t perColumn = (month.days.size() + 1) / 2;
    std::vector<std::vector<Row>> rows;
    double mostLines = 0; // of a column: the days' lines and half a line between days
    double columnLines[2] = {0, 0};
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        rows.push_back(RowsOf(month.days[i], options));
        columnLines[i / std::max<std::size_t>(perColumn, 1)] +=
            static_cast<double>(rows.back().size()) + 0.5;
    }
    mostLines = std::max(columnLines[0], columnLines[1]);
    const double available = footTop - 12 - y;
    double body = size;
    Cells cells = Measure(month, names, options, body);
    double lineHeight = QFontMetricsF(Font(body)).height() * 1.15;
    for (int tries = 0; tries < 20 && (cells.line() > column || mostLines * lineHeight > available);
         ++tries) {
        body *= 0.93;
        cells = Measure(month, names, options, body);
        lineHeight = QFontMetricsF(Font(body)).height() * 1.15;
    }
    double top = y;
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        const std::size_t col = i / std::max<std::size_t>(perColumn, 1);
        if (i % std::max<std::size_t>(perColumn, 1) == 0) top = y;
        const double x = kSide + static_cast<double>(col) * (column + kGutter);
        // A line between days, less when the column is full.
        const std::size_t days = col == 0 ? perColumn : month.days.size() - perColumn;
        const double linesOfDays = columnLines[col] - 0.5 * static_cast<double>(days);
        const double gap =
            std::min(lineHeight, std::max(0.0, (available - linesOfDays * lineHeight) /
                                                   std::max<double>(days, 1)));
        const TideTableDay& day = month.days[i];
        const double blockHeight = static_cast<double>(rows[i].size()) * lineHeight;
        // Sunday's shade stays within the column's margins.
        if (day.date.dayOfWeek() == Qt::Sunday)
            painter.fillRect(QRectF(x - 3, top - 1, column + 3, blockHeight + 2),
                             QColor(232, 232, 232));
        DrawDay(painter, x, top, lineHeight, cells, day, rows[i], names, body);
        top += blockHeight + gap;
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
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(pageSize));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Ondrel"));
        writer.setTitle(header.port);
        PaintTideTablePages(writer, months, header, options);
    }
    if (bytes.isEmpty()) return QStringLiteral("the PDF could not be drawn");
    // A failed write (a full disk, a file-size limit) leaves the old file as it was.
    return WriteWholeFile(file, bytes);
}

} // namespace ondrel
