// Support for the tests of windows and of the desktop program (views_tests and gui_tests): a
// private home, settings and working directory per test, message boxes that record what they
// were asked to show, and small port tables.
#pragma once

#include "QStringPrinting.h"
#include "state/AppState.h"
#include "views/common/MessageBoxes.h"

#include <QDateTime>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace ondrel::test {

// Records every box; questions take their answers from a queue (Cancel when it is empty).
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString kind; // "information", "plain", "help", "question", "yesno"
        QString text;
    };
    std::vector<Shown> shown;
    std::deque<Answer> answers;

    void information(QWidget*, const QString& text) override {
        shown.push_back({"information", text});
    }
    void plain(QWidget*, const QString& text) override { shown.push_back({"plain", text}); }
    void informationWithHelp(QWidget*, const QString& text, const std::function<void()>&) override {
        shown.push_back({"help", text});
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        shown.push_back({"question", text});
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    // Yes/No questions take No when the queue is empty.
    Answer askYesNo(QWidget*, const QString& text) override {
        shown.push_back({"yesno", text});
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QStringList texts() const {
        QStringList list;
        for (const auto& s : shown)
            list << s.text;
        return list;
    }
};

// One row of a test table.
struct TestPort {
    QString name;
    QString latitude = QStringLiteral("48 23 N");
    QString longitude = QStringLiteral("004 30 W");
    double timeZone = 1;
    qint64 zone = 1001;
    QString portRef{};                   // the standard port of a secondary port
    std::array<double, 8> corrections{}; // HPMVE ... TBMME
};

// Writes ports.dbf and ports.tags into dir with plausible harmonic constants for every row.
void WritePortTable(const QString& dir, const std::vector<TestPort>& ports);
// The few ports most tests use.
std::vector<TestPort> SmallPortList();
// Copies the shipped world table into dir.
void CopyShippedTable(const QString& dir);

// Each test gets its own home, configuration, data and working directories, and a settings
// store under a test organisation name; nothing of the real user is touched.
class GuiTest : public ::testing::Test {
public:
    // Runs the event loop until pred holds or timeoutMs passes.
    static bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 3000);

protected:
    void SetUp() override;
    void TearDown() override;

    // The application state as the program makes it, pointed at this test's directories, with
    // a fixed clock.
    void ResetState();
    std::unique_ptr<QSettings> store() const { return state.settingsStore.open(); }
    QString workDir() const;

    std::unique_ptr<QTemporaryDir> temp;
    QByteArray previousDir;
    AppState state;
    FakeMessageBoxes boxes;
    QDateTime now = QDateTime(QDate(2024, 3, 13), QTime(10, 30));
};

} // namespace ondrel::test
