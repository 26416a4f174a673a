// TideTableFilterWindow: the conditions of the tide table, coefficient bounds and time-of-day
// windows for high and low waters, kept in the application state for every later calculation.
#pragma once

#include "state/Services.h"
#include "views/common/WindowContract.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondrel {

struct Settings;
struct TideTableFilter;
class MessageBoxes;

class TideTableFilterWindow : public QDialog, public WindowContract {
    Q_OBJECT
public:
    TideTableFilterWindow(TideTableFilter& filter, const Settings& settings, const HelpHook& help,
                          MessageBoxes& messages, QWidget* parent = nullptr);
    void retranslate() override;
    // A language switch refreshes the whole window, as an activation does.
    void followLanguage() override { onActivated(); }

    void onActivated() override;
    // The handlers of the controls, by what they do.
    void coefficientBoxClicked(QCheckBox* box);
    void coefficientFieldLeft(QLineEdit* field);
    void timeFieldLeft(QLineEdit* field);
    void allChosen(bool highWaters);
    void betweenChosen(bool highWaters);
    void noneChosen(bool highWaters);
    // Stores the fields' values in order; false when a field stopped it.
    bool apply();
    void confirm();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kind {
        QGroupBox* group = nullptr;
        QRadioButton* all = nullptr;
        QRadioButton* between = nullptr;
        QRadioButton* none = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QLabel* and_ = nullptr;
    };
    void buildCoefficientGroup();
    void buildKind(Kind& k, bool high);
    void layOutKind(const Kind& k);
    void buildButtons();
    void setInUse(QLineEdit* field, bool inUse);
    Kind& kindOf(bool highWaters) { return highWaters ? high_ : low_; }

    TideTableFilter& filter_;
    const Settings& settings_;
    const HelpHook& help_;
    MessageBoxes& messages_;
    QLabel* intro_ = nullptr;
    QLabel* intro2_ = nullptr;
    QGroupBox* coefficientGroup_ = nullptr;
    QCheckBox* minBox_ = nullptr;
    QCheckBox* maxBox_ = nullptr;
    QLineEdit* minField_ = nullptr;
    QLineEdit* maxField_ = nullptr;
    Kind high_;
    Kind low_;
    QPushButton* okButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace ondrel
