// ondrel-cli-png: draws the water-height chart for `ondrel-cli curve --png`, which runs it so that
// ondrel-cli itself needs QtCore only. Arguments: FILE WxH day|span fr|en PORT DATE; the curve's
// "x y" points on standard input. Messages and exit codes are ondrel-cli's.
#include "CurveImage.h"

#include <QApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
#if defined(SIGXFSZ)
    // A picture past the file-size limit fails with its reason, and leaves no file behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    ondrel::UseOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
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
    if (!error.isEmpty()) {
        std::fprintf(stderr, "ondrel-cli: %s: %s\n", args[1].toStdString().c_str(),
                     error.toStdString().c_str());
        return 1;
    }
    return 0;
}
