// ondrel-cli: the command-line companion. The same engine and port table as the desktop program,
// for people without a display, for scripts, and to check the engine. It needs QtCore only: the
// pictures of `curve --png` and `table --pdf` are drawn by ondrel-cli-png, installed beside it.
// This file reads the command line and hands it to the command (Commands.h).
#include "cli/Commands.h"
#include "cli/Output.h"
#include "ports/PortTable.h"

#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

using namespace ondrel;
using namespace ondrel::cli;

namespace {

using Command = int (*)(PortTable&, const Options&);

Command CommandNamed(const QString& name) {
    static const struct {
        const char* name;
        Command run;
    } commands[] = {{"ports", Ports},   {"day", Day},       {"curve", Curve},
                    {"sun", Sun},       {"now", Now},       {"table", Table},
                    {"import", Import}, {"export", Export}, {"currents", Currents}};
    for (const auto& c : commands)
        if (name == QLatin1String(c.name)) return c.run;
    return nullptr;
}

// Output that could not be written (a full disk behind a redirection) is a failure.
int Finished(int code) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "ondrel-cli: the output cannot be written: %s\n",
                     std::strerror(errno));
        return kTableFailure;
    }
    return code;
}

} // namespace

int main(int argc, char* argv[]) {
    // No QCoreApplication: a command reads files and writes text, and the application object
    // costs a start its event dispatcher and 0.8 MB. As it would, the program follows the
    // system's locale, and names itself for the user's folders. The picture commands make one
    // when they start the picture program (Pictures.cpp).
    std::setlocale(LC_ALL, "");
#if defined(SIGXFSZ)
    // Output past the file-size limit fails with its reason (Finished), as an import's writes do,
    // rather than ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("Ondrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Ondrel"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        const Options o = ParseArguments(arguments);
        if (o.command.isEmpty() || o.command == QLatin1String("help")) {
            Print(kUsage);
            return Finished(o.command.isEmpty() ? kBadArguments : 0);
        }
        const Command command = CommandNamed(o.command);
        if (!command)
            throw UsageError{"unknown command " + o.command.toStdString() + " (try --help)"};
        CheckOutputsOf(o);
        PortTable table;
        try {
            OpenTable(table, o);
        } catch (const TableError& e) {
            std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
            return kTableFailure;
        }
        return Finished(command(table, o));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.message.c_str());
        return kBadArguments;
    } catch (const TableError& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
        return kTableFailure;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
        return kTableFailure;
    } catch (...) {
        std::fprintf(stderr, "ondrel-cli: stopped by an error of unknown kind\n");
        return kTableFailure;
    }
}
