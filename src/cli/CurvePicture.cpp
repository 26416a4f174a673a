// ondrel-cli-png: draws the water-height chart for `ondrel-cli curve --png`, and the tide table's
// month pages for `ondrel-cli table --pdf`, which run it so that ondrel-cli itself needs QtCore
// only. Arguments: FILE WxH day|span fr|en PORT DATE, the curve's "x y" points on standard input;
// or --table-pdf FILE a4|letter fr|en m|ft POINTS PORT POSITION TIME-REFERENCE HEIGHTS, one line a
// day on standard input: DATE MORNING EVENING COEF COEF N and N "time height" pairs ("- -" for an
// event the filter removed). Messages and exit codes are ondrel-cli's.
#include "CurveImage.h"
#include "TideTablePages.h"

#include <QApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

namespace {

int Fail(const QString& file, const QString& reason) {
    std::fprintf(stderr, "ondrel-cli: %s: %s\n", file.toStdString().c_str(),
                 reason.toStdString().c_str());
    return 1;
}

// The tide table's days as ondrel-cli writes them for --table-pdf.
std::vector<ondrel::TideTableDay> ReadDays(const QByteArray& text) {
    std::vector<ondrel::TideTableDay> days;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 6 || f.size() != 6 + 2 * f[5].toInt()) continue;
        ondrel::TideTableDay day;
        day.date = QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate);
        day.day.morning = f[1] == "1";
        day.day.evening = f[2] == "1";
        day.coefficients = {f[3].toInt(), f[4].toInt()};
        for (qsizetype i = 6; i + 1 < f.size(); i += 2)
            day.day.events.push_back(f[i] == "-"
                                         ? ondrel::TideEvent{}
                                         : ondrel::TideEvent{f[i].toDouble(), f[i + 1].toDouble()});
        days.push_back(day);
    }
    return days;
}

int TablePdf(const QStringList& args) {
    if (args.size() != 11) return 2;
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return 1;
    ondrel::TideTablePageOptions options;
    options.language =
        args[4] == QLatin1String("en") ? ondrel::Language::English : ondrel::Language::French;
    options.unit =
        args[5] == QLatin1String("ft") ? ondrel::HeightUnit::Feet : ondrel::HeightUnit::Metres;
    options.pointSize = args[6].toInt();
    const QString error = ondrel::WriteTideTablePdf(
        args[2], ondrel::MonthsOf(ReadDays(input.readAll())), {args[7], args[8], args[9], args[10]},
        options, args[3] == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4);
    return error.isEmpty() ? 0 : Fail(args[2], error);
}

} // namespace

int main(int argc, char* argv[]) {
#if defined(SIGXFSZ)
    // A picture past the file-size limit fails with its reason, and leaves no file behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    ondrel::UseOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--table-pdf")) return TablePdf(args);
    const QStringList wh = args.value(2).split(QLatin1Char('x'));
    if (args.size() != 7 || wh.size() != 2) {
        std::fprintf(stderr, "ondrel-cli-png: run by ondrel-cli curve --png\n");
        return 2;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return 1;
    const QList<QByteArray> numbers = input.readAll().simplified().split(' ');
    std::vector<ondrel::CurvePoint> points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
        points.push_back({numbers[i].toDouble(), numbers[i + 1].toDouble()});
    const QString error = ondrel::WriteCurvePicture(
        points, args[3] == QLatin1String("day") ? ondrel::CurveView::Day : ondrel::CurveView::Span,
        {args[5], args[6]}, QSize(wh[0].toInt(), wh[1].toInt()), args[1],
        args[4] == QLatin1String("en") ? ondrel::Language::English : ondrel::Language::French);
    return error.isEmpty() ? 0 : Fail(args[1], error);
}
