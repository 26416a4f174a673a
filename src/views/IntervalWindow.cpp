#include "IntervalWindow.h"

#include "AppState.h"
#include "IntervalSearch.h"
#include "Julian.h"
#include "MessageBoxes.h"
#include "CurveWindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kHelpTopic = 5;
const QString kReadingKey = QStringLiteral("H_sondeur");
const QString kWantedKey = QStringLiteral("H_souhait");
const QString kTimeKey = QStringLiteral("Heure_enregistree");

} // namespace

IntervalWindow::IntervalWindow(AppState& state, MessageBoxes& messages, CurveWindow& curve, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), curve_(curve) {
    setObjectName(QStringLiteral("TFIntervalle"));
    setModal(false);
    setWindowTitle(QStringLiteral("Calcul d'un intervalle"));

    GroupBox1_ = new QGroupBox(QStringLiteral(" Initialisation de la hauteur "), this);
    Label1_ = new QLabel(QStringLiteral("Entrez la hauteur lue au sondeur"), GroupBox1_);
    Sondeur_ = new QLineEdit(GroupBox1_);
    Sondeur_->setObjectName(QStringLiteral("Sondeur"));
    RBHauteurActuelle_ = new QRadioButton(QStringLiteral("Hauteur actuelle"), GroupBox1_);
    RBHauteurActuelle_->setObjectName(QStringLiteral("RBHauteurActuelle"));
    RBHauteurActuelle_->setChecked(true);
    RBHauteurDifferee_ = new QRadioButton(QStringLiteral("Hauteur enregistrée à  :"), GroupBox1_);
    RBHauteurDifferee_->setObjectName(QStringLiteral("RBHauteurDifferee"));
    HeureSondeur_ = new QLineEdit(GroupBox1_);
    HeureSondeur_->setObjectName(QStringLiteral("HeureSondeur"));
    HeureSondeur_->setInputMask(kTimeInputMask);
    HeureSondeur_->setText(QStringLiteral("13:45"));
    Label4_ = new QLabel(QStringLiteral("hh:mm"), GroupBox1_);
    for (QLineEdit* e : {Sondeur_, HeureSondeur_})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00,00 m")) + 16);

    auto* g1 = new QGridLayout(GroupBox1_);
    g1->addWidget(Label1_, 0, 0, 1, 2);
    g1->addWidget(Sondeur_, 0, 2);
    g1->addWidget(RBHauteurActuelle_, 1, 0, 1, 3);
    g1->addWidget(RBHauteurDifferee_, 2, 0);
    g1->addWidget(HeureSondeur_, 2, 1);
    g1->addWidget(Label4_, 2, 2);

    GroupBox2_ = new QGroupBox(QStringLiteral(" Recherche d'un intervalle "), this);
    Label2_ = new QLabel(QStringLiteral("Hauteur désirée"), GroupBox2_);
    Hauteur_dem_ = new QLineEdit(GroupBox2_);
    Hauteur_dem_->setObjectName(QStringLiteral("Hauteur_dem"));
    Hauteur_dem_->setFixedWidth(Sondeur_->width());
    auto* g2 = new QHBoxLayout(GroupBox2_);
    g2->addWidget(Label2_, 1);
    g2->addWidget(Hauteur_dem_);

    BOK_ = new QPushButton(QStringLiteral("OK"), this);
    BOK_->setObjectName(QStringLiteral("BOK"));
    BOK_->setDefault(true);
    BAnnuler_ = new QPushButton(QStringLiteral("Annuler"), this);
    BAnnuler_->setObjectName(QStringLiteral("BAnnuler"));
    BAide_ = new QPushButton(QStringLiteral("Aide"), this);
    BAide_->setObjectName(QStringLiteral("BAide"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BOK_);
    buttons->addWidget(BAnnuler_);
    buttons->addWidget(BAide_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1_);
    layout->addWidget(GroupBox2_);
    layout->addLayout(buttons);

    connect(BOK_, &QPushButton::clicked, this, [this] { BOKClick(); });
    connect(BAnnuler_, &QPushButton::clicked, this, [this] { BAnnulerClick(); });
    connect(BAide_, &QPushButton::clicked, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });
    connect(RBHauteurActuelle_, &QRadioButton::clicked, this, [this] { RBHauteurActuelleClick(); });
    connect(RBHauteurDifferee_, &QRadioButton::clicked, this, [this] { RBHauteurDiffereeClick(); });
    RBHauteurActuelleClick();
    ChargementLangue();
}

void IntervalWindow::ChargementLangue() {
    const bool english = state_.settings.english();
    const bool feet = state_.settings.heightUnit() == HeightUnit::Feet;
    if (!english && !state_.settings.french()) return;
    setWindowTitle(english ? QStringLiteral("Calculation of an interval")
                           : QStringLiteral("Calcul d'un intervalle"));
    GroupBox1_->setTitle(english ? QStringLiteral(" Initialization of the height ")
                                 : QStringLiteral(" Initialisation de la hauteur "));
    GroupBox2_->setTitle(english ? QStringLiteral(" Search for the interval ")
                                 : QStringLiteral(" Recherche d'un intervalle "));
    Label1_->setText(english ? QStringLiteral("Enter the real height")
                             : QStringLiteral("Entrez la hauteur lue au sondeur"));
    RBHauteurActuelle_->setText(english ? QStringLiteral("Actual height")
                                        : QStringLiteral("Hauteur actuelle"));
    RBHauteurDifferee_->setText(english ? QStringLiteral("Height observed at : ")
                                        : QStringLiteral("Hauteur observée à : "));
    BAnnuler_->setText(english ? QStringLiteral("Cancel") : QStringLiteral("Annuler"));
    BAide_->setText(english ? QStringLiteral("Help") : QStringLiteral("Aide"));
    Label2_->setText(english ? QStringLiteral("Requiring height") : QStringLiteral("Hauteur désirée"));
    for (QLineEdit* e : {Sondeur_, Hauteur_dem_}) e->setInputMask(HeightInputMask(english, feet));
    Sondeur_->setText(ReadingFieldText(english, feet));
    Hauteur_dem_->setText(WantedFieldText(english, feet));
}

void IntervalWindow::FormActivate() {
    ChargementLangue();
    const auto store = state_.openSettings();
    Sondeur_->setText(store->value(kReadingKey).toString());
    Hauteur_dem_->setText(store->value(kWantedKey).toString());
    HeureSondeur_->setText(store->value(kTimeKey).toString());
}

// The texts are set and the stored fields read each time the window is shown; coming back to it
// from another window keeps what the user was typing.
void IntervalWindow::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void IntervalWindow::RBHauteurActuelleClick() {
    HeureSondeur_->setEnabled(false);
    Label4_->setEnabled(false);
}

void IntervalWindow::RBHauteurDiffereeClick() {
    HeureSondeur_->setEnabled(true);
    Label4_->setEnabled(true);
}

void IntervalWindow::BAnnulerClick() { hide(); }

QString IntervalWindow::incompleteMessage(const QString& field) const {
    return state_.settings.english()
               ? QStringLiteral("The field \"%1\" is incomplete: please fill in every digit.").arg(field)
               : QStringLiteral("Le champ \"%1\" est incomplet : entrez tous les chiffres.").arg(field);
}

void IntervalWindow::BOKClick() {
    hide();
    {
        const auto store = state_.openSettings();
        store->setValue(kReadingKey, Sondeur_->text());
        store->setValue(kWantedKey, Hauteur_dem_->text());
        store->setValue(kTimeKey, HeureSondeur_->text());
        store->sync();
    }
    // The fields are read in the order of the search; an incomplete one stops it there, with
    // the window hidden and the texts stored (they come back at the next showing, to be mended).
    const auto reading = ReadMaskedHeight(Sondeur_->text());
    const bool recorded = RBHauteurDifferee_->isChecked();
    const auto time = ReadMaskedTime(HeureSondeur_->text());
    const auto wanted = ReadMaskedHeight(Hauteur_dem_->text());
    const auto complain = [this](const QString& name) {
        messages_.information(&curve_, incompleteMessage(name));
    };
    if (!reading) return complain(Label1_->text());
    if (recorded && !time) return complain(RBHauteurDifferee_->text().trimmed());
    if (!wanted) return complain(Label2_->text());

    double instant = state_.selectedDay + (recorded ? *time : 0.0);
    if (!recorded) {
        const QDateTime now = state_.clock();
        instant = JulianDayOfText(now.toString(QStringLiteral("dd MM yyyy hh:mm:ss")).toStdString())
                      .value_or(instant);
    }
    const double target = IntervalTarget(*reading, curve_.heightAt(instant), *wanted);

    curve_.prepareIntervalDrawing();
    const std::vector<double> found = SearchInterval(
        [this](double t) { return curve_.heightAt(t); }, state_.selectedDay, target);
    for (double t : found) curve_.addIntervalPoint(t, target);
    if (found.empty())
        messages_.information(&curve_, state_.settings.english()
                                           ? QStringLiteral("Impossible to find such an interval in the day")
                                           : QStringLiteral("Impossible de trouver un tel intervalle sur la journée"));
}

} // namespace ondrel
