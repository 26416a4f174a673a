// IntervalWindow: the interval calculation. From a sounder reading, now or at a recorded time of
// the selected day, and a wanted depth, the instants of the day at which the sounder will show
// that depth, drawn on the curve.
#pragma once

#include "views/common/WindowContract.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondrel {

struct AppState;
class MessageBoxes;
class CurveWindow;

class IntervalWindow : public QDialog, public WindowContract {
    Q_OBJECT
public:
    IntervalWindow(AppState& state, MessageBoxes& messages, CurveWindow& curve,
                   QWidget* parent = nullptr);
    void retranslate() override;

    void onActivated() override;
    void confirm();
    void cancel();
    void useCurrentHeight();
    void useRecordedHeight();

    QLineEdit* sounderField() const { return sounderField_; }
    QLineEdit* wantedHeightField() const { return wantedHeightField_; }
    QLineEdit* readingTimeField() const { return readingTimeField_; }
    QRadioButton* currentHeightButton() const { return currentHeightButton_; }
    QRadioButton* recordedHeightButton() const { return recordedHeightButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString incompleteMessage(const QString& field) const;

    AppState& state_;
    MessageBoxes& messages_;
    CurveWindow& curve_;
    QGroupBox* readingBox_ = nullptr;
    QGroupBox* searchBox_ = nullptr;
    QLabel* sounderLabel_ = nullptr;
    QLabel* wantedHeightLabel_ = nullptr;
    QLabel* readingTimeHint_ = nullptr;
    QLineEdit* sounderField_ = nullptr;
    QLineEdit* wantedHeightField_ = nullptr;
    QLineEdit* readingTimeField_ = nullptr;
    QRadioButton* currentHeightButton_ = nullptr;
    QRadioButton* recordedHeightButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace ondrel
