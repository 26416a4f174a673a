// ondrel-cli needs QtCore only: the pictures are drawn by ondrel-cli-png, installed beside it,
// which is the same program with the pictures' libraries, run with the same arguments. Its
// messages go to our standard error, and its exit code is ours.
#include "cli/Commands.h"

#include "ports/TableLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <stdexcept>

namespace ondrel::cli {

namespace {

int RunPictureProgram(const Options& o) {
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
    drawer.setInputChannelMode(QProcess::ForwardedInputChannel);
    drawer.start(program, o.arguments);
    if (!drawer.waitForFinished(-1) || drawer.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error(program.toStdString() + ": " + drawer.errorString().toStdString());
    return drawer.exitCode();
}

} // namespace

int DrawPicture(const Options& o, const PortRecord&, const std::vector<CurvePoint>&,
                const std::function<double(double)>&) {
    return RunPictureProgram(o);
}

int DrawTablePages(const Options& o, const TideTableRequest&) {
    return RunPictureProgram(o);
}

} // namespace ondrel::cli
