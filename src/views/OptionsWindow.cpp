#include "OptionsWindow.h"

#include "AppState.h"
#include "HoursText.h"
#include "MessageBoxes.h"

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

} // namespace

OptionsWindow::OptionsWindow(AppState& state, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("TFoptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    timeReferenceBox_ = BoldGroup("choixfuseau", this);
    timeReferenceGroup_ = new QButtonGroup(this);
    auto* fuseauLayout = new QGridLayout(timeReferenceBox_);
    for (int i = 0; i < 4; ++i) {
        timeReferenceButtons_[i] = new QRadioButton(timeReferenceBox_);
        NormalWeight(timeReferenceButtons_[i]);
        timeReferenceGroup_->addButton(timeReferenceButtons_[i], i);
        fuseauLayout->addWidget(timeReferenceButtons_[i], i, 0);
    }
    utOffset_ = new QSpinBox(timeReferenceBox_);
    utOffset_->setObjectName(QStringLiteral("SEFuseau"));
    utOffset_->setRange(-12, 12);
    utOffset_->setValue(0);
    NormalWeight(utOffset_);
    fuseauLayout->addWidget(utOffset_, 3, 1);

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

    unitBox_ = BoldGroup("choixunite", this);
    unitGroup_ = new QButtonGroup(this);
    auto* unitLayout = new QVBoxLayout(unitBox_);
    for (int i = 0; i < 2; ++i) {
        unitButtons_[i] = new QRadioButton(unitBox_);
        NormalWeight(unitButtons_[i]);
        unitGroup_->addButton(unitButtons_[i], i);
        unitLayout->addWidget(unitButtons_[i]);
    }
    unitButtons_[0]->setChecked(true);

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

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(QStringLiteral("boutonOK"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("boutonAnnuler"));
    cancelButton_->setAutoDefault(false);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(timeReferenceBox_);
    leftColumn->addWidget(unitBox_);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(curveHoursBox_);
    rightColumn->addWidget(printSizeBox_);
    rightColumn->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addLayout(rightColumn);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(timeReferenceGroup_, &QButtonGroup::idClicked, this, [this](int id) { timeReferenceChosen(id); });
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });

    setUp();
}

void OptionsWindow::setUp() {
    const Settings& s = state_.settings;
    unitButtons_[s.coefUnite == 1 ? 0 : 1]->setChecked(true);
    const int code = s.timeReference.code();
    const int item = (code == 0 || code == 1 || code == 2) ? code : 3;
    timeReferenceButtons_[item]->setChecked(true);
    if (item == 3) utOffset_->setValue(code - 100);
    utOffset_->setEnabled(item == 3);
    startHourField_->setText(RealToHms(s.heureDebut));
    endHourField_->setText(RealToHms(s.heureFin));
    printSize_->setValue(s.tailleImpression);

    // The built-in texts are the French ones.
    const bool english = s.english();
    timeReferenceBox_->setTitle(english ? QStringLiteral(" Time zone ") : QStringLiteral(" Fuseau horaire "));
    const QStringList fuseauTexts =
        english ? QStringList{"local time", "winter time (UT+1)", "summer time (UT+2)", "Time UT +"}
                : QStringList{"Heure locale", "Heure d'hiver (UT+1)", "Heure d'été (UT+2)", "Heure UT +"};
    for (int i = 0; i < 4; ++i) timeReferenceButtons_[i]->setText(fuseauTexts[i]);
    unitBox_->setTitle(english ? QStringLiteral(" Height unit ") : QStringLiteral(" Unité de hauteur "));
    unitButtons_[0]->setText(english ? QStringLiteral("meter") : QStringLiteral("mètre"));
    unitButtons_[1]->setText(english ? QStringLiteral("foot") : QStringLiteral("pied"));
    printSizeBox_->setTitle(english ? QStringLiteral(" Print font") : QStringLiteral(" Police d'impression"));
    printSizeLabel_->setText(english ? QStringLiteral("Size :") : QStringLiteral("Taille :"));
    curveHoursBox_->setTitle(english ? QStringLiteral(" Display the curve between hours")
                                : QStringLiteral(" Afficher la courbe entre les heures"));
    startHourLabel_->setText(english ? QStringLiteral("Begining hour") : QStringLiteral("Heure de début"));
    endHourLabel_->setText(english ? QStringLiteral("Ending hour") : QStringLiteral("Heure de fin"));
    cancelButton_->setText(english ? QStringLiteral("&Cancel") : QStringLiteral("&Annuler"));
}

void OptionsWindow::timeReferenceChosen(int item) {
    if (item == 3) {
        utOffset_->setEnabled(true);
        return;
    }
    utOffset_->setEnabled(false);
    const bool english = state_.settings.english();
    static const char* const french[] = {"heure locale", "heure d'hiver (UT+1)", "heure d'été (UT+2)"};
    static const char* const englishTexts[] = {"local time", "winter time (UT+1)", "summer time (UT+2)"};
    emit timeReferenceLabelChanged(QString::fromUtf8(english ? englishTexts[item] : french[item]));
}

void OptionsWindow::checkStartHour() {
    if (IsValidTimeOfDay(startHourField_->text().toStdString())) return;
    inform(state_.settings.french() ? QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")
                                    : QStringLiteral("Time must be less than 24. Please try again"));
    startHourField_->setText(QStringLiteral("00:00"));
}

void OptionsWindow::checkEndHour() {
    const QString text = endHourField_->text();
    if (IsValidTimeOfDay(text.toStdString())) return;
    if (text != u"24:00")
        inform(state_.settings.french() ? QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")
                                        : QStringLiteral("Time must be less then 24. Please try again"));
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
    return item == 3 ? utOffset_->value() + 100 : std::max(item, 0);
}

void OptionsWindow::confirm() {
    ++busy_; // no activation reloads the controls while they are being read
    // Enter may confirm while an hour field still has the focus: check both fields first.
    checkStartHour();
    checkEndHour();

    Settings& s = state_.settings;
    const bool english = s.english();

    const int code = chosenTimeReference();
    if (code != s.timeReference.code()) {
        QString confirmation;
        QString label;
        const QString n = QString::number(code - 100);
        switch (code) {
        case 0:
            confirmation = english ? QStringLiteral("Attention ! All times will be in local time")
                                   : QStringLiteral("Attention ! Toutes les heures seront données dans le fuseau du port sélectionné (heure locale)");
            label = english ? QStringLiteral("local time") : QStringLiteral("heure locale");
            break;
        case 1:
            confirmation = english ? QStringLiteral("Attention ! All times will be in winter time (UT + 1)")
                                   : QStringLiteral("Attention ! Toutes les heures seront données en heure d'hiver française (UT + 1)");
            label = english ? QStringLiteral("winter time (UT+1)") : QStringLiteral("heure d'hiver (UT+1)");
            break;
        case 2:
            confirmation = english ? QStringLiteral("Attention ! All times will be in summer time (UT + 2)")
                                   : QStringLiteral("Attention ! Toutes les heures seront données en heure d'été française (UT + 2)");
            label = english ? QStringLiteral("summer time (UT+2)") : QStringLiteral("heure d'été (UT+2)");
            break;
        default:
            confirmation = (english ? QStringLiteral("Attention ! All times will be in UT+ ")
                                    : QStringLiteral("Attention ! Toutes les heures seront données en heure UT + ")) + n;
            label = (english ? QStringLiteral("time UT + ") : QStringLiteral("heure UT + ")) + n;
            break;
        }
        inform(confirmation);
        emit timeReferenceLabelChanged(label);
        s.timeReference = TimeReference(code);
    }

    const double start = HmsToReal(startHourField_->text());
    const double end = HmsToReal(endHourField_->text());
    if ((start != s.heureDebut || end != s.heureFin) && start < 1.0 && end < 2.0 && start < end) {
        s.heureDebut = start;
        s.heureFin = end;
    }

    const int unitItem = unitGroup_->checkedId();
    if (unitItem == 0 && s.coefUnite != 1) {
        s.coefUnite = 1;
        inform(english ? QStringLiteral("Careful ! All heights will be in meters")
                       : QStringLiteral("Attention ! Toutes les hauteurs seront données en mètres"));
    } else if (unitItem == 1 && s.coefUnite != 3) {
        s.coefUnite = 3;
        inform(english ? QStringLiteral("Careful ! All heights will be in feet")
                       : QStringLiteral("Attention ! Toutes les hauteurs seront données en pieds"));
    }

    if (printSize_->value() != s.tailleImpression) s.tailleImpression = printSize_->value();

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
void OptionsWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isVisible()) {
        if (!isActiveWindow()) {
            if (busy_ > 0) messageTookActivation_ = true;
        } else if (busy_ > 0) {
            // Still inside a check or OK: nothing is reloaded under it.
        } else if (messageTookActivation_) {
            messageTookActivation_ = false;
        } else {
            setUp();
        }
    }
    QDialog::changeEvent(event);
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
