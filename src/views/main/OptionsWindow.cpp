#include "views/main/OptionsWindow.h"

#include "engine/HoursText.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/main/OptionsTexts.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ondrel {

namespace {

const QString kConversionProblem = QStringLiteral("Problème de conversion des heures ouvrables");

const OptionsTexts kTexts;

QGroupBox* BoldGroup(const char* name, QWidget* parent) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    return box;
}

// The children of a bold group keep the normal weight.
void NormalWeight(QWidget* w) {
    QFont f = w->font();
    f.setBold(false);
    w->setFont(f);
}

// A bold group of two choices in a column, buttons 0 and 1 of one button group, the first checked.
QGroupBox* ChoiceGroup(const char* name, QWidget* parent, QButtonGroup*& group,
                       QRadioButton* (&buttons)[2]) {
    QGroupBox* box = BoldGroup(name, parent);
    group = new QButtonGroup(parent);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(box);
        NormalWeight(buttons[i]);
        group->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    buttons[0]->setChecked(true);
    return box;
}

} // namespace

OptionsWindow::OptionsWindow(Settings& settings, MessageBoxes& messages, QWidget* parent)
    : ActivatedWindow(parent), settings_(settings), messages_(messages) {
    setObjectName(QStringLiteral("TFoptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    buildTimeReferenceBox();
    buildCurveHoursBox();
    unitBox_ = ChoiceGroup("choixunite", this, unitGroup_, unitButtons_);
    speedUnitBox_ = ChoiceGroup("choixvitesse", this, speedUnitGroup_, speedUnitButtons_);
    buildPrintSizeBox();
    predictionBox_ = ChoiceGroup("choixmodele", this, predictionGroup_, predictionButtons_);
    okButton_ = NamedButton("boutonOK", QStringLiteral("&OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = NamedButton("boutonAnnuler", QString(), this);
    cancelButton_->setAutoDefault(false);
    layOut();

    connect(timeReferenceGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { timeReferenceChosen(id); });
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });

    setUp();
}

// The time references in a column, the UT offset beside the fourth.
void OptionsWindow::buildTimeReferenceBox() {
    timeReferenceBox_ = BoldGroup("choixfuseau", this);
    timeReferenceGroup_ = new QButtonGroup(this);
    auto* timeReferenceLayout = new QGridLayout(timeReferenceBox_);
    for (int i = 0; i < kTimeReferenceItems; ++i) {
        timeReferenceButtons_[i] = new QRadioButton(timeReferenceBox_);
        NormalWeight(timeReferenceButtons_[i]);
        timeReferenceGroup_->addButton(timeReferenceButtons_[i], i);
        timeReferenceLayout->addWidget(timeReferenceButtons_[i], i, 0);
    }
    utOffset_ = new QSpinBox(timeReferenceBox_);
    utOffset_->setObjectName(QStringLiteral("SEFuseau"));
    utOffset_->setRange(-12, 12);
    utOffset_->setValue(0);
    NormalWeight(utOffset_);
    timeReferenceLayout->addWidget(utOffset_, 3, 1);
}

// The first and last hours of the day curve, checked when they are left.
void OptionsWindow::buildCurveHoursBox() {
    curveHoursBox_ = BoldGroup("GBHeures", this);
    startHourLabel_ = new QLabel(curveHoursBox_);
    endHourLabel_ = new QLabel(curveHoursBox_);
    startHourField_ = new QLineEdit(QStringLiteral("06:00"), curveHoursBox_);
    endHourField_ = new QLineEdit(QStringLiteral("22:00"), curveHoursBox_);
    startHourField_->setObjectName(QStringLiteral("MHeureDeb"));
    endHourField_->setObjectName(QStringLiteral("MHeureFin"));
    auto* hoursLayout = new QGridLayout(curveHoursBox_);
    hoursLayout->addWidget(startHourLabel_, 0, 0);
    hoursLayout->addWidget(startHourField_, 0, 1);
    hoursLayout->addWidget(endHourLabel_, 1, 0);
    hoursLayout->addWidget(endHourField_, 1, 1);
    for (QLineEdit* field : {startHourField_, endHourField_}) {
        // Two hour digits (the first optional), a fixed colon, two minute digits.
        field->setInputMask(QStringLiteral("90:00;_"));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 20);
        field->installEventFilter(this);
        NormalWeight(field);
    }
    NormalWeight(startHourLabel_);
    NormalWeight(endHourLabel_);
}

void OptionsWindow::buildPrintSizeBox() {
    printSizeBox_ = BoldGroup("ChoixTaillePoliceImpression", this);
    printSizeLabel_ = new QLabel(printSizeBox_);
    printSize_ = new QSpinBox(printSizeBox_);
    printSize_->setObjectName(QStringLiteral("SETaille"));
    printSize_->setRange(5, 24);
    printSize_->setValue(8);
    NormalWeight(printSizeLabel_);
    NormalWeight(printSize_);
    auto* sizeLayout = new QHBoxLayout(printSizeBox_);
    sizeLayout->addWidget(printSizeLabel_);
    sizeLayout->addWidget(printSize_);
    sizeLayout->addStretch(1);
}

// Time reference and unit on the left; curve hours, print size and model on the right; the
// buttons under them.
void OptionsWindow::layOut() {
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(timeReferenceBox_);
    leftColumn->addWidget(unitBox_);
    leftColumn->addWidget(speedUnitBox_);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(curveHoursBox_);
    rightColumn->addWidget(printSizeBox_);
    rightColumn->addWidget(predictionBox_);
    rightColumn->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addLayout(rightColumn);
    auto* buttons = ButtonRow({okButton_, cancelButton_});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void OptionsWindow::setUp() {
    const Settings& s = settings_;
    unitButtons_[s.heightUnit == HeightUnit::Metres ? 0 : 1]->setChecked(true);
    speedUnitButtons_[s.speedUnit == SpeedUnit::Knots ? 0 : 1]->setChecked(true);
    const int code = s.timeReference.code();
    const int item = (code == 0 || code == 1 || code == 2) ? code
                     : code == TimeReference::kLegalCode   ? kLegalItem
                                                           : 3;
    timeReferenceButtons_[item]->setChecked(true);
    if (item == 3) utOffset_->setValue(code - 100);
    utOffset_->setEnabled(item == 3);
    startHourField_->setText(RealToHms(s.curveStart));
    endHourField_->setText(RealToHms(s.curveEnd));
    printSize_->setValue(s.printFontSize);
    predictionButtons_[s.prediction == PredictionModel::Full ? 1 : 0]->setChecked(true);

    retranslate();
}

// The built-in texts are the French ones.
void OptionsWindow::retranslate() {
    const Language l = settings_.language();
    timeReferenceBox_->setTitle(kTexts.timeReferenceBox.in(l));
    for (int i = 0; i < kTimeReferenceItems; ++i)
        timeReferenceButtons_[i]->setText(kTexts.timeReferenceButtons[i].in(l));
    unitBox_->setTitle(kTexts.unitBox.in(l));
    unitButtons_[0]->setText(kTexts.metre.in(l));
    unitButtons_[1]->setText(kTexts.foot.in(l));
    speedUnitBox_->setTitle(kTexts.speedUnitBox.in(l));
    speedUnitButtons_[0]->setText(kTexts.knots.in(l));
    speedUnitButtons_[1]->setText(kTexts.metresPerSecond.in(l));
    printSizeBox_->setTitle(kTexts.printSizeBox.in(l));
    printSizeLabel_->setText(kTexts.printSize.in(l));
    predictionBox_->setTitle(kTexts.predictionBox.in(l));
    for (int i = 0; i < 2; ++i)
        predictionButtons_[i]->setText(kTexts.predictionButtons[i].in(l));
    curveHoursBox_->setTitle(kTexts.curveHoursBox.in(l));
    startHourLabel_->setText(kTexts.startHour.in(l));
    endHourLabel_->setText(kTexts.endHour.in(l));
    cancelButton_->setText(kTexts.cancel.in(l));
}

void OptionsWindow::timeReferenceChosen(int item) {
    if (item == 3) {
        utOffset_->setEnabled(true);
        return;
    }
    utOffset_->setEnabled(false);
    if (item == kLegalItem) {
        emit timeReferenceLabelChanged(
            QString::fromStdString(TimeReference::PortLegal().label(settings_.language())));
        return;
    }
    emit timeReferenceLabelChanged(kTexts.referenceLabels[item].in(settings_.language()));
}

void OptionsWindow::checkStartHour() {
    if (IsValidTimeOfDay(startHourField_->text().toStdString())) return;
    // Until a language is chosen, in English.
    inform(kTexts.badStartHour.in(settings_.languageOr(Language::English)));
    startHourField_->setText(QStringLiteral("00:00"));
}

void OptionsWindow::checkEndHour() {
    const QString text = endHourField_->text();
    if (IsValidTimeOfDay(text.toStdString())) return;
    if (text != u"24:00") inform(kTexts.badEndHour.in(settings_.languageOr(Language::English)));
    endHourField_->setText(QStringLiteral("24:00"));
}

double OptionsWindow::HmsToReal(const QString& text) {
    if (const auto value = ondrel::HmsToReal(text.toStdString())) return *value;
    plainMessage(kConversionProblem);
    return 0;
}

QString OptionsWindow::RealToHms(double fraction) {
    if (const auto text = ondrel::RealToHms(fraction)) return QString::fromStdString(*text);
    plainMessage(kConversionProblem);
    return {};
}

int OptionsWindow::chosenTimeReference() const {
    const int item = timeReferenceGroup_->checkedId();
    if (item == kLegalItem) return TimeReference::kLegalCode;
    return item == 3 ? utOffset_->value() + 100 : std::max(item, 0);
}

void OptionsWindow::confirm() {
    ++busy_; // no activation reloads the controls while they are being read
    // Enter may confirm while an hour field still has the focus: check both fields first.
    checkStartHour();
    checkEndHour();

    Settings& s = settings_;
    const Language l = s.language();

    const int code = chosenTimeReference();
    if (code != s.timeReference.code()) {
        QString confirmation;
        QString label;
        if (code >= 0 && code <= 2) {
            confirmation = kTexts.referenceChanged[code].in(l);
            label = kTexts.referenceLabels[code].in(l);
        } else if (code == TimeReference::kLegalCode) {
            confirmation = kTexts.legalChanged.in(l);
            label = QString::fromStdString(TimeReference::PortLegal().label(l));
        } else {
            const QString n = QString::number(code - 100);
            confirmation = kTexts.utChanged.in(l) + n;
            label = kTexts.utLabel.in(l) + n;
        }
        inform(confirmation);
        emit timeReferenceLabelChanged(label);
        s.timeReference = TimeReference(code);
    }

    const double start = HmsToReal(startHourField_->text());
    const double end = HmsToReal(endHourField_->text());
    if ((start != s.curveStart || end != s.curveEnd) && start < 1.0 && end < 2.0 && start < end) {
        s.curveStart = start;
        s.curveEnd = end;
    }

    const int unitItem = unitGroup_->checkedId();
    if (unitItem == 0 && s.heightUnit != HeightUnit::Metres) {
        s.heightUnit = HeightUnit::Metres;
        inform(kTexts.metres.in(l));
    } else if (unitItem == 1 && s.heightUnit != HeightUnit::Feet) {
        s.heightUnit = HeightUnit::Feet;
        inform(kTexts.feet.in(l));
    }

    s.speedUnit = speedUnitGroup_->checkedId() == 1 ? SpeedUnit::MetresPerSecond : SpeedUnit::Knots;
    if (printSize_->value() != s.printFontSize) s.printFontSize = printSize_->value();
    s.prediction =
        predictionGroup_->checkedId() == 1 ? PredictionModel::Full : PredictionModel::Table;

    --busy_;
    hide();
    emit optionsConfirmed();
}

void OptionsWindow::cancel() {
    hide();
}

void OptionsWindow::reject() {
    cancel();
}

void OptionsWindow::inform(const QString& text) {
    ++busy_;
    messages_.information(this, text);
    --busy_;
}

void OptionsWindow::plainMessage(const QString& text) {
    ++busy_;
    messages_.plain(this, text);
    --busy_;
}

void OptionsWindow::showEvent(QShowEvent* event) {
    messageTookActivation_ = false;
    setUp();
    QDialog::showEvent(event);
}

// Every activation reloads the controls and the texts (the language may have changed), except
// the one that merely returns from the window's own message box.
void OptionsWindow::activationChanged(bool active) {
    if (!isVisible()) return;
    if (!active) {
        if (busy_ > 0) messageTookActivation_ = true;
    } else if (busy_ > 0) {
        // Still inside a check or OK: nothing is reloaded under it.
    } else if (messageTookActivation_) {
        messageTookActivation_ = false;
    } else {
        onActivated();
    }
}

void OptionsWindow::onActivated() {
    setUp();
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a field is a focus change inside the window: the focus that goes to another window
    // (a message box, the main window) comes back to the same field without it being left.
    if (event->type() == QEvent::FocusOut && isVisible() &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == startHourField_) checkStartHour();
        if (watched == endHourField_) checkEndHour();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
