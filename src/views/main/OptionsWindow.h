// OptionsWindow: the options window. Time reference, height unit, the hours of the day curve, the
// print font size and the prediction model; the settings change only on OK.
#pragma once

#include "views/common/WindowContract.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace ondrel {

struct Settings;
class MessageBoxes;

class OptionsWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    // Each activation reloads the settings and the language.
    void onActivated() override;
    OptionsWindow(Settings& settings, MessageBoxes& messages, QWidget* parent = nullptr);
    void retranslate() override;

    // Loads the controls from the settings and sets the texts; runs at each showing and each
    // activation.
    void setUp();
    void timeReferenceChosen(int item);
    void checkStartHour();
    void checkEndHour();
    void confirm();
    void cancel();

    // HmsToReal and RealToHms with the window's message on failure.
    double HmsToReal(const QString& text);
    QString RealToHms(double fraction);

signals:
    // The main window's label fuseau takes this text at once.
    void timeReferenceLabelChanged(const QString& text);
    // OK: the main window runs its acceptance step again.
    void optionsConfirmed();

protected:
    void activationChanged(bool active) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void buildTimeReferenceBox();
    void buildCurveHoursBox();
    void buildPrintSizeBox();
    void layOut();
    int chosenTimeReference() const;
    // The window's message boxes; the activation that follows one of them does not reload the
    // controls, nor does any activation while OK runs.
    void inform(const QString& text);
    void plainMessage(const QString& text);

    int busy_ = 0; // inside a message box or OK
    bool messageTookActivation_ = false;

    Settings& settings_;
    MessageBoxes& messages_;
    QGroupBox* timeReferenceBox_ = nullptr;
    QButtonGroup* timeReferenceGroup_ = nullptr;
    // The four references, then the port's legal time (item 4, code 200).
    static constexpr int kTimeReferenceItems = 5;
    static constexpr int kLegalItem = 4;
    QRadioButton* timeReferenceButtons_[kTimeReferenceItems] = {};
    QSpinBox* utOffset_ = nullptr;
    QGroupBox* curveHoursBox_ = nullptr;
    QLabel* startHourLabel_ = nullptr;
    QLabel* endHourLabel_ = nullptr;
    QLineEdit* startHourField_ = nullptr;
    QLineEdit* endHourField_ = nullptr;
    QGroupBox* unitBox_ = nullptr;
    QButtonGroup* unitGroup_ = nullptr;
    QRadioButton* unitButtons_[2] = {};
    QGroupBox* speedUnitBox_ = nullptr;
    QButtonGroup* speedUnitGroup_ = nullptr;
    QRadioButton* speedUnitButtons_[2] = {}; // knots, metres per second
    QGroupBox* predictionBox_ = nullptr;
    QButtonGroup* predictionGroup_ = nullptr;
    QRadioButton* predictionButtons_[2] = {}; // the table model, the full harmonics
    QGroupBox* printSizeBox_ = nullptr;
    QLabel* printSizeLabel_ = nullptr;
    QSpinBox* printSize_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace ondrel
