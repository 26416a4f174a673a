#include "views/ports/SecondaryPortWizardPages.h"

#include "engine/PortRecord.h"
#include "rules/CorrectionTexts.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "views/common/ButtonRow.h"
#include "views/common/Widgets.h"
#include "views/ports/PortListModel.h"
#include "views/ports/WizardPageTexts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kPortNameLength = 50;

const WizardPageTexts kTexts;

// The explanation at the top of the first two pages: a fixed text in a fixed face.
QPlainTextEdit* Explanation(QWidget* page) {
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    memo->setFont(fixed);
    const QFontMetrics fm(fixed);
    memo->setFixedSize(fm.horizontalAdvance(QString(58, QLatin1Char('m'))) + 16,
                       fm.lineSpacing() * 7 + 16);
    return memo;
}

// A field of page 3, as wide as its input mask when it has one.
QLineEdit* Field(const char* name, const QString& mask, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (!mask.isEmpty()) {
        e->setInputMask(mask);
        const int width = e->fontMetrics().horizontalAdvance(
            QString(mask.section(QLatin1Char(';'), 0, 0).size() + 2, QLatin1Char('0')));
        e->setFixedWidth(width + 16);
    }
    e->setText(text);
    return e;
}

// A value of the summary, named Label4 to Label15 as it always was.
QLabel* SummaryValue(int number, QWidget* page) {
    auto* value = new QLabel(page);
    value->setObjectName(QStringLiteral("Label%1").arg(number));
    value->setAlignment(Qt::AlignCenter);
    return value;
}

// What a group of corrections shows under its heads: page 3's fields, centred in their columns,
// or the summary's values, under heads as wide as the widest of them.
enum class CorrectionCells { Fields, Values };

// Lays out the four corrections of a group (PM VE, PM ME, BM VE, BM ME) in box, under their heads.
template <typename Cell>
CorrectionGroup LayOutCorrections(QGroupBox* box, const std::array<Cell*, 4>& cells,
                                  CorrectionCells kind) {
    CorrectionGroup group;
    group.box = box;
    auto* grid = new QGridLayout(box);
    for (int h = 0; h < 2; ++h) {
        QLabel* waters = new QLabel(box);
        (h == 0 ? group.highWaters : group.lowWaters) = waters;
        waters->setAlignment(Qt::AlignCenter);
        grid->addWidget(waters, 0, h * 2, 1, 2);
        for (int s = 0; s < 2; ++s) {
            const int column = h * 2 + s;
            QLabel* head = new QLabel(box);
            group.springsOrNeaps[static_cast<std::size_t>(column)] = head;
            head->setAlignment(Qt::AlignCenter);
            if (kind == CorrectionCells::Values)
                head->setMinimumWidth(
                    head->fontMetrics().horizontalAdvance(QStringLiteral("-12,75 m")) + 8);
            grid->addWidget(head, 1, column);
            grid->addWidget(cells[static_cast<std::size_t>(column)], 2, column,
                            kind == CorrectionCells::Fields ? Qt::AlignCenter : Qt::Alignment());
        }
    }
    return group;
}

} // namespace

void CorrectionGroups::retranslate(Language language) const {
    times.box->setTitle(kTexts.times.in(language));
    heights.box->setTitle(kTexts.heights.in(language));
    for (const CorrectionGroup& group : {times, heights}) {
        group.highWaters->setText(kTexts.highWaters.in(language));
        group.lowWaters->setText(kTexts.lowWaters.in(language));
        for (std::size_t i = 0; i < group.springsOrNeaps.size(); ++i)
            group.springsOrNeaps[i]->setText(
                (i % 2 == 0 ? kTexts.springs : kTexts.neaps).in(language));
    }
}

WizardIntroPage::WizardIntroPage() {
    setObjectName(QStringLiteral("TFCorrections1"));
    explanation = Explanation(this);
    cancel = NamedButton("BouttonAnnuler", QString(), this);
    next = NamedButton("BouttonSuivant", QString(), this);
    next->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addStretch(1);
    layout->addLayout(ButtonRow({cancel, next}));
}

void WizardIntroPage::retranslate(Language language) {
    explanation->setPlainText(kTexts.intro.in(language));
    cancel->setText(kCommonTexts.cancel.in(language));
    next->setText(kTexts.next.in(language));
}

StandardPortPage::StandardPortPage(PortTable& table) {
    setObjectName(QStringLiteral("TFCorrections2"));
    explanation = Explanation(this);
    list = Named(new QTableView(this), "DBGrid1");
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setShowGrid(false);
    list->setMinimumHeight(220);
    model = new PortListModel(table, this);
    list->setModel(model);
    cancel = NamedButton("annuler", QString(), this);
    next = NamedButton("suivant", QString(), this);
    next->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(list, 1);
    layout->addLayout(ButtonRow({cancel, next}));
}

void StandardPortPage::retranslate(Language language) {
    explanation->setPlainText(kTexts.standardPortChoice.in(language));
    cancel->setText(kCommonTexts.cancel.in(language));
    next->setText(kTexts.next.in(language));
    model->setHeadings({kCommonTexts.nameHeading.in(language)});
}

void StandardPortPage::showFromFirst() {
    model->refresh();
    if (model->rowCount() > 0) list->setCurrentIndex(model->index(0, 0));
}

CorrectionsPage::CorrectionsPage(QChar decimal) {
    setObjectName(QStringLiteral("TFCorrections3"));
    nameLabel = Named(new QLabel(this), "Label1");
    name = Field("lnom", {}, kCommonTexts.newPortName.in(Language::French), this);
    name->setMaxLength(kPortNameLength);
    latitudeDegrees = Field("dlat", QStringLiteral("90;_"), QStringLiteral("45"), this);
    latitudeMinutes = Field("mlat", QStringLiteral("99;_"), QStringLiteral("00"), this);
    northSouth = Field("nslat", QStringLiteral(">A;_"), QStringLiteral("N"), this);
    longitudeDegrees = Field("dlon", QStringLiteral("900;_"), QStringLiteral("005"), this);
    longitudeMinutes = Field("mlon", QStringLiteral("99;_"), QStringLiteral("00"), this);
    eastWest = Field("ewlon", QStringLiteral(">A;_"), QStringLiteral("W"), this);
    QLayout* position = positionRows();
    createCorrectionFields(decimal);
    QLayout* groups = correctionGroups();
    cancel = NamedButton("annuler", QString(), this);
    next = NamedButton("suivant", QString(), this);
    next->setDefault(true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(position);
    layout->addLayout(groups);
    layout->addStretch(1);
    layout->addLayout(ButtonRow({cancel, next}));
}

// Latitude and longitude, one row each: degrees, minutes and side.
QLayout* CorrectionsPage::positionRows() {
    auto* position = new QGridLayout;
    const auto addRow = [&](int row, const QString& title, QLineEdit* degrees, QLineEdit* minutes,
                            QLineEdit* side) {
        position->addWidget(new QLabel(title, this), row, 0);
        position->addWidget(degrees, row, 1);
        auto* unit = new QLabel(this);
        position->addWidget(unit, row, 2);
        position->addWidget(minutes, row, 3);
        position->addWidget(new QLabel(QStringLiteral("'"), this), row, 4);
        position->addWidget(side, row, 5);
        return unit;
    };
    latitudeUnit_ =
        addRow(0, QStringLiteral("Latitude"), latitudeDegrees, latitudeMinutes, northSouth);
    longitudeUnit_ =
        addRow(1, QStringLiteral("Longitude"), longitudeDegrees, longitudeMinutes, eastWest);
    position->setColumnStretch(6, 1);
    return position;
}

// Each time field is made before the height field of the same correction: Tab goes from one to
// the other.
void CorrectionsPage::createCorrectionFields(QChar decimal) {
    const char* timeNames[] = {"heure_pmve", "heure_pmme", "heure_bmve", "heure_bmme"};
    const char* heightNames[] = {"hauteur_pmve", "hauteur_pmme", "hauteur_bmve", "hauteur_bmme"};
    const QString heightMask = QStringLiteral("#9") + decimal + QStringLiteral("99;_");
    const QString heightText = QStringLiteral("+0") + decimal + QStringLiteral("00");
    for (std::size_t i = 0; i < times.size(); ++i) {
        times[i] = Field(timeNames[i], QStringLiteral("#9 99;_"), QStringLiteral("+0 00"), this);
        heights[i] = Field(heightNames[i], heightMask, heightText, this);
    }
}

QLayout* CorrectionsPage::correctionGroups() {
    auto* groups = new QHBoxLayout;
    groups_.times = LayOutCorrections(new QGroupBox(this), times, CorrectionCells::Fields);
    groups->addWidget(groups_.times.box);
    groups_.heights = LayOutCorrections(new QGroupBox(this), heights, CorrectionCells::Fields);
    // The heights are typed in metres whatever unit the program shows them in.
    auto* grid = static_cast<QGridLayout*>(groups_.heights.box->layout());
    grid->addWidget(new QLabel(QStringLiteral("m"), groups_.heights.box), 2, 4);
    groups->addWidget(groups_.heights.box);
    return groups;
}

void CorrectionsPage::retranslate(Language language, bool modifying) {
    cancel->setText(kCommonTexts.cancel.in(language));
    next->setText(kTexts.correctionsNext.in(language));
    nameLabel->setText((modifying ? kTexts.name : kTexts.newName).in(language));
    // The name a new port starts with, in the language of the moment, while it is untouched.
    for (Language other : {Language::French, Language::English})
        if (name->text() == kCommonTexts.newPortName.in(other))
            name->setText(kCommonTexts.newPortName.in(language));
    latitudeUnit_->setText(kTexts.degrees.in(language));
    longitudeUnit_->setText(kTexts.degrees.in(language));
    groups_.retranslate(language);
}

void CorrectionsPage::setPosition(const QString& latitude, const QString& longitude) {
    latitudeDegrees->setText(latitude.mid(0, 2));
    latitudeMinutes->setText(latitude.mid(3, 2));
    northSouth->setText(latitude.mid(6, 1));
    longitudeDegrees->setText(longitude.mid(0, 3));
    longitudeMinutes->setText(longitude.mid(4, 2));
    eastWest->setText(longitude.mid(7, 1));
}

QString CorrectionsPage::latitude() const {
    return latitudeDegrees->text() + u' ' + latitudeMinutes->text() + u' ' + northSouth->text();
}

QString CorrectionsPage::longitude() const {
    return longitudeDegrees->text() + u' ' + longitudeMinutes->text() + u' ' + eastWest->text();
}

SummaryPage::SummaryPage(QChar decimal) : decimal_(decimal) {
    setObjectName(QStringLiteral("TFCorrections4"));
    for (std::size_t i = 0; i < times_.size(); ++i)
        times_[i] = SummaryValue(4 + static_cast<int>(i), this);
    for (std::size_t i = 0; i < heights_.size(); ++i)
        heights_[i] = SummaryValue(8 + static_cast<int>(i), this);
    portName_ = SummaryValue(12, this);
    standardPortName_ = SummaryValue(13, this);
    latitude_ = SummaryValue(14, this);
    longitude_ = SummaryValue(15, this);
    QFont bold = portName_->font();
    bold.setBold(true);
    portName_->setFont(bold);
    layOutGroups();
    previous = NamedButton("bouton_prec", QString(), this);
    ok = NamedButton("bouton_OK", QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(nameGroup_, 1);
    top->addWidget(miscellaneousGroup_, 1);
    layout->addLayout(top);
    auto* corrections = new QHBoxLayout;
    corrections->addWidget(groups_.times.box);
    corrections->addWidget(groups_.heights.box);
    layout->addLayout(corrections);
    layout->addLayout(ButtonRow({previous, ok}));
}

// The name; the standard port and the position; the corrections of times and of heights.
void SummaryPage::layOutGroups() {
    nameGroup_ = new QGroupBox(this);
    miscellaneousGroup_ = new QGroupBox(this);
    auto* timeGroup = new QGroupBox(this);
    auto* heightGroup = new QGroupBox(this);
    (new QVBoxLayout(nameGroup_))->addWidget(portName_);
    standardPortCaption_ = Named(new QLabel(miscellaneousGroup_), "portprincipal");
    auto* misc = new QGridLayout(miscellaneousGroup_);
    misc->addWidget(standardPortCaption_, 0, 0);
    misc->addWidget(standardPortName_, 0, 1);
    misc->addWidget(new QLabel(QStringLiteral("Latitude"), miscellaneousGroup_), 1, 0);
    misc->addWidget(latitude_, 1, 1);
    misc->addWidget(new QLabel(QStringLiteral("Longitude"), miscellaneousGroup_), 2, 0);
    misc->addWidget(longitude_, 2, 1);
    groups_.times = LayOutCorrections(timeGroup, times_, CorrectionCells::Values);
    groups_.heights = LayOutCorrections(heightGroup, heights_, CorrectionCells::Values);
}

void SummaryPage::retranslate(Language language) {
    nameGroup_->setTitle(kTexts.nameGroup.in(language));
    miscellaneousGroup_->setTitle(kTexts.miscellaneous.in(language));
    standardPortCaption_->setText(kTexts.standardPort.in(language));
    previous->setText(kTexts.previous.in(language));
    groups_.retranslate(language);
}

void SummaryPage::fill(const PortRecord& port, const QString& standardName) {
    portName_->setText(QString::fromStdString(port.name));
    standardPortName_->setText(standardName);
    latitude_->setText(QString::fromStdString(port.latitude));
    longitude_->setText(QString::fromStdString(port.longitude));
    for (std::size_t i = 0; i < times_.size(); ++i) {
        times_[i]->setText(TimeCorrectionText(port.corrections[1 + i]));
        heights_[i]->setText(HeightCorrectionSummary(port.corrections[5 + i], decimal_));
    }
}

} // namespace ondrel
