#include "views/ports/SecondaryPortWizard.h"

#include "ports/Cp1252.h"
#include "ports/PortLoader.h"
#include "ports/PortStore.h"
#include "ports/PortTable.h"
#include "rules/CorrectionTexts.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "views/common/MessageBoxes.h"
#include "views/ports/PortListModel.h"
#include "views/ports/PortWindow.h"
#include "views/ports/SecondaryPortWizardPages.h"
#include "views/ports/WizardTexts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace ondrel {

namespace {

const WizardTexts kTexts;

// The same in both languages.
const QString kNorthSouth = QStringLiteral("Attention : vous ne pouvez entrer que \"N\" ou \"S\"");
const QString kEastWest = QStringLiteral("Attention : vous ne pouvez entrer que \"E\" ou \"W\"");
const QString kBadTime = QStringLiteral("Problème fichier corrections 3 ligne 112 et 113");
const QString kBadHeight = QStringLiteral("Problème fichier corrections 3 ligne 96 à 99");

} // namespace

SecondaryPortWizard::SecondaryPortWizard(const Settings& settings, MessageBoxes& messages,
                                         PortWindow& ports, QWidget* parent)
    : ActivatedWindow(parent), settings_(settings), messages_(messages), ports_(ports) {
    setObjectName(QStringLiteral("TFCorrections"));
    setModal(false);
    const QString d = settings_.decimalSeparator;
    decimal_ = d.isEmpty() ? QLatin1Char('.') : d.front();

    pages_ = new QStackedWidget(this);
    introPage_ = new WizardIntroPage;
    pages_->addWidget(introPage_);
    standardPortPage_ = new StandardPortPage(ports_.table());
    pages_->addWidget(standardPortPage_);
    correctionsPage_ = new CorrectionsPage(decimal_);
    pages_->addWidget(correctionsPage_);
    summaryPage_ = new SummaryPage(decimal_);
    pages_->addWidget(summaryPage_);
    connectPages();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    retranslate();
}

void SecondaryPortWizard::connectPages() {
    for (QPushButton* b : {introPage_->cancel, standardPortPage_->cancel, correctionsPage_->cancel})
        connect(b, &QPushButton::clicked, this, [this] { cancel(); });
    for (QPushButton* b : {introPage_->next, standardPortPage_->next, correctionsPage_->next})
        connect(b, &QPushButton::clicked, this, [this] { next(); });
    QTableView* list = standardPortPage_->list;
    list->installEventFilter(this);
    connect(list, &QTableView::doubleClicked, this, [this] { next(); });
    // A side of the position is one of two letters; anything else typed there is pointed out.
    const auto warnOffSide = [this](QLineEdit* side, const QString& one, const QString& other,
                                    const QString& warning) {
        connect(side, &QLineEdit::textEdited, this, [=, this](const QString& text) {
            if (!text.trimmed().isEmpty() && text != one && text != other)
                messages_.information(this, warning);
        });
    };
    warnOffSide(correctionsPage_->northSouth, QStringLiteral("N"), QStringLiteral("S"),
                kNorthSouth);
    warnOffSide(correctionsPage_->eastWest, QStringLiteral("E"), QStringLiteral("W"), kEastWest);
    connect(summaryPage_->previous, &QPushButton::clicked, this, [this] { previous(); });
    connect(summaryPage_->ok, &QPushButton::clicked, this, [this] { store(); });
}

void SecondaryPortWizard::retranslate() {
    const Language l = settings_.language();
    const Bilingual* captions[] = {&kTexts.caption1, &kTexts.caption2,
                                   modifyMode_ ? &kTexts.caption3Modify : &kTexts.caption3,
                                   modifyMode_ ? &kTexts.caption4Modify : &kTexts.caption4};
    setWindowTitle(captions[page() - 1]->in(l));
    introPage_->retranslate(l);
    standardPortPage_->retranslate(l);
    correctionsPage_->retranslate(l, modifyMode_);
    summaryPage_->retranslate(l);
}

int SecondaryPortWizard::page() const {
    return pages_->currentIndex() + 1;
}

void SecondaryPortWizard::showPage(QWidget* page) {
    // The window takes the size of the page shown, not of the largest.
    for (int i = 0; i < pages_->count(); ++i) {
        const auto policy =
            pages_->widget(i) == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        pages_->widget(i)->setSizePolicy(policy, policy);
    }
    pages_->setCurrentWidget(page);
    retranslate();
    adjustSize();
    // Enter goes on: the first page and the summary start on their default button.
    if (page == introPage_) introPage_->next->setFocus();
    if (page == standardPortPage_) standardPortPage_->list->setFocus();
    if (page == correctionsPage_) correctionsPage_->name->setFocus();
    if (page == summaryPage_) summaryPage_->ok->setFocus();
    if (!isVisible()) show();
    raise();
    activateWindow();
}

void SecondaryPortWizard::startAdd() {
    modifyMode_ = false;
    showPage(introPage_);
}

void SecondaryPortWizard::startModify() {
    PortTable& table = ports_.table();
    modifyMode_ = true;
    modifiedPortName_ = table.text(PortColumn::NOM);
    try {
        Chargement(table, port_,
                   [this](const QString& text) { messages_.information(this, text); });
    } catch (const TableError& e) {
        messages_.information(this, QString::fromUtf8(e.what()));
    }
    standardName_ = table.text(PortColumn::PORT_REF);
    CorrectionsPage& page = *correctionsPage_;
    page.name->setText(modifiedPortName_);
    page.setPosition(table.text(PortColumn::LATITUDE), table.text(PortColumn::LONGITUDE));
    for (int i = 0; i < 4; ++i) {
        const auto field = static_cast<std::size_t>(i);
        page.times[field]->setText(TimeCorrectionEditText(table.real(PortColumn::TPMVE + i)));
        page.heights[field]->setText(
            HeightCorrectionEditText(table.real(PortColumn::HPMVE + i), decimal_));
    }
    showPage(correctionsPage_);
}

void SecondaryPortWizard::next() {
    QWidget* shown = pages_->currentWidget();
    if (shown == introPage_) {
        if (beforeChoice_) beforeChoice_();
        enterStandardPortChoice();
    } else if (shown == standardPortPage_) {
        if (chooseStandardPort()) showPage(correctionsPage_);
    } else if (shown == correctionsPage_) {
        if (readCorrections()) {
            summaryPage_->fill(port_, standardName_);
            showPage(summaryPage_);
        }
    }
}

void SecondaryPortWizard::previous() {
    if (pages_->currentWidget() == summaryPage_) showPage(correctionsPage_);
}

void SecondaryPortWizard::cancel() {
    hide();
}

void SecondaryPortWizard::reject() {
    cancel();
}

void SecondaryPortWizard::enterStandardPortChoice() {
    if (const QString problem = ports_.reopenInOrder(PortTag::Standard); !problem.isEmpty())
        messages_.information(this, problem);
    standardPortPage_->showFromFirst();
    typed_.clear();
    showPage(standardPortPage_);
}

void SecondaryPortWizard::standardPortKey(QChar key) {
    if (ports_.table().narrowToNamesFrom(typed_.add(key))) standardPortPage_->showFromFirst();
}

bool SecondaryPortWizard::chooseStandardPort() {
    const QModelIndex current = standardPortPage_->list->currentIndex();
    if (!current.isValid() || !standardPortPage_->model->moveTo(current.row())) {
        messages_.information(this, kTexts.noStandardPort.in(settings_.language()));
        return false;
    }
    PortTable& table = ports_.table();
    try {
        Chargement(table, standard_,
                   [this](const QString& text) { messages_.information(this, text); });
    } catch (const TableError& e) {
        messages_.information(this, QString::fromUtf8(e.what()));
        return false;
    }
    standardName_ = table.text(PortColumn::NOM);
    modifyMode_ = false;
    return true;
}

bool SecondaryPortWizard::nameTaken(const QString& name) const {
    if (modifyMode_ && NameKey(name) == NameKey(modifiedPortName_)) return false;
    PortTable& table = ports_.table();
    if (!table.isOpen()) return false;
    const PortTable::UnfilteredView every(table, PortTag::Name);
    return table.findKey(name);
}

// Page 3's fields into the port being built; a field that cannot be read is refused, said why,
// and focused.
bool SecondaryPortWizard::readCorrections() {
    const Language l = settings_.language();
    const CorrectionsPage& page = *correctionsPage_;
    const QString name = page.name->text();
    const auto refuse = [this](QLineEdit* field, const QString& text) {
        messages_.information(this, text);
        field->setFocus();
        field->selectAll();
        return false;
    };
    if (name.trimmed().isEmpty()) return refuse(page.name, kTexts.emptyName.in(l));
    bool taken = false;
    try {
        taken = nameTaken(name);
    } catch (const TableError& e) {
        return refuse(page.name, QString::fromUtf8(e.what()));
    }
    if (taken) return refuse(page.name, kTexts.nameTaken.in(l).arg(name.trimmed()));

    // A position within the globe: degrees and minutes in range.
    const auto inRange = [](const QLineEdit* degrees, const QLineEdit* minutes, int most) {
        bool okD = false, okM = false;
        const int d = degrees->text().trimmed().toInt(&okD);
        const int m = minutes->text().trimmed().toInt(&okM);
        return okD && okM && d >= 0 && m >= 0 && m < 60 && d * 60 + m <= most * 60;
    };
    if (!inRange(page.latitudeDegrees, page.latitudeMinutes, 90))
        return refuse(page.latitudeDegrees, kTexts.badLatitude.in(l));
    if (!inRange(page.longitudeDegrees, page.longitudeMinutes, 180))
        return refuse(page.longitudeDegrees, kTexts.badLongitude.in(l));

    // The first line of the two messages below is the program's own, in French only.
    const QString timeHead = l == Language::French ? kBadTime + QLatin1Char('\n') : QString();
    const QString heightHead = l == Language::French ? kBadHeight + QLatin1Char('\n') : QString();
    std::array<double, 4> times{}, heights{};
    for (std::size_t i = 0; i < times.size(); ++i) {
        const auto t = TimeCorrectionOfText(page.times[i]->text());
        if (!t)
            return refuse(page.times[i],
                          timeHead + kTexts.badTime.in(l).arg(kTexts.corrected[i].in(l)));
        times[i] = *t;
    }
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const auto h = HeightCorrectionOfText(page.heights[i]->text(), decimal_);
        if (!h)
            return refuse(page.heights[i],
                          heightHead + kTexts.badHeight.in(l).arg(
                                           kTexts.corrected[i].in(l), decimal_,
                                           QStringLiteral("+0") + decimal_ + QStringLiteral("50"),
                                           QStringLiteral("-1") + decimal_ + QStringLiteral("75")));
        heights[i] = *h;
    }
    port_.name = name.toStdString();
    port_.latitude = page.latitude().toStdString();
    port_.longitude = page.longitude().toStdString();
    for (std::size_t i = 0; i < 4; ++i) {
        port_.corrections[1 + i] = times[i];
        port_.corrections[5 + i] = heights[i];
    }
    return true;
}

bool SecondaryPortWizard::store() {
    const Language l = settings_.language();
    ports_.reopenTable(true);
    PortTable& table = ports_.table();
    const QString name = QString::fromStdString(port_.name);
    try {
        if (!StoreSecondaryPort(table, port_, standard_, standardName_,
                                modifyMode_ ? modifiedPortName_ : QString())) {
            hide();
            messages_.information(this, kTexts.lost.in(l).arg(modifiedPortName_));
            ports_.refreshList();
            return false;
        }
    } catch (const TableError& e) {
        // The wizard stays on its last page with the user's values: OK may be pressed again
        // once the table is free.
        messages_.information(this, TableFailureText(e, l));
        ports_.refreshList();
        return false;
    }
    hide();
    ports_.refreshList();
    messages_.information(this, name + (modifyMode_ ? kTexts.modified : kTexts.added).in(l));
    emit portStored(modifyMode_ ? modifiedPortName_ : QString(), name);
    return true;
}

// Page 2's list: a letter starts the list at that letter, Enter goes on.
bool SecondaryPortWizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == standardPortPage_->list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            next();
            return true;
        }
        const QString text = key->text();
        if (text.size() == 1 && text.front().isLetter() && text.front().unicode() < 128) {
            standardPortKey(text.front());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ondrel
