#include "GuiTestSupport.h"

#include "PortColumns.h"
#include "PortTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <unistd.h>

namespace ondrel::test {

void WritePortTable(const QString& dir, const std::vector<TestPort>& ports) {
    const QString path = QDir(dir).filePath(QStringLiteral("ports.dbf"));
    PortTable::create(path, StandardPortColumns());
    PortTable::writeStandardTags(path);
    PortTable table;
    table.open(path);
    // Z0, then amplitudes Sa Q1 O1 K1 N2 M2 S2 MN4 M4 MS4 and their phases: a semi-diurnal
    // Atlantic port.
    const int amplitudes[] = {60, 20, 70, 60, 420, 2050, 750, 15, 40, 30};
    const int phases[] = {300, 260, 330, 70, 120, 140, 180, 80, 110, 160};
    int number = 1;
    for (const TestPort& p : ports) {
        table.insert();
        table.setInteger(0, number++);
        table.setText(1, p.name);
        table.setInteger(2, 430);
        for (int i = 0; i < 10; ++i) {
            table.setInteger(3 + i, amplitudes[i]);
            table.setInteger(13 + i, phases[i]);
        }
        table.setText(23, p.latitude);
        table.setText(24, p.longitude);
        table.setReal(25, p.timeZone);
        table.setInteger(26, 0);
        table.setInteger(27, p.zone);
        table.setText(28, p.portRef);
        for (int i = 0; i < 8; ++i) table.setReal(29 + i, p.corrections[static_cast<std::size_t>(i)]);
        table.post();
    }
    table.close();
}

std::vector<TestPort> SmallPortList() {
    return {
        {QStringLiteral("ABERDEEN"), QStringLiteral("57 09 N"), QStringLiteral("002 05 W"), 0, 2021},
        {QStringLiteral("BREST"), QStringLiteral("48 23 N"), QStringLiteral("004 30 W"), 1, 1001},
        {QStringLiteral("BRIGHTON"), QStringLiteral("50 49 N"), QStringLiteral("000 08 W"), 0, 2021},
        {QStringLiteral("CHERBOURG"), QStringLiteral("49 39 N"), QStringLiteral("001 38 W"), 1, 1001},
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
        ASSERT_TRUE(QFile::copy(QStringLiteral(ONDREL_SOURCE_DIR "/data/") + QString::fromLatin1(name), to));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
}

void GuiTest::SetUp() {
    temp = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(temp->isValid());
    const QDir root(temp->path());
    for (const char* sub : {"home", "config", "data", "work"}) root.mkpath(QString::fromLatin1(sub));
    qputenv("HOME", root.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.filePath(QStringLiteral("config")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.filePath(QStringLiteral("config")));
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
    state.settingsOrganisation = QStringLiteral("OndrelTest");
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
