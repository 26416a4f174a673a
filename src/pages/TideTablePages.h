// The tide table as a sailor prints it: one month a page (A4 or US Letter, portrait), the days in
// two columns, each day a block of two lines that no page splits: its morning half (slots 1 and 2
// and the morning coefficient) and its evening half. A header names the port, its position and the
// month; the foot gives the time reference. Events the filter removed are left blank. The same
// painting serves the screen, the printer and PDF files.
#pragma once

#include "engine/Language.h"
#include "texts/TideTableText.h"

#include <QDate>
#include <QPageSize>
#include <QString>

#include <vector>

class QPainter;
class QPagedPaintDevice;
class QRectF;

namespace ondrel {

struct TideTablePageHeader {
    QString port;
    QString position;      // "48 23 N   004 30 W"
    QString timeReference; // the table's time reference (PageTimeReferenceLine)
    QString heights;       // their unit, datum and model (PageHeightsLine)
};

// The header of a table's pages.
TideTablePageHeader PageHeaderOf(const TideTableRequest& request);

struct TideTablePageOptions {
    Language language = Language::French;
    HeightUnit unit = HeightUnit::Metres;
    int pointSize = 9; // of the days' lines; the header is larger
};

// The days of one month of a table, in order.
struct TideTableMonth {
    int year = 0;
    int month = 0;
    std::vector<TideTableDay> days;
};

// The table's days grouped by month (a range that starts or ends inside a month gives a page with
// those days only).
std::vector<TideTableMonth> MonthsOf(const std::vector<TideTableDay>& days);

// Paints one month within page (in the painter's coordinates); the text scales with the page so
// that the layout is the same on screen and on paper.
void PaintMonthPage(QPainter& painter, const QRectF& page, const TideTableMonth& month,
                    const TideTablePageHeader& header, const TideTablePageOptions& options);

// Every month on its own page of device (a printer or a PDF writer), portrait.
void PaintTideTablePages(QPagedPaintDevice& device, const std::vector<TideTableMonth>& months,
                         const TideTablePageHeader& header, const TideTablePageOptions& options);

// The pages as a PDF file on paper of pageSize (A4 or Letter), written under a temporary name and
// renamed; "" or the reason it could not be written.
QString WriteTideTablePdf(const QString& file, const std::vector<TideTableMonth>& months,
                          const TideTablePageHeader& header, const TideTablePageOptions& options,
                          QPageSize::PageSizeId pageSize = QPageSize::A4);

} // namespace ondrel
