// ondrel-cli writing the port table on a full disk and beside another writer: whatever happens,
// the table opens with every record it held and every port reported as added.
#include "TestPortTable.h"
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

namespace ondrel {
namespace {

constexpr int kHeaderBytes = 32 * 38 + 1; // file header, 37 column descriptors, terminator

class TableSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        table = dir.filePath(QStringLiteral("ports.dbf"));
        test::TestPortRow brest, halifax;
        brest.name = QStringLiteral("BREST");
        halifax.name = QStringLiteral("HALIFAX");
        test::WriteTestPortTable(table, {brest, halifax});
        QProcess p;
        p.start(QStringLiteral(ONDREL_CLI_PATH), {"export", "BREST", "--table", table});
        ASSERT_TRUE(p.waitForFinished(60000));
        record = p.readAllStandardOutput().split('\n');
        ASSERT_EQ(record.size(), 38); // 37 lines and what follows the last CR LF
        record.removeLast();
    }

    // An .add file of n ports named prefix 0, prefix 1...
    QString AddFile(const QString& prefix, int n) {
        const QString path = dir.filePath(prefix + QStringLiteral(".add"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < n; ++i) {
            QList<QByteArray> lines = record;
            lines[1] = QStringLiteral("%1 %2\r").arg(prefix).arg(i).toUtf8();
            f.write(lines.join('\n') + '\n');
        }
        return path;
    }

    // ondrel-cli importing file, with a limit on the size of the files it writes (0: none).
    void StartImport(QProcess& p, const QString& file, qint64 sizeLimit = 0) {
        if (sizeLimit > 0)
            p.setChildProcessModifier([sizeLimit] {
                const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        p.start(QStringLiteral(ONDREL_CLI_PATH), {"import", file, "--table", table});
    }

    // The names a finished import reported as added.
    static QStringList Added(QProcess& p) {
        EXPECT_TRUE(p.waitForFinished(120000));
        QStringList added;
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
            if (line.startsWith(QStringLiteral("added\t"))) added << line.mid(6);
        return added;
    }

    QByteArray Bytes() const {
        QFile f(table);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // Every name of the table, which must open; a name met twice fails the test.
    std::set<QString> Names() const {
        PortTable t;
        t.open(table);
        std::set<QString> names;
        for (t.first(); !t.atEnd(); t.next())
            EXPECT_TRUE(names.insert(t.text(PortColumn::NOM)).second)
                << "twice: " << t.text(PortColumn::NOM).toStdString();
        return names;
    }

    QTemporaryDir dir;
    QString table;
    QList<QByteArray> record; // the 37 lines of BREST as exported, CR kept
};

// A limit on the file size stops the import wherever it falls: in the header, at the end-of-file
// byte, inside a record or just after one. The ports reported as added are exactly those that fit,
// and the table keeps its rows byte for byte.
TEST_F(TableSafety, AFullDiskStopsTheImportAndLosesNothing) {
    const QByteArray before = Bytes();
    const qint64 size = before.size();
    const int length = int(size - kHeaderBytes - 1) / 2; // two records and the end-of-file byte
    const QString file = AddFile(QStringLiteral("NEW"), 3);
    for (const qint64 limit :
         {qint64(40), size - 1, size, size + 1, size + length / 2, size + length - 1, size + length,
          size + length + 1, size + 2 * length + 7, size + 3 * length}) {
        SCOPED_TRACE(limit - size);
        {
            QFile f(table);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(before);
        }
        QProcess p;
        StartImport(p, file, limit);
        const QStringList added = Added(p);
        const int fit = int(std::clamp<qint64>((limit - size) / length, 0, 3));
        ASSERT_EQ(added.size(), fit);
        EXPECT_EQ(p.exitCode(), fit == 3 ? 0 : 1);
        const QByteArray err = p.readAllStandardError();
        if (fit < 3) {
            // The reason, or the lock file that could not even be written.
            EXPECT_TRUE(err.contains("File too large") || err.contains("lock file"))
                << err.toStdString();
            // The table is as it was, and is said to be.
            EXPECT_FALSE(err.contains("put back")) << err.toStdString();
        }
        const QByteArray after = Bytes();
        EXPECT_EQ(after.size(), size + fit * length);
        EXPECT_EQ(after.mid(8, size - 9), before.mid(8, size - 9)); // all but the record count
        const std::set<QString> names = Names();
        EXPECT_EQ(names.size(), 2u + fit);
        for (const QString& name : added)
            EXPECT_TRUE(names.count(name)) << name.toStdString();
    }
}

// Every output past the file-size limit, or onto a full device, fails with the reason, exit 1,
// as the import does: never a silent end nor a success.
TEST_F(TableSafety, OutputThatCannotBeWrittenIsAFailureWithItsReason) {
    const struct {
        QStringList arguments;
        const char* output; // where standard output goes
        const char* reason;
    } cases[] = {
        {{"table", "BREST", "--from", "2026-01-01", "--to", "2026-12-31", "--csv"},
         "out.csv",
         "File too large"},
        {{"table", "BREST", "--from", "2026-01-01", "--to", "2026-12-31", "--ics"},
         "out.ics",
         "File too large"},
        {{"export", "BREST"}, "out.add", "File too large"},
        {{"--help"}, "/dev/full", "No space left"},
    };
    for (const auto& c : cases) {
        QProcess p;
        p.setChildProcessModifier([] {
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        p.setWorkingDirectory(dir.path());
        const QString output = QString::fromLatin1(c.output);
        p.setStandardOutputFile(output.startsWith(u'/') ? output : dir.filePath(output));
        p.start(QStringLiteral(ONDREL_CLI_PATH), c.arguments + QStringList{"--table", table});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << c.output;
        EXPECT_EQ(p.exitCode(), 1) << c.output;
        EXPECT_NE(p.readAllStandardError().indexOf(c.reason), -1) << c.output;
    }
}

#ifdef ONDREL_CLI_PICTURES
// A picture that cannot be written whole (a file-size limit) is reported with the system's reason
// and leaves the picture already there as it was; what is not a regular file is refused.
TEST_F(TableSafety, APictureIsWrittenWholeOrNotAtAll) {
    const QByteArray old = "the picture of yesterday";
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QStringList arguments;
        QString file;
        const char* reason;
    } cases[] = {
        {{"curve", "BREST", "--png"}, QStringLiteral("c.png"), "File too large"},
        {{"curve", "BREST", "--png"}, QStringLiteral("c.svg"), "File too large"},
        {{"table", "BREST", "--from", "2026-01-01", "--to", "2026-12-31", "--pdf"},
         QStringLiteral("t.pdf"),
         "File too large"},
        {{"curve", "BREST", "--png"}, QStringLiteral("pipe.png"), "not a regular file"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.file);
        if (!QFileInfo::exists(path)) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        QProcess p;
        p.setChildProcessModifier([] {
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ONDREL_CLI_PATH),
                c.arguments + QStringList{c.file, "--table", table});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1) << c.file.toStdString();
        EXPECT_NE(p.readAllStandardError().indexOf(c.reason), -1) << c.file.toStdString();
        if (QFileInfo(path).isFile()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), old) << c.file.toStdString();
        }
    }
    // Nothing left half-written beside them.
    EXPECT_EQ(QDir(dir.path())
                  .entryList({QStringLiteral("*.png.*"), QStringLiteral("*.pdf.*"),
                              QStringLiteral("*.svg.*")},
                             QDir::Files | QDir::Hidden),
              QStringList());
}
#endif

// Two imports at once: one waits for the other or is refused whole, and every port either
// reported as added is in the table, once.
// A lock file that holds no lock (empty, junk, left by a crash) or whose holder no longer runs is
// taken over; one that is a pipe is refused at once, naming it, instead of waiting on it.
TEST_F(TableSafety, ADeadLockIsTakenOverAndAPipeRefused) {
    const QString lock = dir.filePath(QStringLiteral("ports.lock"));
    const struct {
        const char* name;
        QByteArray content; // the lock's; "pipe" for a FIFO
        bool imported;
    } cases[] = {
        {"empty", "", true},
        {"junk", "not a lock at all\x01\x02", true},
        {"holder gone", "2147483646\nondrel-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n",
         true},
        {"pipe", "pipe", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        QFile::remove(lock);
        if (c.content == "pipe") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        } else {
            QFile f(lock);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
            f.close();
            // Left a while ago.
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                      QFileDevice::FileModificationTime));
        }
        QProcess p;
        StartImport(p, AddFile(QStringLiteral("LOCK %1 ").arg(++n), 1));
        ASSERT_TRUE(p.waitForFinished(30000)) << c.name;
        const QByteArray err = p.readAllStandardError();
        EXPECT_EQ(p.exitCode() == 0, c.imported) << c.name << ": " << err.toStdString();
        if (!c.imported) {
            EXPECT_NE(err.indexOf("ports.lock"), -1) << err.toStdString();
        }
    }
    QFile::remove(lock);
}

TEST_F(TableSafety, TwoImportsAtOnceLoseNothing) {
    const QString first = AddFile(QStringLiteral("ALPHA"), 1500);
    const QString second = AddFile(QStringLiteral("BETA"), 1500);
    for (const QString& other : {second, first}) {
        SCOPED_TRACE(other.toStdString());
        QProcess a, b;
        StartImport(a, first);
        StartImport(b, other);
        const QStringList added = Added(a) + Added(b);
        for (QProcess* p : {&a, &b}) {
            if (p->exitCode() != 0) {
                const QByteArray err = p->readAllStandardError();
                EXPECT_NE(err.indexOf("being changed by another Ondrel"), -1)
                    << p->exitCode() << " " << err.toStdString();
            }
        }
        const std::set<QString> names = Names();
        for (const QString& name : added)
            EXPECT_TRUE(names.count(name)) << name.toStdString();
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("bug.txt"))));
    }
}

} // namespace
} // namespace ondrel
