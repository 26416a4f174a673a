// The curve window's colours, and what it hands out: the clipboard, the picture file, the print.
#include "views/curve/CurveWindow.h"

#include "chart/CurveImage.h"
#include "engine/Julian.h"
#include "rules/HelpTopics.h"
#include "state/AppState.h"
#include "state/CurveWindowSettings.h"
#include "state/PageSetup.h"
#include "state/StoredColour.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "texts/DateNames.h"
#include "texts/DateTimeJulian.h"
#include "views/common/MessageBoxes.h"
#include "views/common/ScreenPlacement.h"
#include "views/curve/OutputTexts.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace ondrel {

namespace {

const OutputTexts kTexts;

} // namespace

void CurveWindow::chooseCurveColour() {
    const QColor c = QColorDialog::getColor(ColourOfStored(state_.settings.curveColour), this);
    if (c.isValid()) applyCurveColour(c);
}

void CurveWindow::applyCurveColour(const QColor& colour) {
    state_.settings.curveColour = StoredOfColour(colour);
    emit state_.settingsEvents.curveColoursChanged();
}

void CurveWindow::chooseBackgroundColour() {
    const QColor c = QColorDialog::getColor(ColourOfStored(state_.settings.backgroundColour), this);
    if (c.isValid()) applyBackgroundColour(c);
}

void CurveWindow::applyBackgroundColour(const QColor& colour) {
    state_.settings.backgroundColour = StoredOfColour(colour);
    emit state_.settingsEvents.curveColoursChanged();
}

void CurveWindow::restoreDefaultColours() {
    state_.settings.backgroundColour = kDefaultBackgroundColour;
    state_.settings.curveColour = kDefaultLineColour;
    emit state_.settingsEvents.curveColoursChanged();
}

void CurveWindow::copyToClipboard() {
    const QSize size = view_->size();
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), CurveSvg(chart_->data(), size, windowTitle()));
    mime->setImageData(CurveBitmap(chart_->data(), size));
    QApplication::clipboard()->setMimeData(mime);
    messages_.information(this, kTexts.copied.in(state_.settings.language()));
}

void CurveWindow::saveImageAs() {
    QString file =
        QFileDialog::getSaveFileName(this, QString(), QStringLiteral("courbe.bmp"),
                                     QStringLiteral("image (*.bmp);;tous fichiers (*.*)"));
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".bmp");
    saveImage(file);
}

bool CurveWindow::saveImage(const QString& file) {
    const QString error = WriteCurveImage(chart_->data(), view_->size(), file);
    if (error.isEmpty()) return true;
    messages_.information(this, file + QStringLiteral("\n") + error);
    return false;
}

void CurveWindow::printChart() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    // The printer, the copies and the range only: margins and orientation are the page settings'.
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, false);
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(*printer_);
}

void CurveWindow::printTo(QPrinter& printer) {
    const auto store = state_.settingsStore.open();
    const PageSettings page = LoadPrintSettings(*store);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The print has its own copy of the chart: the screen keeps its colours throughout.
    const CurveData data =
        PrintedCurve(chart_->data(), printBlackAndWhite_ && printBlackAndWhite_());

    const QPageLayout::Orientation saved = printer.pageLayout().orientation();
    printer.setPageOrientation(page.portrait == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    printer.setFullPage(true);
    {
        QPainter painter(&printer);
        const QRectF paper = printer.pageLayout().fullRectPixels(printer.resolution());
        const QRectF area = PrintableArea(paper, page.margins);
        // Laid out in points, so that the texts keep their size on paper.
        const double scale = printer.resolution() / 72.0;
        RenderCurve(data, painter, area, area.size() / scale);
    }
    printer.setPageOrientation(saved);
    QApplication::restoreOverrideCursor();
}

} // namespace ondrel
