#include "GuiTestSupport.h"

#include "TestPortTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <unistd.h>

namespace ondrel::test {

void WritePortTable(const QString& dir, const std::vector<TestPort>& ports) {
    std::vector<TestPortRow> rows;
    for (const TestPort& p : ports) {
        TestPortRow row;
        row.name = p.name;
        row.latitude = p.latitude;
        row.longitude = p.longitude;
        row.timeZone = p.timeZone;
        row.zone = p.zone;
        row.standardPort = p.portRef;
        row.corrections = p.corrections;
        rows.push_back(row);
    }
    WriteTestPortTable(QDir(dir).filePath(QStringLiteral("ports.dbf")), rows);
}

std::vector<TestPort> SmallPortList() {
    return {
        {QStringLiteral("ABERDEEN"), QStringLiteral("57 09 N"), QStringLiteral("002 05 W"), 0,
         2021},
        {QStringLiteral("BREST"), QStringLiteral("48 23 N"), QStringLiteral("004 30 W"), 1, 1001},
        {QStringLiteral("BRIGHTON"), QStringLiteral("50 49 N"), QStringLiteral("000 08 W"), 0,
         2021},
        {QStringLiteral("CHERBOURG"), QStringLiteral("49 39 N"), QStringLiteral("001 38 W"), 1,
         1001},
        {QStringLiteral("ÉTEL"), QStringLiteral("47 39 N"), QStringLiteral("003 12 W"), 1, 1001},
        {QStringLiteral("SAINT-MALO, BASSIN VAUBAN ET ANSE DES SABLONS NORD"),
         QStringLiteral("48 38 N"), QStringLiteral("002 02 W"), 1, 1001},
        {QStringLiteral("ZANZIBAR"), QStringLiteral("06 09 S"), QStringLiteral("039 11 E"), 3, 9},
    };
}

void CopyShippedTable(const QString& dir) {
    for (const char* name : {"ports.dbf", "ports.tags"}) {
        const QString to = QDir(dir).filePath(QString::fromLatin1(name));
        QFile::remove(to);
        ASSERT_TRUE(QFile::copy(
            QStringLiteral(ONDREL_SOURCE_DIR "/data/") + QString::fromLatin1(name), to));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
}

void GuiTest::SetUp() {
    temp = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(temp->isValid());
    const QDir root(temp->path());
    for (const char* sub : {"home", "config", "data", "work"})
        root.mkpath(QString::fromLatin1(sub));
    qputenv("HOME", root.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       root.filePath(QStringLiteral("config")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       root.filePath(QStringLiteral("config")));
    previousDir = QDir::currentPath().toLocal8Bit();
    ASSERT_EQ(::chdir(workDir().toLocal8Bit().constData()), 0);
    ResetState();
}

void GuiTest::TearDown() {
    // Windows of a test are closed by the test itself; nothing may stay open for the next one.
    QCoreApplication::processEvents();
    if (!previousDir.isEmpty()) (void)::chdir(previousDir.constData());
    temp.reset();
}

void GuiTest::ResetState() {
    state = AppState{};
    state.workingDirectory = workDir();
    state.settingsStore.organisation = QStringLiteral("OndrelTest");
    state.clock = [this] { return now; };
    boxes.shown.clear();
    boxes.answers.clear();
}

QString GuiTest::workDir() const {
    return QDir(temp->path()).filePath(QStringLiteral("work"));
}

bool GuiTest::WaitFor(const std::function<bool()>& pred, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace ondrel::test
