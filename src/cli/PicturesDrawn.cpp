// ondrel-cli-png: the same program as ondrel-cli, run by it with the same arguments, that draws
// the pictures itself (the chart of `curve --png`, the month pages of `table --pdf`) with the
// libraries ondrel-cli does without. Messages and exit codes are ondrel-cli's.
#include "cli/Commands.h"

#include "chart/CurveImage.h"
#include "pages/TideTablePages.h"
#include "texts/DateNames.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace ondrel::cli {

namespace {

QtMessageHandler systemHandler = nullptr;

// Qt's complaint that a session without XDG_RUNTIME_DIR (a cron job, ssh) has none says nothing
// about the picture: it is left out; every other message is the system handler's.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    systemHandler(type, context, message);
}

// The application object the drawing needs, for the time of the drawing; offscreen without a
// display.
std::unique_ptr<QApplication> DrawingApplication() {
    static int argc = 1;
    static char name[] = "ondrel-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return {};
    UseOffscreenWithoutDisplay();
    systemHandler = qInstallMessageHandler(QuietHandler);
    return std::make_unique<QApplication>(argc, argv);
}

int Fail(const QString& file, const QString& reason) {
    std::fprintf(stderr, "ondrel-cli: %s: %s\n", file.toStdString().c_str(),
                 reason.toStdString().c_str());
    return 1;
}

} // namespace

int DrawPicture(const Options& o, const PortRecord& port, const std::vector<CurvePoint>& points,
                const std::function<double(double)>& clock) {
    const auto application = DrawingApplication();
    // The date as the main window writes it, with the program's own day and month names.
    const QString date = FormatLongDate(o.date, DateNames::Of(o.language));
    const QString error = WriteCurvePicture(
        points, o.spanDays == 1 ? CurveView::Day : CurveView::Span,
        {QString::fromStdString(port.name), date}, o.size, o.png, o.language, clock);
    return error.isEmpty() ? 0 : Fail(o.png, error);
}

int DrawTablePages(const Options& o, const TideTableRequest& request) {
    const auto application = DrawingApplication();
    std::vector<TideTableDay> days;
    ForEachTideTableDay(request,
                        [&](const TideTableDay& day, const QStringList&) { days.push_back(day); });
    TideTablePageOptions options;
    options.language = o.language;
    options.unit = o.unit;
    options.pointSize = 9;
    const QString error = WriteTideTablePdf(o.pdf, MonthsOf(days), PageHeaderOf(request), options,
                                            o.letter ? QPageSize::Letter : QPageSize::A4);
    return error.isEmpty() ? 0 : Fail(o.pdf, error);
}

} // namespace ondrel::cli
