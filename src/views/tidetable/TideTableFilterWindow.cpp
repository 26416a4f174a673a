#include "views/tidetable/TideTableFilterWindow.h"

#include "engine/TableFilter.h"
#include "rules/IntervalSearch.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/common/Widgets.h"
#include "views/tidetable/FilterTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
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

constexpr int kHelpTopic = 6;

const FilterTexts kTexts;
// The messages of the fields, in French whatever the language.
const QString kCoefficientError =
    QStringLiteral("Erreur de saisie du coefficient. Celui-ci doit être compris entre 20 et 120. "
                   "Veuillez recommencer");
const QString kTimeError = QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer");

// A masked time field with no digit typed.
bool Blank(const QLineEdit* field) {
    QString digits = field->text();
    digits.remove(QLatin1Char(':'));
    return digits.trimmed().isEmpty();
}

std::optional<double> HoursIn(const QLineEdit* field) {
    const auto fraction = ReadMaskedTime(field->text());
    if (!fraction) return std::nullopt;
    return *fraction * 24;
}

} // namespace

TideTableFilterWindow::TideTableFilterWindow(TideTableFilter& filter, const Settings& settings,
                                             const HelpHook& help, MessageBoxes& messages,
                                             QWidget* parent)
    : QDialog(parent), filter_(filter), settings_(settings), help_(help), messages_(messages) {
    setObjectName(QStringLiteral("TFFiltre"));
    setModal(false);
    setWindowTitle(QStringLiteral("Filtre d'annuaire"));
    intro_ = Named(new QLabel(QStringLiteral("Afficher que les marées ont les"), this), "Label1");
    intro2_ = Named(new QLabel(QStringLiteral("caractéristiques suivantes"), this), "Label4");
    buildCoefficientGroup();
    buildKind(high_, true);
    buildKind(low_, false);
    // The times are out of use until "between" is chosen.
    for (Kind* k : {&high_, &low_}) {
        for (QLineEdit* field : {k->from, k->to}) {
            setInUse(field, false);
            field->setReadOnly(true);
        }
    }
    buildButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addWidget(intro2_);
    layout->addWidget(coefficientGroup_);
    layout->addWidget(high_.group);
    layout->addWidget(low_.group);
    layout->addLayout(ButtonRow({okButton_, applyButton_, cancelButton_, helpButton_}));
}

// The bounds of the coefficient, each a box to tick and a field, out of use until ticked.
void TideTableFilterWindow::buildCoefficientGroup() {
    coefficientGroup_ = Named(new QGroupBox(QStringLiteral("  Coefficient  "), this), "GroupBox1");
    minBox_ = Named(new QCheckBox(QStringLiteral("supérieur à"), coefficientGroup_), "CBCoef_inf");
    maxBox_ = Named(new QCheckBox(QStringLiteral("inférieur à"), coefficientGroup_), "CBCoef_sup");
    minField_ = Named(new QLineEdit(coefficientGroup_), "ECoef_inf");
    maxField_ = Named(new QLineEdit(coefficientGroup_), "ECoef_sup");
    auto* coefficients = new QGridLayout(coefficientGroup_);
    int row = 0;
    for (auto [box, field] : {std::pair{minBox_, minField_}, std::pair{maxBox_, maxField_}}) {
        field->setMaxLength(3);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        field->installEventFilter(this);
        coefficients->addWidget(box, row, 0);
        coefficients->addWidget(field, row++, 1);
        connect(box, &QCheckBox::clicked, this, [this, b = box] { coefficientBoxClicked(b); });
        setInUse(field, false);
    }
    coefficients->setColumnStretch(2, 1);
}

// The group of the high waters or of the low waters: all of them, those between two times, or
// none; all at first.
void TideTableFilterWindow::buildKind(Kind& k, bool high) {
    k.group =
        Named(new QGroupBox(
                  high ? QStringLiteral("  Pleine mer  ") : QStringLiteral("  Basse Mer  "), this),
              high ? "GroupBox2" : "GroupBox3");
    k.all = Named(new QRadioButton(high ? QStringLiteral("Toutes les pleines mers")
                                        : QStringLiteral("Toutes les basses mers"),
                                   k.group),
                  high ? "RBToutesPM" : "RBToutesBM");
    k.between = Named(new QRadioButton(high ? QStringLiteral("Les pleines mers comprises entre")
                                            : QStringLiteral("Les basses mers comprises entre"),
                                       k.group),
                      high ? "RBIntervalPM" : "RBIntervalBM");
    k.none = Named(new QRadioButton(high ? QStringLiteral("Aucune pleine mer")
                                         : QStringLiteral("Aucune basse mer"),
                                    k.group),
                   high ? "RBAucunePM" : "RBAucuneBM");
    k.from = Named(new QLineEdit(k.group), high ? "MEPMinf" : "MEBMinf");
    k.to = Named(new QLineEdit(k.group), high ? "MEPMsup" : "MEBMsup");
    k.and_ = Named(new QLabel(QStringLiteral("et"), k.group), high ? "Label2" : "Label3");
    for (QLineEdit* field : {k.from, k.to}) {
        field->setInputMask(kTimeInputMask);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 12);
        field->installEventFilter(this);
    }
    layOutKind(k);
    k.all->setChecked(true);
    connect(k.all, &QRadioButton::clicked, this, [this, high] { allChosen(high); });
    connect(k.between, &QRadioButton::clicked, this, [this, high] { betweenChosen(high); });
    connect(k.none, &QRadioButton::clicked, this, [this, high] { noneChosen(high); });
}

// The choices in a column, the two times under the second one.
void TideTableFilterWindow::layOutKind(const Kind& k) {
    auto* times = new QHBoxLayout;
    times->addSpacing(24);
    times->addWidget(k.from);
    times->addWidget(k.and_);
    times->addWidget(k.to);
    times->addStretch(1);
    auto* layout = new QVBoxLayout(k.group);
    layout->addWidget(k.all);
    layout->addWidget(k.between);
    layout->addLayout(times);
    layout->addWidget(k.none);
}

void TideTableFilterWindow::buildButtons() {
    okButton_ = NamedButton("BOK", QStringLiteral("&OK"), this);
    okButton_->setDefault(true);
    applyButton_ = NamedButton("BAppliquer", QStringLiteral("&Appliquer"), this);
    cancelButton_ = NamedButton("BAnnuler", QStringLiteral("A&nnuler"), this);
    helpButton_ = NamedButton("BAide", QStringLiteral("Ai&de"), this);
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { apply(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { hide(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (help_) help_(kHelpTopic);
    });
}

void TideTableFilterWindow::retranslate() {
    if (!settings_.languageChosen()) return;
    const Language l = settings_.language();
    setWindowTitle(kTexts.caption.in(l));
    intro_->setText(kTexts.intro.in(l));
    intro2_->setText(kTexts.intro2.in(l));
    minBox_->setText(kTexts.above.in(l));
    maxBox_->setText(kTexts.below.in(l));
    high_.group->setTitle(kTexts.highWater.in(l));
    high_.all->setText(kTexts.allHigh.in(l));
    high_.between->setText(kTexts.betweenHigh.in(l));
    high_.none->setText(kTexts.noHigh.in(l));
    low_.group->setTitle(kTexts.lowWater.in(l));
    low_.all->setText(kTexts.allLow.in(l));
    low_.between->setText(kTexts.betweenLow.in(l));
    low_.none->setText(kTexts.noLow.in(l));
    high_.and_->setText(kTexts.and_.in(l));
    low_.and_->setText(kTexts.and_.in(l));
    applyButton_->setText(kTexts.apply.in(l));
    cancelButton_->setText(kTexts.cancel.in(l));
    helpButton_->setText(kTexts.help.in(l));
}

void TideTableFilterWindow::onActivated() {
    retranslate();
}

void TideTableFilterWindow::showEvent(QShowEvent* event) {
    onActivated();
    QDialog::showEvent(event);
}

bool TideTableFilterWindow::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a field for another control of the window; a focus lost to another window or to
    // a message box is not leaving it.
    const auto left = [event] {
        if (event->type() != QEvent::FocusOut) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (left()) {
        if (watched == minField_ || watched == maxField_)
            coefficientFieldLeft(static_cast<QLineEdit*>(watched));
        else if (watched == high_.from || watched == high_.to || watched == low_.from ||
                 watched == low_.to)
            timeFieldLeft(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

// A field in use has the window's colour, one out of use the menu's.
void TideTableFilterWindow::setInUse(QLineEdit* field, bool inUse) {
    QPalette p = field->palette();
    p.setColor(QPalette::Base,
               inUse ? palette().color(QPalette::Base) : palette().color(QPalette::Button));
    field->setPalette(p);
}

void TideTableFilterWindow::coefficientBoxClicked(QCheckBox* box) {
    setInUse(box == minBox_ ? minField_ : maxField_, box->isChecked());
}

void TideTableFilterWindow::coefficientFieldLeft(QLineEdit* field) {
    if (field->text().isEmpty()) return;
    bool ok = false;
    const int c = field->text().toInt(&ok);
    if (ok && c >= 20 && c <= 120) {
        (field == minField_ ? filter_.coefficientMin : filter_.coefficientMax) = c;
        return;
    }
    messages_.information(this, kCoefficientError);
    field->clear();
    field->setFocus();
}

void TideTableFilterWindow::timeFieldLeft(QLineEdit* field) {
    const auto hours = HoursIn(field);
    if (!hours) {
        if (Blank(field)) return;
        messages_.information(this, kTimeError);
        field->clear();
        field->setFocus();
        return;
    }
    TideTableFilter& f = filter_;
    if (field == high_.from) f.highWaterFrom = *hours;
    if (field == high_.to) f.highWaterTo = *hours;
    if (field == low_.from) f.lowWaterFrom = *hours;
    if (field == low_.to) f.lowWaterTo = *hours;
}

void TideTableFilterWindow::allChosen(bool highWaters) {
    Kind& k = kindOf(highWaters);
    for (QLineEdit* field : {k.from, k.to}) {
        setInUse(field, false);
        field->setReadOnly(true);
    }
    TideTableFilter& f = filter_;
    (highWaters ? f.highWaterFrom : f.lowWaterFrom) = 0;
    (highWaters ? f.highWaterTo : f.lowWaterTo) = 24;
    (highWaters ? f.noHighWater : f.noLowWater) = false;
}

void TideTableFilterWindow::betweenChosen(bool highWaters) {
    Kind& k = kindOf(highWaters);
    for (QLineEdit* field : {k.from, k.to}) {
        setInUse(field, true);
        field->setReadOnly(false);
    }
    (highWaters ? filter_.noHighWater : filter_.noLowWater) = false;
}

void TideTableFilterWindow::noneChosen(bool highWaters) {
    allChosen(highWaters);
    (highWaters ? filter_.noHighWater : filter_.noLowWater) = true;
}

bool TideTableFilterWindow::apply() {
    const Language l = settings_.language();
    TideTableFilter& f = filter_;
    const auto coefficient = [&](QCheckBox* box, QLineEdit* field, int& bound, int unset) {
        if (!box->isChecked()) {
            bound = unset;
            return true;
        }
        bool ok = false;
        const int c = field->text().toInt(&ok);
        if (!ok) {
            messages_.information(this, kTexts.notACoefficient.in(l).arg(box->text()));
            field->setFocus();
            return false;
        }
        bound = c;
        return true;
    };
    if (!coefficient(minBox_, minField_, f.coefficientMin, 0)) return false;
    if (!coefficient(maxBox_, maxField_, f.coefficientMax, 130)) return false;
    for (bool high : {true, false}) {
        Kind& k = kindOf(high);
        double& from = high ? f.highWaterFrom : f.lowWaterFrom;
        double& to = high ? f.highWaterTo : f.lowWaterTo;
        if (!k.between->isChecked()) {
            from = 0;
            to = 24;
            continue;
        }
        for (auto [field, bound] : {std::pair{k.from, &from}, std::pair{k.to, &to}}) {
            const auto hours = HoursIn(field);
            if (!hours) {
                messages_.information(this, kTexts.notATime.in(l).arg(k.between->text()));
                field->setFocus();
                return false;
            }
            *bound = *hours;
        }
    }
    return true;
}

void TideTableFilterWindow::confirm() {
    if (apply()) hide();
}

} // namespace ondrel
