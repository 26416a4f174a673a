// The installed tree: cmake --install into a temporary prefix puts every file where a desktop
// looks for it, and the installed programs find their table and help there.
#include "GuiTestSupport.h"

#include "app/DesktopWindows.h"
#include "rules/HelpTopics.h"
#include "views/help/HelpWindow.h"
#include "views/main/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

namespace ondrel::test {
namespace {

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

Finished RunProgram(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& env, const QString& workDir) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(program, arguments);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class InstallTest : public GuiTest {};

TEST_F(InstallTest, TheInstalledTreeIsCompleteAndItsProgramsFindTheirData) {
    const QString prefix = QDir(temp->path()).filePath(QStringLiteral("prefix"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("HOME"), QDir(temp->path()).filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               QDir(temp->path()).filePath(QStringLiteral("data")));
    const Finished install =
        RunProgram(QStringLiteral("cmake"),
                   {QStringLiteral("--install"), QStringLiteral(ONDREL_BUILD_DIR),
                    QStringLiteral("--prefix"), prefix},
                   env, workDir());
    ASSERT_EQ(install.status, 0) << install.err.toStdString();

    const char* files[] = {"bin/ondrel",
                           "bin/ondrel-cli",
                           "share/ondrel/ports.dbf",
                           "share/ondrel/ports.tags",
                           "share/ondrel/harmonics.bin",
                           "share/ondrel/currents.json",
                           "share/ondrel/help/ondrel.qhc",
                           "share/ondrel/help/ondrel-fr.qch",
                           "share/ondrel/help/ondrel-en.qch",
                           "share/applications/org.ondrel.Ondrel.desktop",
                           "share/metainfo/org.ondrel.Ondrel.metainfo.xml",
                           "share/icons/hicolor/scalable/apps/org.ondrel.Ondrel.svg",
                           "share/icons/hicolor/256x256/apps/org.ondrel.Ondrel.png",
                           "share/man/man1/ondrel-cli.1.gz",
                           "share/man/man1/ondrel.1.gz",
                           "share/doc/ondrel/copyright"};
    const QDir root(prefix);
    for (const char* file : files)
        EXPECT_TRUE(QFileInfo(root.filePath(QString::fromLatin1(file))).isFile()) << file;
    EXPECT_EQ(QImage(root.filePath(
                         QStringLiteral("share/icons/hicolor/48x48/apps/org.ondrel.Ondrel.png")))
                  .size(),
              QSize(48, 48));

    // The installed command-line program finds the shipped table from an empty folder.
    const Finished day = RunProgram(root.filePath(QStringLiteral("bin/ondrel-cli")),
                                    {QStringLiteral("day"), QStringLiteral("BREST"),
                                     QStringLiteral("--date"), QStringLiteral("2026-12-07")},
                                    env, workDir());
    EXPECT_EQ(day.status, 0) << day.err.toStdString();
    EXPECT_TRUE(day.out.contains(QStringLiteral("Pleine mer"))) << day.out.toStdString();

    // The full model and the legal time read the harmonic data installed beside the table, copied
    // into the user's folder with it: without it, each says so on standard error.
    const std::pair<QStringList, const char*> fromTheData[] = {
        {{QStringLiteral("--model"), QStringLiteral("full")}, "\"model\": \"full\""},
        {{QStringLiteral("--ref"), QStringLiteral("legal")}, "\"zone\": \"Europe/Paris\""}};
    for (const auto& [options, expected] : fromTheData) {
        const Finished run = RunProgram(
            root.filePath(QStringLiteral("bin/ondrel-cli")),
            QStringList{QStringLiteral("day"), QStringLiteral("BREST"), QStringLiteral("--json")} +
                options,
            env, workDir());
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString()) << options.join(u' ').toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(expected))) << run.out.toStdString();
    }
    // The desktop program, on the table the installed program copied for the user, predicts
    // with the full model when the options choose it.
    ResetState();
    store()->setValue("dernier_port", QStringLiteral("BREST"));
    store()->setValue("modele_prediction", 1);
    {
        DesktopWindows desktop(state, boxes);
        desktop.main().acceptWarning();
        EXPECT_EQ(state.prediction.chosen(), PredictionModel::Full);
        EXPECT_FALSE(state.prediction.fellBack()) << state.prediction.reason().toStdString();
        EXPECT_GT(state.prediction.constituentCount(), 21);
    }

    // The installed desktop program finds its help collection, and the collection opens.
    const QString collection = HelpCollectionFile(root.filePath(QStringLiteral("bin")));
    EXPECT_EQ(collection, QFileInfo(root.filePath(QStringLiteral("share/ondrel/help/ondrel.qhc")))
                              .canonicalFilePath());
    state.settings.chosenLanguage = Language::English;
    HelpWindow help(state.settings);
    ASSERT_TRUE(help.open(collection));
    help.showTopic(kHelpTideTable);
    EXPECT_TRUE(help.currentPage().toString().endsWith(QStringLiteral("/Annuaire_a.htm")));
    help.close();

    // Without a display it says so in one line and points to ondrel-cli.
    const Finished noDisplay =
        RunProgram(root.filePath(QStringLiteral("bin/ondrel")), {}, env, workDir());
    EXPECT_EQ(noDisplay.status, 1);
    EXPECT_EQ(noDisplay.err.count(u'\n'), 1) << noDisplay.err.toStdString();
    EXPECT_TRUE(noDisplay.err.contains(QStringLiteral("ondrel-cli")));

    // The desktop's own checks, where they are installed.
    const std::pair<const char*, QStringList> validators[] = {
        {"desktop-file-validate",
         {root.filePath(QStringLiteral("share/applications/org.ondrel.Ondrel.desktop"))}},
        {"appstreamcli",
         {QStringLiteral("validate"), QStringLiteral("--no-net"),
          root.filePath(QStringLiteral("share/metainfo/org.ondrel.Ondrel.metainfo.xml"))}},
    };
    for (const auto& [tool, arguments] : validators) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (path.isEmpty()) continue;
        const Finished check = RunProgram(path, arguments, env, workDir());
        EXPECT_EQ(check.status, 0)
            << tool << ": " << check.out.toStdString() << check.err.toStdString();
    }
}

} // namespace
} // namespace ondrel::test
