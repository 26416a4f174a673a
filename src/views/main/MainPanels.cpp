#include "views/main/MainPanels.h"

#include "engine/Report.h"
#include "engine/TideContext.h"
#include "texts/CommonTexts.h"
#include "views/main/MainWindowTexts.h"
#include "views/ports/PortWindow.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ondrel {

namespace {

const MainWindowTexts kTexts;
// The main window's texts that are the same in every language.
const QString kOptionsCaption = QStringLiteral("&Options ...");
const QString kSelDateCaption = QStringLiteral("Date");
const QString kCoefficientsTitle = QStringLiteral(" Coefficients ");
// The built-in texts, before a language is chosen.
constexpr Language kBuiltIn = Language::French;

QPushButton* Button(const char* name, QWidget* parent) {
    auto* b = Named(new QPushButton(parent), name);
    b->setAutoDefault(true); // Enter presses the focused button
    return b;
}

QLabel* SunkenLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(3);
    return label;
}

QLabel* TitleLabel(const char* text, const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(QString::fromUtf8(text), parent), name);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void MakeBold(QWidget* widget, bool italic = false) {
    QFont f = widget->font();
    f.setBold(true);
    f.setItalic(italic);
    widget->setFont(f);
}

// A control keeps the width of the widest of the texts it can show.
template <typename W> void HoldWidest(W* widget, const QStringList& texts) {
    const QString shown = widget->text();
    int widest = widget->minimumWidth();
    for (const QString& t : texts) {
        widget->setText(t);
        widest = std::max(widest, widget->sizeHint().width());
    }
    widget->setText(shown);
    widget->setMinimumWidth(widest);
}

QStringList BothLanguages(std::initializer_list<Bilingual> texts) {
    QStringList all;
    for (const Bilingual& t : texts)
        all << t.in(Language::French) << t.in(Language::English);
    return all;
}

// The widest line of the day report in either language and unit.
int WidestReportLine(const QFontMetrics& fm) {
    int widest = 0;
    for (Language l : {Language::French, Language::English}) {
        const DayEvents sample{{2460000.78, 15.31}, {-2460000.99, 15.31}};
        for (HeightUnit unit : {HeightUnit::Feet, HeightUnit::Metres})
            for (const std::string& line : DayReportLines(sample, unit, l))
                widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(line)));
    }
    return widest;
}

} // namespace

MainTopPanel::MainTopPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    portButton_ = Button("SelPort", this);
    dateButton_ = Button("SelDate", this);
    dateButton_->setText(kSelDateCaption);
    portButton_->setText(QStringLiteral("&Port"));
    portLabel_ = SunkenLabel("PortSelection", this);
    dateLabel_ = SunkenLabel("DateSelection", this);
    MakeBold(portLabel_);
    const int wide =
        fontMetrics().horizontalAdvance(QStringLiteral("Mercredi, 30 septembre 2026 MMMMMM"));
    portLabel_->setMinimumWidth(wide);
    dateLabel_->setMinimumWidth(wide);
    portLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    portLabel_->setWordWrap(true);
    portLabel_->setMinimumHeight(2 * QFontMetrics(portLabel_->font()).lineSpacing() +
                                 2 * portLabel_->margin() + 2 * portLabel_->frameWidth());

    coefficientsBox_ = Named(new QGroupBox(kCoefficientsTitle, this), "boiteCoefficients");
    MakeBold(coefficientsBox_);
    morningCoefficient_ = Named(new QLabel(coefficientsBox_), "coeffmatin");
    eveningCoefficient_ = Named(new QLabel(coefficientsBox_), "CoeffSoir");
    auto* coefLayout = new QVBoxLayout(coefficientsBox_);
    for (QLabel* l : {morningCoefficient_, eveningCoefficient_}) {
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("morning : 120")) + 8);
        coefLayout->addWidget(l);
    }

    tideTableButton_ = Button("Annuaire", this);
    quitButton_ = Button("BQuitter", this);
    helpButton_ = Button("Aide", this);
    tideTableButton_->setText(QStringLiteral("A&nnuaire"));
    quitButton_->setText(QStringLiteral("&Quitter"));
    helpButton_->setText(QStringLiteral("&Aide"));

    auto* top = new QGridLayout(this);
    top->addWidget(portButton_, 0, 0);
    top->addWidget(portLabel_, 0, 1);
    top->addWidget(dateButton_, 1, 0);
    top->addWidget(dateLabel_, 1, 1);
    top->addWidget(coefficientsBox_, 0, 2, 2, 1);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {tideTableButton_, quitButton_, helpButton_})
        side->addWidget(b);
    top->addLayout(side, 0, 3, 2, 1);
    top->setColumnStretch(1, 1);

    morningCoefficient_->setText(QStringLiteral("matin : "));
    eveningCoefficient_->setText(QStringLiteral("soir : "));
    holdWidths();
}

void MainTopPanel::holdWidths() {
    const QStringList sideButtons =
        BothLanguages({kTexts.tideTable, kTexts.quit, kTexts.reduce, kCommonTexts.helpWithKey});
    for (QPushButton* b : {tideTableButton_, quitButton_, helpButton_})
        HoldWidest(b, sideButtons);
    QStringList coefficients;
    for (Language l : {Language::French, Language::English})
        coefficients << QString::fromStdString(MorningCoefficientLabel(120, l))
                     << QString::fromStdString(EveningCoefficientLabel(120, l));
    HoldWidest(morningCoefficient_, coefficients);
    HoldWidest(eveningCoefficient_, coefficients);
}

void MainTopPanel::retranslate(Language l) {
    portButton_->setText(kTexts.portButton.in(l));
    tideTableButton_->setText(kTexts.tideTable.in(l));
    helpButton_->setText(kCommonTexts.helpWithKey.in(l));
    portButton_->setToolTip(kTexts.portHint.in(l));
    dateButton_->setToolTip(kTexts.dateHint.in(l));
}

void MainTopPanel::setQuitCaption(bool reduces, Language l) {
    quitButton_->setText((reduces ? kTexts.reduce : kTexts.quit).in(l));
}

void MainTopPanel::showPortName(const QString& name) {
    portLabel_->setAlignment((name.size() >= 40 ? Qt::AlignLeft : Qt::AlignHCenter) |
                             Qt::AlignVCenter);
    portLabel_->setText(name);
    portLabel_->setToolTip(name);
}

void MainTopPanel::clearPortName() {
    portLabel_->clear();
}

bool MainTopPanel::portNameShown() const {
    return !portLabel_->text().isEmpty();
}

void MainTopPanel::showDate(const QString& text) {
    dateLabel_->setText(text);
}

void MainTopPanel::showCoefficients(const CoefficientPair& c, Language l) {
    morningCoefficient_->setText(QString::fromStdString(MorningCoefficientLabel(c.morning, l)));
    eveningCoefficient_->setText(QString::fromStdString(EveningCoefficientLabel(c.evening, l)));
}

std::vector<FontSizedControl> MainTopPanel::fontControls() const {
    std::vector<FontSizedControl> controls;
    for (QWidget* w : std::initializer_list<QWidget*>{portButton_, dateButton_, portLabel_,
                                                      dateLabel_, tideTableButton_, quitButton_,
                                                      helpButton_, coefficientsBox_})
        controls.push_back({w, false});
    return controls;
}

MainInfoPanel::MainInfoPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Infos"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* lower = new QHBoxLayout(this);
    lower->addWidget(buildTimesPanel(), 1);
    lower->addSpacing(8);
    lower->addWidget(buildPortPanel(), 1);
    // The built-in texts (the French ones); the language routine replaces them.
    const QStringList infoLines = kTexts.infoLines.lines(kBuiltIn);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(infoLines[static_cast<qsizetype>(i)]);
    ephemeridesButton_->setText(kTexts.ephemerides.in(kBuiltIn));
    timeReferenceLabel_->setText(QString::fromStdString(TimeReference().label(Language::French)));
    holdWidths();
}

QFrame* MainInfoPanel::buildTimesPanel() {
    auto* panel = Named(new QFrame(this), "Horaires");
    timesTitle_ = TitleLabel("HORAIRES", "Label4", panel);
    dayReport_ = Named(new QPlainTextEdit(panel), "HeuresOndrel");
    dayReport_->setReadOnly(true);
    dayReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
    dayReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dayReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics fm = dayReport_->fontMetrics();
    dayReport_->setMinimumWidth(
        fm.horizontalAdvance(QStringLiteral("Pleine mer à 06:42    hauteur : 05,31 mètres")) + 24);
    // Five lines: a day of five tides shows whole; a day of more grows the report (showReport).
    dayReport_->setMinimumHeight(fm.lineSpacing() * 5 + 16);
    modelLabel_ = Named(new QLabel(panel), "LabelModele");
    modelLabel_->setWordWrap(true);
    modelLabel_->hide();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(timesTitle_);
    layout->addWidget(dayReport_, 1);
    layout->addWidget(modelLabel_);
    return panel;
}

QFrame* MainInfoPanel::buildPortPanel() {
    auto* panel = Named(new QFrame(this), "Panel4");
    infoTitle_ = TitleLabel("INFORMATIONS", "Label3", panel);
    auto* info = new QGridLayout(panel);
    info->setContentsMargins(0, 0, 0, 0);
    info->setVerticalSpacing(0);
    info->addWidget(infoTitle_, 0, 0, 1, 3);
    for (int line = 0; line < 6; ++line) {
        auto* label = new QLabel(panel);
        label->setObjectName(QStringLiteral("Memo_informations_%1").arg(line + 1));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        infoLines_.push_back(label);
        info->addWidget(label, line + 1, 0);
    }
    portInfo_ = Named(new QLabel(panel), "Informations");
    MakeBold(portInfo_);
    portInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    portInfo_->setWordWrap(true);
    portInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->addWidget(portInfo_, 1, 1, 4, 2);
    latitude_ = Named(new QLabel(panel), "ELatitude");
    longitude_ = Named(new QLabel(panel), "ELongitude");
    timeZone_ = Named(new QLabel(panel), "EFuseauHoraire");
    info->addWidget(latitude_, 5, 1);
    info->addWidget(longitude_, 5, 2);
    info->addWidget(timeZone_, 6, 1);
    ephemeridesButton_ = Button("BEphemerides", panel);
    timeReferenceLabel_ = SunkenLabel("fuseau", panel);
    MakeBold(timeReferenceLabel_, true);
    // The legal time's line (its zone and offsets) takes a second line rather than losing its ends.
    timeReferenceLabel_->setWordWrap(true);
    info->addWidget(ephemeridesButton_, 7, 0);
    info->addWidget(timeReferenceLabel_, 7, 1, 1, 2);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(2, 1);
    info->setColumnMinimumWidth(1,
                                fontMetrics().horizontalAdvance(QStringLiteral("048 23 N")) + 16);
    return panel;
}

void MainInfoPanel::holdWidths() {
    HoldWidest(ephemeridesButton_, BothLanguages({kTexts.ephemerides}));
    for (std::size_t i = 0; i < infoLines_.size(); ++i) {
        const auto line = static_cast<qsizetype>(i);
        HoldWidest(infoLines_[i], {kTexts.infoLines.lines(Language::French).value(line),
                                   kTexts.infoLines.lines(Language::English).value(line)});
    }
    QStringList references;
    for (int code : {0, 1, 2, 88, 112, TimeReference::kLegalCode})
        for (Language l : {Language::French, Language::English})
            references << QString::fromStdString(TimeReference(code).label(l));
    HoldWidest(timeReferenceLabel_, references);
    // The report: its longest line in either language.
    dayReport_->setMinimumWidth(
        std::max(dayReport_->minimumWidth(), WidestReportLine(dayReport_->fontMetrics()) + 24));
}

void MainInfoPanel::retranslate(Language l) {
    ephemeridesButton_->setText(kTexts.ephemerides.in(l));
    infoTitle_->setText(kTexts.infoTitle.in(l));
    timesTitle_->setText(kTexts.timesTitle.in(l));
    const QStringList infoLines = kTexts.infoLines.lines(l);
    for (std::size_t i = 0; i < infoLines_.size(); ++i)
        infoLines_[i]->setText(infoLines.value(static_cast<qsizetype>(i)));
}

void MainInfoPanel::showReport(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    dayReport_->setPlainText(text.join(QLatin1Char('\n')));
    const int shown = std::max(5, static_cast<int>(lines.size()));
    dayReport_->setMinimumHeight(dayReport_->fontMetrics().lineSpacing() * shown + 16);
}

void MainInfoPanel::showPort(const ChosenPort& port) {
    portInfo_->clear();
    QString lines = port.name;
    if (!port.countryLine.isEmpty()) lines += QLatin1Char('\n') + port.countryLine;
    portInfo_->setText(lines);
    latitude_->setText(port.latitude);
    longitude_->setText(port.longitude);
    timeZone_->setText(port.timeZone);
}

void MainInfoPanel::clearPort() {
    portInfo_->clear();
    modelLabel_->hide();
}

void MainInfoPanel::showModel(const QString& text, const QString& reason) {
    modelLabel_->setText(text);
    modelLabel_->setToolTip(reason);
    modelLabel_->show();
}

void MainInfoPanel::hideModel() {
    modelLabel_->hide();
}

void MainInfoPanel::setTimeReference(const QString& text, const QString& tooltip) {
    timeReferenceLabel_->setText(text);
    timeReferenceLabel_->setToolTip(tooltip);
}

std::vector<FontSizedControl> MainInfoPanel::fontControls() const {
    std::vector<FontSizedControl> controls;
    for (QWidget* w :
         std::initializer_list<QWidget*>{dayReport_, latitude_, longitude_, timeZone_, portInfo_})
        controls.push_back({w, false});
    for (QLabel* l : infoLines_)
        controls.push_back({l, false});
    controls.push_back({infoTitle_, true});
    controls.push_back({timesTitle_, true});
    return controls;
}

MainMenu::MainMenu(QMenuBar* bar) {
    ports = Named(bar->addMenu(kTexts.portsMenu.in(kBuiltIn)), "PortSecondaire");
    addSecondaryPort =
        Named(ports->addAction(kTexts.addSecondaryPort.in(kBuiltIn)), "AjoutPortSecondaire");
    modifySecondaryPort =
        Named(ports->addAction(kTexts.modifySecondaryPort.in(kBuiltIn)), "Retraitportsecondaire");
    importPorts =
        Named(ports->addAction(kTexts.importPorts.in(kBuiltIn)), "Ajoutdeportsprincipaux");
    // Enabled once the port table is known to be there.
    setPortManagementEnabled(false);

    tools = Named(bar->addMenu(kTexts.toolsMenu.in(kBuiltIn)), "Outils1");
    options = Named(tools->addAction(kOptionsCaption), "Options");
    hideOnQuit = Named(tools->addAction(kTexts.hideOnQuit.in(kBuiltIn)),
                       "Icnedanslabarredestcheslarduction1");
    hideOnQuit->setCheckable(true);
    font = Named(tools->addMenu(kTexts.fontMenu.in(kBuiltIn)), "police1");
    changeFont = Named(font->addAction(kTexts.changeFont.in(kBuiltIn)), "changer1");
    defaultFont = Named(font->addAction(kTexts.defaultFont.in(kBuiltIn)), "policepardefaut1");
    otherLanguage = Named(tools->addAction(kTexts.otherLanguage.in(kBuiltIn)), "Langue1");

    help = Named(bar->addMenu(kTexts.helpMenu.in(kBuiltIn)), "Aide1");
    helpTopics = Named(help->addAction(kCommonTexts.helpWithKey.in(kBuiltIn)), "Aide2");
    about = Named(help->addAction(kTexts.about.in(kBuiltIn)), "Apropos1");
}

void MainMenu::retranslate(Language l) const {
    ports->setTitle(kTexts.portsMenu.in(l));
    addSecondaryPort->setText(kTexts.addSecondaryPort.in(l));
    modifySecondaryPort->setText(kTexts.modifySecondaryPort.in(l));
    importPorts->setText(kTexts.importPorts.in(l));
    tools->setTitle(kTexts.toolsMenu.in(l));
    hideOnQuit->setText(kTexts.hideOnQuit.in(l));
    font->setTitle(kTexts.fontMenu.in(l));
    changeFont->setText(kTexts.changeFont.in(l));
    defaultFont->setText(kTexts.defaultFont.in(l));
    otherLanguage->setText(kTexts.otherLanguage.in(l));
    help->setTitle(kTexts.helpMenu.in(l));
    helpTopics->setText(kCommonTexts.helpWithKey.in(l));
    about->setText(kTexts.about.in(l));
}

void MainMenu::setPortManagementEnabled(bool enabled) const {
    for (QAction* a : {addSecondaryPort, modifySecondaryPort, importPorts})
        a->setEnabled(enabled);
}

} // namespace ondrel
