// SecondaryPortWizard: adds a secondary port to the port table, or changes the name, position and
// corrections of one, in four pages shown in turn in one window: an explanation, the choice of
// the standard port, the name, position and eight corrections, and a summary from which the port
// is stored.
#pragma once

#include "WindowContract.h"

#include "PortRecord.h"
#include "TypeAhead.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace ondrel {

struct AppState;
class MessageBoxes;
class PortListModel;
class PortWindow;

class SecondaryPortWizard : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    SecondaryPortWizard(AppState& state, MessageBoxes& messages, PortWindow& ports,
                        QWidget* parent = nullptr);
    void retranslate() override;

    // Runs before page 2 is shown (the main window hides its curve and tide table there).
    void setBeforeStandardPortChoice(std::function<void()> hook) {
        beforeChoice_ = std::move(hook);
    }

    // Add mode, from page 1.
    void startAdd();
    // Modify mode, at page 3 filled from the table's current record (a secondary port).
    void startModify();

    int page() const; // 1 to 4
    bool modifyMode() const { return modifyMode_; }
    QString modifiedPortName() const { return modifiedPortName_; }
    const PortRecord& wizardPort() const { return port_; }

    // The buttons of the pages.
    void next();
    void previous();
    void cancel();
    // Stores the port (page 4's OK); false when nothing was stored.
    bool store();
    // A letter typed in page 2's list: the list starts at the letters typed about a second
    // apart or less.
    void standardPortKey(QChar key);

signals:
    // A port was written to the table: previousName is the name it had before a modification
    // (empty for a new port).
    void portStored(const QString& previousName, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    QWidget* buildPage1();
    QWidget* buildPage2();
    QWidget* buildPage3();
    QWidget* buildPage4();
    void showPage(int page);
    void enterStandardPortChoice();
    bool chooseStandardPort();
    bool readPage3();
    void fillSummary();
    bool nameTaken(const QString& name) const;

    AppState& state_;
    MessageBoxes& messages_;
    PortWindow& ports_;
    std::function<void()> beforeChoice_;

    TypeAhead typed_;
    bool modifyMode_ = false;
    QString modifiedPortName_;
    QString standardName_;
    PortRecord standard_; // the standard port chosen on page 2
    PortRecord port_;     // the port being built
    QChar decimal_;

    QStackedWidget* pages_ = nullptr;
    // Page 1.
    QPlainTextEdit* memo1_ = nullptr;
    QPushButton* cancel1_ = nullptr;
    QPushButton* next1_ = nullptr;
    // Page 2.
    QPlainTextEdit* memo2_ = nullptr;
    QTableView* standardList_ = nullptr;
    PortListModel* standardModel_ = nullptr;
    QPushButton* cancel2_ = nullptr;
    QPushButton* next2_ = nullptr;
    // Page 3.
    QLabel* nameLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit *dlat_ = nullptr, *mlat_ = nullptr, *nslat_ = nullptr;
    QLineEdit *dlon_ = nullptr, *mlon_ = nullptr, *ewlon_ = nullptr;
    std::array<QLabel*, 2> degreeLabels_{};
    std::array<QLineEdit*, 4> timeFields_{};   // PM VE, PM ME, BM VE, BM ME
    std::array<QLineEdit*, 4> heightFields_{}; // the same order
    std::array<QGroupBox*, 2> groups3_{};
    std::array<QLabel*, 8> heads3_{};
    QPushButton* cancel3_ = nullptr;
    QPushButton* next3_ = nullptr;
    // Page 4.
    std::array<QGroupBox*, 4> groups4_{};
    QLabel* standardLabel_ = nullptr;
    std::array<QLabel*, 8> heads4_{};
    std::array<QLabel*, 16> values_{}; // Label4 .. Label15 at [4..15]
    QPushButton* previous4_ = nullptr;
    QPushButton* ok4_ = nullptr;
};

} // namespace ondrel
