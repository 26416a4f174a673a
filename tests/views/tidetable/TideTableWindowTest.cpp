// The tide table's window: its calculation (the same lines as the command line), saving,
// printing, the month pages and the filter window's fields (its lines themselves:
// tests/texts/TideTableTextTest.cpp).
#include "views/tidetable/TideTableWindow.h"
#include "TideTableTestSupport.h"
#include "ViewsTestSupport.h"
#include "views/tidetable/TideTableFilterWindow.h"

#include "engine/Report.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <cstring>

namespace ondrel::test {
namespace {

class TideTableWindowTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        window = std::make_unique<TideTableWindow>(state, messages);
        filterWindow = std::make_unique<TideTableFilterWindow>(
            state.tideTableFilter, state.settings, state.help, messages);
        window->setFilterWindow(filterWindow.get());
    }
    void setRange(QDate from, QDate to) {
        window->startPicker()->setDate(from);
        window->endPicker()->setDate(to);
    }
    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString path(const char* name) const { return home.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TideTableWindow> window;
    std::unique_ptr<TideTableFilterWindow> filterWindow;
};

TEST_F(TideTableWindowTest, ComputesTheSameLinesAsTheCommandLine) {
    for (const QString& langue : {kFrench, kEnglish}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        state.settings.decimalSeparator = QStringLiteral(",");
        state.tideTableFilter.coefficientMin = 60;
        window->onActivated();
        setRange(QDate(2026, 8, 28), QDate(2026, 9, 3));
        std::vector<int> progress;
        QObject::connect(window.get(), &TideTableWindow::progressed,
                         [&](int p) { progress.push_back(p); });
        button("BOK")->click();
        TideTableRequest r = RequestFor(state.port, 1, QDate(2026, 8, 28), QDate(2026, 9, 3),
                                        state.settings.language());
        r.start = window->rangeStart();
        r.end = window->rangeEnd();
        r.filter = state.tideTableFilter;
        EXPECT_EQ(window->lines(), ComputeTideTable(r).lines);
        EXPECT_EQ(progress.back(), 100);
        EXPECT_TRUE(button("BSauvegarder")->isEnabled());
        EXPECT_TRUE(button("BImprimer")->isEnabled());
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tidetable"));
    // Help topic 6 from both windows.
    std::vector<int> topics;
    state.help = [&](int topic) { topics.push_back(topic); };
    auto* helpKey = window->findChild<QShortcut*>();
    ASSERT_NE(helpKey, nullptr);
    EXPECT_EQ(helpKey->key(), QKeySequence(QKeySequence::HelpContents));
    emit helpKey->activated();
    filterWindow->findChild<QPushButton*>(QStringLiteral("BAide"))->click();
    EXPECT_EQ(topics, (std::vector<int>{6, 6}));
}

TEST_F(TideTableWindowTest, EndBeforeStartChangesNothing) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 10));
    button("BOK")->click();
    const QStringList before = window->lines();
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 9));
    button("BOK")->click();
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral(
                                  "La date de fin doit être postérieure à la date de début !")});
    EXPECT_EQ(window->lines(), before);
    EXPECT_EQ(before.size(), 5 + 5 + 3); // one day
}

TEST_F(TideTableWindowTest, SavingAppendsWithCrLfAndReportsUnwritableFiles) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 11));
    const QString file = path("Horaires.txt");
    window->askSaveFile = [&] { return file; };
    for (int i = 0; i < 2; ++i) {
        button("BOK")->click();
        button("BSauvegarder")->click();
        EXPECT_FALSE(button("BSauvegarder")->isEnabled());
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray once =
        (window->lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    EXPECT_EQ(f.readAll(), once + once);
    f.close();

    // A folder, and a file in a folder that does not exist: a message naming the file, the
    // button left on.
    const QString folder = path("folder");
    QDir().mkpath(folder);
    for (const QString& target : {folder, path("nowhere/Horaires.txt")}) {
        messages.shown.clear();
        button("BOK")->click();
        window->askSaveFile = [&] { return target; };
        button("BSauvegarder")->click();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].contains(target)) << messages.shown[0].toStdString();
        EXPECT_TRUE(button("BSauvegarder")->isEnabled());
    }
    // A spreadsheet file is written whole, with the events behind the lines.
    const QString csv = path("Horaires.csv");
    for (int i = 0; i < 2; ++i) {
        button("BOK")->click();
        window->askSaveFile = [&] { return csv; };
        button("BSauvegarder")->click();
    }
    QFile c(csv);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    qsizetype events = 0;
    for (const QString& line : window->lines())
        if (line.contains(QLatin1String("\tPM\t")) || line.contains(QLatin1String("\tBM\t")))
            ++events;
    EXPECT_EQ(ParseCsv(QString::fromUtf8(c.readAll())).size(),
              static_cast<std::size_t>(1 + events));
    // Saved as computed: a unit, time reference or port chosen since changes nothing.
    c.close();
    const QByteArray computed = [&] {
        c.open(QIODevice::ReadOnly);
        return c.readAll();
    }();
    c.close();
    state.settings.heightUnit = HeightUnit::Feet;
    state.settings.timeReference = TimeReference(105);
    state.port.name = "ELSEWHERE";
    ASSERT_TRUE(window->saveTo(csv));
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), computed);
    // Cancelling the dialog disables the button until the next calculation.
    window->askSaveFile = [] { return QString(); };
    button("BSauvegarder")->click();
    EXPECT_FALSE(button("BSauvegarder")->isEnabled());
}

TEST_F(TideTableWindowTest, PrintsToPdfWithTheTable) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 12));
    button("BOK")->click();
    const QString pdf = path("table.pdf");
    window->askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    const QFont screen = window->findChild<QWidget*>(QStringLiteral("Table"))->font();
    button("BImprimer")->click();
    EXPECT_FALSE(button("BImprimer")->isEnabled());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("Table"))->font(), screen);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished());
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("LE HAVRE")));
    EXPECT_TRUE(text.contains(window->lines()[6].section(QLatin1Char('\t'), 2, 2)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Heure en vigueur : heure d'hiver UT + 1")));
}

// What poppler makes of a PDF file: its text (pages separated by form feeds) or its information.
QString Poppler(const char* program, const QString& pdf) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (path.isEmpty()) return QStringLiteral("(%1 is needed: poppler-utils)").arg(program);
    QProcess p;
    p.start(path, std::strcmp(program, "pdfinfo") == 0 ? QStringList{pdf}
                                                       : QStringList{pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A year in English: twelve pages on either paper, one month each, with the month's title, its
// first event and the time reference on it.
TEST_F(TideTableWindowTest, AYearPrintsAndExportsOnTwelveMonthPages) {
    state.settings.chosenLanguage = Language::English;
    window->onActivated();
    setRange(QDate(2026, 1, 1), QDate(2026, 12, 31));
    button("BOK")->click();
    ASSERT_TRUE(button("BExportPdf")->isEnabled());
    const std::vector<TideTableMonth> months = window->months();
    ASSERT_EQ(months.size(), 12u);
    const char* titles[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    const auto check = [&](const QString& pdf, const char* paper) {
        const QString info = Poppler("pdfinfo", pdf);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+12\\n"))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QLatin1String(paper))) << info.toStdString();
        const QStringList pages = Poppler("pdftotext", pdf).split(QLatin1Char('\f'));
        ASSERT_GE(pages.size(), 12);
        for (int m = 0; m < 12; ++m) {
            const QString& page = pages[m];
            EXPECT_TRUE(page.contains(QStringLiteral("%1 2026").arg(QLatin1String(titles[m]))))
                << m;
            EXPECT_TRUE(page.contains(QStringLiteral("LE HAVRE"))) << m;
            EXPECT_TRUE(page.contains(QStringLiteral("Winter time UT + 1"))) << m;
            const TideTableDay& first = months[static_cast<std::size_t>(m)].days.front();
            for (const TideEvent& e : first.day.events)
                if (!e.empty()) {
                    EXPECT_TRUE(page.contains(QString::fromStdString(FormatEventTime(e.time))))
                        << m;
                    break;
                }
        }
    };
    // The export button, and the printer on both papers.
    const QString exported = path("year.pdf");
    window->askPdfFile = [&] { return exported; };
    button("BExportPdf")->click();
    check(exported, "");
    const std::pair<QPageSize::PageSizeId, const char*> papers[] = {
        {QPageSize::A4, "(A4)"}, {QPageSize::Letter, "(letter)"}};
    for (const auto& [paper, name] : papers) {
        const QString printed = path(name);
        window->askPrinter = [&, paper = paper](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            printer.setPageSize(QPageSize(paper));
            return true;
        };
        button("BOK")->click();
        button("BImprimer")->click();
        check(printed, name);
    }
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();
}

// The list's columns stay in place in both languages: no field of a year's lines reaches the
// next tab stop (in English "february" is wider than "février").
TEST_F(TideTableWindowTest, NoFieldReachesTheNextTabStop) {
    for (const QString& langue : {kFrench, kEnglish}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        window->onActivated();
        setRange(QDate(2026, 1, 1), QDate(2026, 12, 31));
        button("BOK")->click();
        auto* table = window->findChild<QTextEdit*>(QStringLiteral("Table"));
        ASSERT_NE(table, nullptr);
        const qreal stop = table->tabStopDistance();
        const QFontMetricsF metrics(table->font());
        int fields = 0;
        for (const QString& line : window->lines()) {
            const QStringList cells = line.split(QLatin1Char('\t'));
            for (int i = 0; i + 1 < cells.size(); ++i, ++fields)
                EXPECT_LT(metrics.horizontalAdvance(cells[i]), stop)
                    << langue.toStdString() << ": \"" << cells[i].toStdString() << "\"";
        }
        EXPECT_GT(fields, 365 * 4);
    }
}

// The month pages are a second way to see the same table: the lines stay as they were.
TEST_F(TideTableWindowTest, MonthPagesBesideTheList) {
    setRange(QDate(2026, 3, 10), QDate(2026, 4, 12));
    button("BOK")->click();
    const QStringList lines = window->lines();
    EXPECT_EQ(window->view(), TideTableWindow::View::List);
    window->show();
    auto* list = window->findChild<QWidget*>(QStringLiteral("Table"));
    auto* pages = window->findChild<QWidget*>(QStringLiteral("DefilementPages"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(pages->isVisible());
    window->setView(TideTableWindow::View::MonthPages);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(pages->isVisible());
    // The pages are whole months: the range grows to them and the table is computed again.
    ASSERT_EQ(window->months().size(), 2u);
    EXPECT_EQ(window->startPicker()->date(), QDate(2026, 3, 1));
    EXPECT_EQ(window->endPicker()->date(), QDate(2026, 4, 30));
    EXPECT_EQ(window->months().front().days.front().date, QDate(2026, 3, 1));
    EXPECT_EQ(window->months().back().days.back().date, QDate(2026, 4, 30));
    EXPECT_NE(window->lines(), lines);
    window->setView(TideTableWindow::View::List);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(TideTableWindowTest, AYearTypedIntoADateIsTaken) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 10));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QDateTimeEdit* picker = window->startPicker();
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(picker, QStringLiteral("2031"));
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_EQ(picker->date(), QDate(2031, 3, 10));
    EXPECT_EQ(picker->text(), QStringLiteral("lundi 10 mars 2031")); // the long date again
}

TEST_F(TideTableWindowTest, FilterFieldsChecksAndApply) {
    auto* w = filterWindow.get();
    auto* minBox = w->findChild<QCheckBox*>(QStringLiteral("CBCoef_inf"));
    auto* minField = w->findChild<QLineEdit*>(QStringLiteral("ECoef_inf"));
    auto* from = w->findChild<QLineEdit*>(QStringLiteral("MEPMinf"));
    auto* to = w->findChild<QLineEdit*>(QStringLiteral("MEPMsup"));
    TideTableFilter& f = state.tideTableFilter;
    const QString coefficientError =
        QStringLiteral("Erreur de saisie du coefficient. Celui-ci doit être compris entre 20 et "
                       "120. Veuillez recommencer");
    // Leaving a coefficient field.
    const struct {
        const char* text;
        int min;
        bool message;
    } fields[] = {{"20", 20, false},
                  {"130", 20, true},
                  {"abc", 20, true},
                  {"", 20, false},
                  {"120", 120, false}};
    for (const auto& c : fields) {
        messages.shown.clear();
        minField->setText(QString::fromLatin1(c.text));
        w->coefficientFieldLeft(minField);
        EXPECT_EQ(f.coefficientMin, c.min) << c.text;
        EXPECT_EQ(messages.shown.size(), c.message ? 1 : 0) << c.text;
        if (c.message) {
            EXPECT_EQ(messages.shown[0], coefficientError);
        }
        if (c.message) {
            EXPECT_TRUE(minField->text().isEmpty());
        }
    }
    // Time fields: read-only until "between"; a blank field says nothing; a bad one is emptied.
    EXPECT_TRUE(from->isReadOnly());
    w->findChild<QRadioButton*>(QStringLiteral("RBIntervalPM"))->click();
    EXPECT_FALSE(from->isReadOnly());
    messages.shown.clear();
    w->timeFieldLeft(from);
    EXPECT_TRUE(messages.shown.isEmpty());
    from->setText(QStringLiteral("25:10"));
    w->timeFieldLeft(from);
    EXPECT_EQ(messages.shown,
              QStringList{QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")});
    from->setText(QStringLiteral("06:30"));
    w->timeFieldLeft(from);
    EXPECT_DOUBLE_EQ(f.highWaterFrom, 6.5);
    // Cancel keeps what leaving the field stored.
    w->findChild<QPushButton*>(QStringLiteral("BAnnuler"))->click();
    EXPECT_DOUBLE_EQ(f.highWaterFrom, 6.5);

    // Apply stops at an empty field with a message, keeping the earlier steps' values.
    state.settings.chosenLanguage = Language::English;
    minBox->setChecked(true);
    minField->setText(QStringLiteral("45"));
    to->setText(QString());
    messages.shown.clear();
    EXPECT_FALSE(w->apply());
    EXPECT_EQ(f.coefficientMin, 45);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("The time field")));
    to->setText(QStringLiteral("18:00"));
    w->findChild<QPushButton*>(QStringLiteral("BOK"))->click();
    EXPECT_DOUBLE_EQ(f.highWaterTo, 18);
    EXPECT_FALSE(w->isVisible());
    // "None" removes the high waters and puts the window back to the whole day.
    w->findChild<QRadioButton*>(QStringLiteral("RBAucunePM"))->click();
    EXPECT_TRUE(f.noHighWater);
    EXPECT_DOUBLE_EQ(f.highWaterTo, 24);
    // In English the coefficient boxes say what they keep: the minimum, then the maximum.
    w->retranslate();
    EXPECT_EQ(minBox->text(), QStringLiteral("at least"));
    EXPECT_EQ(w->findChild<QCheckBox*>(QStringLiteral("CBCoef_sup"))->text(),
              QStringLiteral("at most"));
}

} // namespace
} // namespace ondrel::test
