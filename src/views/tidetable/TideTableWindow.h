// TideTableWindow: the tide table. The high and low waters and the coefficients of every day of
// a range for the current port, filtered by the filter window, shown as tab-separated lines (saved
// to a text file, or exported for a spreadsheet or a calendar) or as month pages, which are what
// is printed and exported as PDF.
#pragma once

#include "views/common/WindowContract.h"

#include <QDialog>
#include <QStringList>

#include "pages/TideTablePages.h"
#include "texts/StreamTexts.h"
#include "texts/TideTableText.h"

#include <functional>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QPushButton;
class QTextEdit;
class QWidget;

namespace ondrel {

struct AppState;
class MessageBoxes;
class MonthPagesView;

class TideTableWindow : public QDialog, public WindowContract {
    Q_OBJECT
public:
    TideTableWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    // The date fields, losing the focus as the window goes, no longer reach it.
    ~TideTableWindow() override;
    void retranslate() override;
    // A language switch refreshes the whole window, as an activation does.
    void followLanguage() override { onActivated(); }

    // What the save and print buttons ask; tests answer instead of the dialogs. The save
    // question returns the chosen file, empty when cancelled.
    std::function<QString()> askSaveFile;
    std::function<bool(QPrinter&)> askPrinter;
    // The PDF file the export writes, empty when cancelled.
    std::function<QString()> askPdfFile;
    // Where the filter button leads.
    void setFilterWindow(QWidget* window) { filterWindow_ = window; }

    void onActivated() override;
    void updateRange();
    void calculate();
    void save();
    // Appends the table's lines to file, or writes the table's events for a spreadsheet or a
    // calendar when its name ends with ".csv" or ".ics"; false (and a message) when it cannot
    // be written.
    bool saveTo(const QString& file);
    // The month pages, one a page, on the printer's paper.
    void print();
    void printTo(QPrinter& printer);
    // The month pages as a PDF file on A4 (Letter where the locale measures in inches); false
    // (and a message) when it cannot be written.
    void exportPdf();
    bool exportPdfTo(const QString& file);

    // Which presentation is shown: the lines, or the month pages.
    enum class View { List = 0, MonthPages = 1 };
    void setView(View view);
    View view() const;
    // The month pages of the table as it stands.
    std::vector<TideTableMonth> months() const { return MonthsOf(computed_.days); }
    TideTablePageOptions pageOptions() const;
    // The distance between the list's tab stops.
    qreal tabStop() const;

    // The table as it stands, one entry per line.
    QStringList lines() const;
    double rangeStart() const { return start_; }
    double rangeEnd() const { return end_; }
    QDateTimeEdit* startPicker() const { return startPicker_; }
    QDateTimeEdit* endPicker() const { return endPicker_; }

signals:
    // The progress bar's position changed while computing.
    void progressed(int percent);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildRangeFields();
    void buildButtons();
    void buildViews();
    void layOut();
    void connectControls();
    void showFilter();
    void showChosenView();

    AppState& state_;
    MessageBoxes& messages_;
    QWidget* filterWindow_ = nullptr;
    TideTable computed_;         // the days behind the lines, for the spreadsheet export
    TideTablePageHeader header_; // of the table computed
    // What the table shown was computed for: saved and printed as it is shown, whatever port,
    // unit or time reference has been chosen since.
    TideTableRequest computedFor_;
    // A current station's table: its events, for the spreadsheet export.
    void calculateStream();
    QString decimalSeparator() const;
    bool computedStream_ = false;
    std::vector<ClockedCurrentEvent> streamEvents_;
    SpeedUnit streamUnit_ = SpeedUnit::Knots;
    double start_ = 0;
    double end_ = 0;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QDateTimeEdit* startPicker_ = nullptr;
    QDateTimeEdit* endPicker_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* pdfButton_ = nullptr;
    QPushButton* filterButton_ = nullptr;
    QComboBox* viewChoice_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QWidget* progressPanel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* printingNotice_ = nullptr;
    QTextEdit* table_ = nullptr;
    QScrollArea* pagesArea_ = nullptr;
    MonthPagesView* pages_ = nullptr;
};

} // namespace ondrel
