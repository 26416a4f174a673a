// The picture program ondrel-cli-png, installed beside ondrel-cli, draws what needs QtGui: the
// values go to its standard input, its messages to our standard error, and its exit code is ours.
#include "Commands.h"

#include "Curve.h"
#include "DateNames.h"
#include "Output.h"
#include "TableLocation.h"
#include "TideTableText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <stdexcept>

namespace ondrel::cli {

namespace {

// Runs ondrel-cli-png with arguments, input on its standard input; its exit code is ours.
int RunPictureProgram(const QStringList& arguments, const std::string& input) {
    // QProcess wants the application object the other commands do without.
    static int argc = 1;
    static char name[] = "ondrel-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) application = std::make_unique<QCoreApplication>(argc, argv);
    const QString program = QDir(ProgramDirectory()).filePath(QStringLiteral("ondrel-cli-png"));
    if (!QFileInfo(program).isExecutable())
        throw UsageError{"this ondrel-cli was built without its picture program (--png, --pdf)"};
    QProcess drawer;
    drawer.setProcessChannelMode(QProcess::ForwardedChannels);
    drawer.start(program, arguments);
    drawer.write(input.data(), static_cast<qint64>(input.size()));
    drawer.closeWriteChannel();
    if (!drawer.waitForFinished(-1) || drawer.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error(program.toStdString() + ": " + drawer.errorString().toStdString());
    return drawer.exitCode();
}

} // namespace

int DrawPicture(const Options& o, const PortRecord& port, const std::vector<CurvePoint>& points) {
    const bool english = o.language == Language::English;
    // The date as the main window writes it, with the program's own day and month names.
    const QString date = FormatLongDate(o.date, DateNames::Of(o.language));
    std::string samples;
    for (const CurvePoint& p : points)
        samples += Real17(p.x) + " " + Real17(p.y) + "\n";
    return RunPictureProgram({o.png,
                              QStringLiteral("%1x%2").arg(o.size.width()).arg(o.size.height()),
                              o.spanDays == 1 ? QStringLiteral("day") : QStringLiteral("span"),
                              english ? QStringLiteral("en") : QStringLiteral("fr"),
                              QString::fromStdString(port.name), date},
                             samples);
}

// The tide table's month pages as a PDF, drawn by the picture program from the days' values.
int DrawTablePages(const Options& o, const TideTableRequest& request) {
    std::string days;
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
        days += day.date.toString(Qt::ISODate).toStdString() + (day.day.morning ? " 1" : " 0") +
                (day.day.evening ? " 1 " : " 0 ") + std::to_string(day.coefficients.morning) + " " +
                std::to_string(day.coefficients.evening) + " " +
                std::to_string(day.day.events.size());
        for (const TideEvent& e : day.day.events)
            days += e.empty() ? std::string(" - -") : " " + Real17(e.time) + " " + Real17(e.height);
        days += "\n";
    });
    const PortRecord& port = request.port;
    return RunPictureProgram(
        {QStringLiteral("--table-pdf"), o.pdf,
         o.letter ? QStringLiteral("letter") : QStringLiteral("a4"),
         o.language == Language::English ? QStringLiteral("en") : QStringLiteral("fr"),
         o.unit == HeightUnit::Feet ? QStringLiteral("ft") : QStringLiteral("m"),
         QStringLiteral("9"), QString::fromStdString(port.name),
         QString::fromStdString(port.latitude) + QStringLiteral("   ") +
             QString::fromStdString(port.longitude),
         PageTimeReferenceLine(request), PageHeightsLine(request)},
        days);
}

} // namespace ondrel::cli
