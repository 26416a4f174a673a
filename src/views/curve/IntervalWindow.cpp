#include "views/curve/IntervalWindow.h"

#include "engine/Julian.h"
#include "rules/IntervalSearch.h"
#include "state/AppState.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "texts/DateTimeJulian.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/curve/CurveWindow.h"
#include "views/curve/IntervalTexts.h"

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

const IntervalTexts kTexts;

} // namespace

IntervalWindow::IntervalWindow(AppState& state, MessageBoxes& messages, CurveWindow& curve,
                               QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), curve_(curve) {
    setObjectName(QStringLiteral("TFIntervalle"));
    setModal(false);
    setWindowTitle(QStringLiteral("Calcul d'un intervalle"));

    readingBox_ = new QGroupBox(QStringLiteral(" Initialisation de la hauteur "), this);
    sounderLabel_ = new QLabel(QStringLiteral("Entrez la hauteur lue au sondeur"), readingBox_);
    sounderField_ = new QLineEdit(readingBox_);
    sounderField_->setObjectName(QStringLiteral("Sondeur"));
    currentHeightButton_ = new QRadioButton(QStringLiteral("Hauteur actuelle"), readingBox_);
    currentHeightButton_->setObjectName(QStringLiteral("RBHauteurActuelle"));
    currentHeightButton_->setChecked(true);
    recordedHeightButton_ =
        new QRadioButton(QStringLiteral("Hauteur enregistrée à  :"), readingBox_);
    recordedHeightButton_->setObjectName(QStringLiteral("RBHauteurDifferee"));
    readingTimeField_ = new QLineEdit(readingBox_);
    readingTimeField_->setObjectName(QStringLiteral("HeureSondeur"));
    readingTimeField_->setInputMask(kTimeInputMask);
    readingTimeField_->setText(QStringLiteral("13:45"));
    readingTimeHint_ = new QLabel(QStringLiteral("hh:mm"), readingBox_);
    for (QLineEdit* e : {sounderField_, readingTimeField_})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00,00 m")) + 16);

    auto* g1 = new QGridLayout(readingBox_);
    g1->addWidget(sounderLabel_, 0, 0, 1, 2);
    g1->addWidget(sounderField_, 0, 2);
    g1->addWidget(currentHeightButton_, 1, 0, 1, 3);
    g1->addWidget(recordedHeightButton_, 2, 0);
    g1->addWidget(readingTimeField_, 2, 1);
    g1->addWidget(readingTimeHint_, 2, 2);

    searchBox_ = new QGroupBox(QStringLiteral(" Recherche d'un intervalle "), this);
    wantedHeightLabel_ = new QLabel(QStringLiteral("Hauteur désirée"), searchBox_);
    wantedHeightField_ = new QLineEdit(searchBox_);
    wantedHeightField_->setObjectName(QStringLiteral("Hauteur_dem"));
    wantedHeightField_->setFixedWidth(sounderField_->width());
    auto* g2 = new QHBoxLayout(searchBox_);
    g2->addWidget(wantedHeightLabel_, 1);
    g2->addWidget(wantedHeightField_);

    okButton_ = NamedButton("BOK", QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = NamedButton("BAnnuler", QStringLiteral("Annuler"), this);
    helpButton_ = NamedButton("BAide", QStringLiteral("Aide"), this);
    auto* buttons = ButtonRow({okButton_, cancelButton_, helpButton_});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(readingBox_);
    layout->addWidget(searchBox_);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });
    connect(currentHeightButton_, &QRadioButton::clicked, this, [this] { useCurrentHeight(); });
    connect(recordedHeightButton_, &QRadioButton::clicked, this, [this] { useRecordedHeight(); });
    useCurrentHeight();
    retranslate();
}

void IntervalWindow::retranslate() {
    const bool feet = state_.settings.heightUnit == HeightUnit::Feet;
    if (!state_.settings.languageChosen()) return;
    const Language l = state_.settings.language();
    setWindowTitle(kTexts.caption.in(l));
    readingBox_->setTitle(kTexts.readingBox.in(l));
    searchBox_->setTitle(kTexts.searchBox.in(l));
    sounderLabel_->setText(kTexts.sounder.in(l));
    currentHeightButton_->setText(kTexts.currentHeight.in(l));
    recordedHeightButton_->setText(kTexts.recordedHeight.in(l));
    cancelButton_->setText(kCommonTexts.cancel.in(l));
    helpButton_->setText(kCommonTexts.help.in(l));
    wantedHeightLabel_->setText(kTexts.wantedHeight.in(l));
    for (QLineEdit* e : {sounderField_, wantedHeightField_})
        e->setInputMask(HeightInputMask(l, feet));
    sounderField_->setText(ReadingFieldText(l, feet));
    wantedHeightField_->setText(WantedFieldText(l, feet));
}

void IntervalWindow::onActivated() {
    retranslate();
    const auto store = state_.settingsStore.open();
    sounderField_->setText(store->value(kReadingKey).toString());
    wantedHeightField_->setText(store->value(kWantedKey).toString());
    readingTimeField_->setText(store->value(kTimeKey).toString());
}

// The texts are set and the stored fields read each time the window is shown; coming back to it
// from another window keeps what the user was typing.
void IntervalWindow::showEvent(QShowEvent* event) {
    onActivated();
    QDialog::showEvent(event);
}

void IntervalWindow::useCurrentHeight() {
    readingTimeField_->setEnabled(false);
    readingTimeHint_->setEnabled(false);
}

void IntervalWindow::useRecordedHeight() {
    readingTimeField_->setEnabled(true);
    readingTimeHint_->setEnabled(true);
}

void IntervalWindow::cancel() {
    hide();
}

QString IntervalWindow::incompleteMessage(const QString& field) const {
    return kTexts.incomplete.in(state_.settings.language()).arg(field);
}

void IntervalWindow::confirm() {
    hide();
    {
        const auto store = state_.settingsStore.open();
        store->setValue(kReadingKey, sounderField_->text());
        store->setValue(kWantedKey, wantedHeightField_->text());
        store->setValue(kTimeKey, readingTimeField_->text());
        store->sync();
    }
    // The fields are read in the order of the search; an incomplete one stops it there, with
    // the window hidden and the texts stored (they come back at the next showing, to be mended).
    const auto reading = ReadMaskedHeight(sounderField_->text());
    const bool recorded = recordedHeightButton_->isChecked();
    const auto time = ReadMaskedTime(readingTimeField_->text());
    const auto wanted = ReadMaskedHeight(wantedHeightField_->text());
    const auto complain = [this](const QString& name) {
        messages_.information(&curve_, incompleteMessage(name));
    };
    if (!reading) return complain(sounderLabel_->text());
    if (recorded && !time) return complain(recordedHeightButton_->text().trimmed());
    if (!wanted) return complain(wantedHeightLabel_->text());

    // The instants in the frame of the day curve (with the legal time, the offset in force at
    // the day's start).
    double instant = curve_.frameTimeOfClock(state_.selectedDay + (recorded ? *time : 0.0));
    if (!recorded) instant = curve_.now();
    const double target = IntervalTarget(*reading, curve_.heightAt(instant), *wanted);

    curve_.prepareIntervalDrawing();
    const double dayStart = curve_.frameTimeOfClock(state_.selectedDay);
    const double dayEnd = curve_.frameTimeOfClock(state_.selectedDay + 1);
    const std::vector<double> found = SearchInterval(
        [this](double t) { return curve_.heightAt(t); }, dayStart, target, dayEnd - dayStart);
    for (double t : found)
        curve_.addIntervalPoint(t, target);
    if (found.empty())
        messages_.information(&curve_, kTexts.notFound.in(state_.settings.language()));
}

} // namespace ondrel
