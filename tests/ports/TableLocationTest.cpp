// Where the port table is found, and the first-use copy of the shipped table.
#include "ports/TableLocation.h"
#include "ports/PortTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace ondrel;

namespace {

class TableLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        previous = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        QDir().mkpath(work());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", previous); }

    QString work() const { return home.filePath(QStringLiteral("work")); }
    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir home;
    QByteArray previous;
};

TEST_F(TableLocationTest, FirstUseCopiesTheShippedTableToTheUsersFolder) {
    const QString bundled = BundledTableDirectory();
    ASSERT_FALSE(bundled.isEmpty());
    const TableLocation first = LocatePortTable(work());
    ASSERT_TRUE(first.error.isEmpty()) << first.error.toStdString();
    EXPECT_EQ(first.path, QDir(UserTableDirectory()).filePath(QStringLiteral("ports.dbf")));
    EXPECT_TRUE(first.path.startsWith(home.path()));
    for (const char* name : {"ports.dbf", "ports.tags"}) {
        const QString copy = QDir(UserTableDirectory()).filePath(QString::fromLatin1(name));
        EXPECT_EQ(Bytes(copy), Bytes(QDir(bundled).filePath(QString::fromLatin1(name)))) << name;
        EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".part")));
    }
    // The copy is writable and opens; the user's changes are never overwritten by a later start.
    {
        PortTable table;
        table.open(first.path);
        table.first();
        table.edit();
        table.setText(PortColumn::NOM, QStringLiteral("MON PORT"));
        table.post();
    }
    const QByteArray edited = Bytes(first.path);
    const TableLocation second = LocatePortTable(work());
    EXPECT_EQ(second.path, first.path);
    EXPECT_EQ(Bytes(second.path), edited);
}

TEST_F(TableLocationTest, TheWorkingDirectoryComesFirst) {
    const QString local = QDir(work()).filePath(QStringLiteral("ports.dbf"));
    QFile::copy(QDir(BundledTableDirectory()).filePath(QStringLiteral("ports.dbf")), local);
    const TableLocation where = LocatePortTable(work());
    EXPECT_EQ(where.path, local);
    EXPECT_FALSE(QFile::exists(QDir(UserTableDirectory()).filePath(QStringLiteral("ports.dbf"))));
}

TEST_F(TableLocationTest, AnUnwritableDataFolderIsReported) {
    // A file where the data folder should be: nothing can be created under it.
    QFile blocker(home.filePath(QStringLiteral("data")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const TableLocation where = LocatePortTable(work());
    EXPECT_TRUE(where.path.isEmpty());
    EXPECT_TRUE(where.error.contains(QStringLiteral("Ondrel"))) << where.error.toStdString();
}

} // namespace
