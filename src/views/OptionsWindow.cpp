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

    choixfuseau_ = BoldGroup("choixfuseau", this);
    fuseauItems_ = new QButtonGroup(this);
    auto* fuseauLayout = new QGridLayout(choixfuseau_);
    for (int i = 0; i < 4; ++i) {
        fuseauButtons_[i] = new QRadioButton(choixfuseau_);
        NormalWeight(fuseauButtons_[i]);
        fuseauItems_->addButton(fuseauButtons_[i], i);
        fuseauLayout->addWidget(fuseauButtons_[i], i, 0);
    }
    SEFuseau_ = new QSpinBox(choixfuseau_);
    SEFuseau_->setObjectName(QStringLiteral("SEFuseau"));
    SEFuseau_->setRange(-12, 12);
    SEFuseau_->setValue(0);
    NormalWeight(SEFuseau_);
    fuseauLayout->addWidget(SEFuseau_, 3, 1);

    GBHeures_ = BoldGroup("GBHeures", this);
    LHeureDeb_ = new QLabel(GBHeures_);
    LHeureFin_ = new QLabel(GBHeures_);
    MHeureDeb_ = new QLineEdit(QStringLiteral("06:00"), GBHeures_);
    MHeureFin_ = new QLineEdit(QStringLiteral("22:00"), GBHeures_);
    MHeureDeb_->setObjectName(QStringLiteral("MHeureDeb"));
    MHeureFin_->setObjectName(QStringLiteral("MHeureFin"));
    auto* hoursLayout = new QGridLayout(GBHeures_);
    hoursLayout->addWidget(LHeureDeb_, 0, 0);
    hoursLayout->addWidget(MHeureDeb_, 0, 1);
    hoursLayout->addWidget(LHeureFin_, 1, 0);
    hoursLayout->addWidget(MHeureFin_, 1, 1);
    for (QLineEdit* field : {MHeureDeb_, MHeureFin_}) {
        // Two hour digits (the first optional), a fixed colon, two minute digits.
        field->setInputMask(QStringLiteral("90:00;_"));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 20);
        field->installEventFilter(this);
        NormalWeight(field);
    }
    NormalWeight(LHeureDeb_);
    NormalWeight(LHeureFin_);

    choixunite_ = BoldGroup("choixunite", this);
    uniteItems_ = new QButtonGroup(this);
    auto* unitLayout = new QVBoxLayout(choixunite_);
    for (int i = 0; i < 2; ++i) {
        uniteButtons_[i] = new QRadioButton(choixunite_);
        NormalWeight(uniteButtons_[i]);
        uniteItems_->addButton(uniteButtons_[i], i);
        unitLayout->addWidget(uniteButtons_[i]);
    }
    uniteButtons_[0]->setChecked(true);

    ChoixTaillePoliceImpression_ = BoldGroup("ChoixTaillePoliceImpression", this);
    LTaille_ = new QLabel(ChoixTaillePoliceImpression_);
    SETaille_ = new QSpinBox(ChoixTaillePoliceImpression_);
    SETaille_->setObjectName(QStringLiteral("SETaille"));
    SETaille_->setRange(5, 24);
    SETaille_->setValue(8);
    NormalWeight(LTaille_);
    NormalWeight(SETaille_);
    auto* sizeLayout = new QHBoxLayout(ChoixTaillePoliceImpression_);
    sizeLayout->addWidget(LTaille_);
    sizeLayout->addWidget(SETaille_);
    sizeLayout->addStretch(1);

    boutonOK_ = new QPushButton(QStringLiteral("&OK"), this);
    boutonOK_->setObjectName(QStringLiteral("boutonOK"));
    boutonOK_->setDefault(true);
    boutonAnnuler_ = new QPushButton(this);
    boutonAnnuler_->setObjectName(QStringLiteral("boutonAnnuler"));
    boutonAnnuler_->setAutoDefault(false);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(choixfuseau_);
    leftColumn->addWidget(choixunite_);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(GBHeures_);
    rightColumn->addWidget(ChoixTaillePoliceImpression_);
    rightColumn->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addLayout(rightColumn);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(boutonOK_);
    buttons->addWidget(boutonAnnuler_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(fuseauItems_, &QButtonGroup::idClicked, this, [this](int id) { choixfuseauClick(id); });
    connect(boutonOK_, &QPushButton::clicked, this, [this] { boutonOKClick(); });
    connect(boutonAnnuler_, &QPushButton::clicked, this, [this] { boutonAnnulerClick(); });

    FormCreate();
}

void OptionsWindow::FormCreate() {
    const Settings& s = state_.settings;
    uniteButtons_[s.coefUnite == 1 ? 0 : 1]->setChecked(true);
    const int code = s.heureService;
    const int item = (code == 0 || code == 1 || code == 2) ? code : 3;
    fuseauButtons_[item]->setChecked(true);
    if (item == 3) SEFuseau_->setValue(code - 100);
    SEFuseau_->setEnabled(item == 3);
    MHeureDeb_->setText(RealToHms(s.heureDebut));
    MHeureFin_->setText(RealToHms(s.heureFin));
    SETaille_->setValue(s.tailleImpression);

    // The built-in texts are the French ones.
    const bool english = s.english();
    choixfuseau_->setTitle(english ? QStringLiteral(" Time zone ") : QStringLiteral(" Fuseau horaire "));
    const QStringList fuseauTexts =
        english ? QStringList{"local time", "winter time (UT+1)", "summer time (UT+2)", "Time UT +"}
                : QStringList{"Heure locale", "Heure d'hiver (UT+1)", "Heure d'été (UT+2)", "Heure UT +"};
    for (int i = 0; i < 4; ++i) fuseauButtons_[i]->setText(fuseauTexts[i]);
    choixunite_->setTitle(english ? QStringLiteral(" Height unit ") : QStringLiteral(" Unité de hauteur "));
    uniteButtons_[0]->setText(english ? QStringLiteral("meter") : QStringLiteral("mètre"));
    uniteButtons_[1]->setText(english ? QStringLiteral("foot") : QStringLiteral("pied"));
    ChoixTaillePoliceImpression_->setTitle(english ? QStringLiteral(" Print font") : QStringLiteral(" Police d'impression"));
    LTaille_->setText(english ? QStringLiteral("Size :") : QStringLiteral("Taille :"));
    GBHeures_->setTitle(english ? QStringLiteral(" Display the curve between hours")
                                : QStringLiteral(" Afficher la courbe entre les heures"));
    LHeureDeb_->setText(english ? QStringLiteral("Begining hour") : QStringLiteral("Heure de début"));
    LHeureFin_->setText(english ? QStringLiteral("Ending hour") : QStringLiteral("Heure de fin"));
    boutonAnnuler_->setText(english ? QStringLiteral("&Cancel") : QStringLiteral("&Annuler"));
}

void OptionsWindow::choixfuseauClick(int item) {
    if (item == 3) {
        SEFuseau_->setEnabled(true);
        return;
    }
    SEFuseau_->setEnabled(false);
    const bool english = state_.settings.english();
    static const char* const french[] = {"heure locale", "heure d'hiver (UT+1)", "heure d'été (UT+2)"};
    static const char* const englishTexts[] = {"local time", "winter time (UT+1)", "summer time (UT+2)"};
    emit fuseauLabelChanged(QString::fromUtf8(english ? englishTexts[item] : french[item]));
}

void OptionsWindow::MHeureDebExit() {
    if (IsValidTimeOfDay(MHeureDeb_->text().toStdString())) return;
    inform(state_.settings.french() ? QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")
                                    : QStringLiteral("Time must be less than 24. Please try again"));
    MHeureDeb_->setText(QStringLiteral("00:00"));
}

void OptionsWindow::MHeureFinExit() {
    const QString text = MHeureFin_->text();
    if (IsValidTimeOfDay(text.toStdString())) return;
    if (text != u"24:00")
        inform(state_.settings.french() ? QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")
                                        : QStringLiteral("Time must be less then 24. Please try again"));
    MHeureFin_->setText(QStringLiteral("24:00"));
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
    const int item = fuseauItems_->checkedId();
    return item == 3 ? SEFuseau_->value() + 100 : std::max(item, 0);
}

void OptionsWindow::boutonOKClick() {
    ++busy_; // no activation reloads the controls while they are being read
    // Enter may confirm while an hour field still has the focus: check both fields first.
    MHeureDebExit();
    MHeureFinExit();

    Settings& s = state_.settings;
    const bool english = s.english();

    const int code = chosenTimeReference();
    if (code != s.heureService) {
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
        emit fuseauLabelChanged(label);
        s.heureService = code;
        state_.context.setTimeReference(code);
    }

    const double start = HmsToReal(MHeureDeb_->text());
    const double end = HmsToReal(MHeureFin_->text());
    if ((start != s.heureDebut || end != s.heureFin) && start < 1.0 && end < 2.0 && start < end) {
        s.heureDebut = start;
        s.heureFin = end;
    }

    const int unitItem = uniteItems_->checkedId();
    if (unitItem == 0 && s.coefUnite != 1) {
        s.coefUnite = 1;
        inform(english ? QStringLiteral("Careful ! All heights will be in meters")
                       : QStringLiteral("Attention ! Toutes les hauteurs seront données en mètres"));
    } else if (unitItem == 1 && s.coefUnite != 3) {
        s.coefUnite = 3;
        inform(english ? QStringLiteral("Careful ! All heights will be in feet")
                       : QStringLiteral("Attention ! Toutes les hauteurs seront données en pieds"));
    }

    if (SETaille_->value() != s.tailleImpression) s.tailleImpression = SETaille_->value();

    --busy_;
    hide();
    emit optionsConfirmed();
}

void OptionsWindow::boutonAnnulerClick() {
    hide();
}

void OptionsWindow::reject() {
    boutonAnnulerClick();
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
    FormCreate();
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
            FormCreate();
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
        if (watched == MHeureDeb_) MHeureDebExit();
        if (watched == MHeureFin_) MHeureFinExit();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
