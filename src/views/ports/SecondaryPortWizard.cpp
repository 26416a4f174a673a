#include "SecondaryPortWizard.h"

#include "AppState.h"
#include "Bilingual.h"
#include "ButtonRow.h"
#include "CommonTexts.h"
#include "CorrectionTexts.h"
#include "Cp1252.h"
#include "MessageBoxes.h"
#include "PortListModel.h"
#include "PortLoader.h"
#include "PortStore.h"
#include "PortTable.h"
#include "PortWindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kPortNameLength = 50;

struct WizardTexts {
    Bilingual caption1{"Ajout d'un port 1/4", "Adding a port 1/4"};
    Bilingual caption2{"Ajout d'un port 2/4", "Adding a port 2/4"};
    Bilingual caption3{"Ajout d'un port 3/4", "Adding a port 3/4"};
    Bilingual caption3Modify{"Modification d'un port 3/4", "Modify a port 3/4"};
    Bilingual caption4{"Ajout d'un port 4/4", "Add a port 4/4"};
    Bilingual caption4Modify{"Modification d'un port 4/4", "Modify a port 4/4"};
    Bilingual memo1{"Cet assistant va vous guider dans l'ajout  d'un \n"
                    "nouveau port. A tout moment, une action sur la\n"
                    "touche \"Annuler\" vous permet de sortir de  cet\n"
                    "assistant .  Pour  ajouter  un  port,  vous devez\n"
                    "disposer des corrections pour les ports rattachés.\n"
                    "Ces corrections se trouvent dans l'annuaire des \n"
                    "marées édité par le SHOM.",
                    "This assistant will guide you to add  a   new\n"
                    "secondary   port. You  always  can  quit this\n"
                    "assistant with the  <Cancel>  button. To add a\n"
                    "port, you may have the values of the corrections\n"
                    "for the secondary port. These corrections  are\n"
                    "given in the books of the official departments\n"
                    "of navigation."};
    Bilingual memo2{"Sélectionnez dans la liste ci-dessous le port principal,\n"
                    "par  rapport  auquel  les  corrections  sont  données.\n"
                    "Tapez  la  première lettre du port recherché, puis dé-\n"
                    "placez-vous avec les touches haut et bas du clavier.\n"
                    "Lorsque celui-ci est sélectionné, cliquez sur \"suivant\"",
                    "      To Select the port with wich the corrections\n"
                    "      are gived, type the first letter and move in \n"
                    "      the list with the arrows up and down.\n"
                    "      \n"
                    "      When you are ready, type <Next...>"};
    Bilingual next{"Suivant...", "Next..."};
    Bilingual next3{"suivant...", "Next..."};
    Bilingual newName{"Nom du nouveau port", "Name of the new port"};
    Bilingual name{"Nom du port", "Name of port"};
    Bilingual degrees{"degrés", "degres"};
    Bilingual times{" Corrections des heures ", " Times' corrections "};
    Bilingual heights{" Corrections des hauteurs ", " Heights' corrections "};
    Bilingual highWaters{"Pleines mers", "High Waters"};
    Bilingual lowWaters{"Basses mers", "Low Waters"};
    Bilingual springs{"V E", "Springs"};
    Bilingual neaps{"M E", "Neaps"};
    Bilingual nameGroup{" Nom ", " Name "};
    Bilingual miscellaneous{" Divers ", " Miscellaneous "};
    Bilingual standardPort{"Port de référence", "Standard port"};
    Bilingual previous{"Précédent", "Previous"};
    Bilingual added{" a été ajouté dans la liste", " has been added to the list"};
    Bilingual modified{" a été modifié", " has been modified"};
    Bilingual emptyName{"Entrez le nom du port.", "Enter the name of the port."};
    Bilingual nameTaken{
        "Un port nommé \"%1\" existe déjà dans la base de données : choisissez un autre nom.",
        "A port named \"%1\" is already in the database: choose another name."};
    Bilingual lost{"Le port \"%1\" n'est plus dans la base de données ; rien n'a été modifié.",
                   "The port \"%1\" is no longer in the database; nothing was changed."};
    // The second line of page 3's messages: the field, and the form it expects.
    std::array<Bilingual, 4> corrected{Bilingual{"pleine mer de vives-eaux", "high water, springs"},
                                       Bilingual{"pleine mer de mortes-eaux", "high water, neaps"},
                                       Bilingual{"basse mer de vives-eaux", "low water, springs"},
                                       Bilingual{"basse mer de mortes-eaux", "low water, neaps"}};
    Bilingual badTime{"Correction d'heure, %1 : signe ou chiffre, chiffre, espace, deux chiffres "
                      "de minutes (par exemple +1 30 ou -0 45)",
                      "Time correction, %1: sign or digit, digit, space, two digits of minutes "
                      "(for example +1 30 or -0 45)"};
    Bilingual badHeight{"Correction de hauteur, %1 : signe ou chiffre, chiffre, « %2 », deux "
                        "décimales (par exemple %3 ou %4)",
                        "Height correction, %1: sign or digit, digit, \"%2\", two decimals (for "
                        "example %3 or %4)"};
    Bilingual noStandardPort{"Choisissez le port principal dans la liste.",
                             "Choose the standard port in the list."};
};
const WizardTexts kTexts;

// The same in both languages.
const QString kNorthSouth = QStringLiteral("Attention : vous ne pouvez entrer que \"N\" ou \"S\"");
const QString kEastWest = QStringLiteral("Attention : vous ne pouvez entrer que \"E\" ou \"W\"");
const QString kBadTime = QStringLiteral("Problème fichier corrections 3 ligne 112 et 113");
const QString kBadHeight = QStringLiteral("Problème fichier corrections 3 ligne 96 à 99");

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

QPlainTextEdit* Memo(QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
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

} // namespace

SecondaryPortWizard::SecondaryPortWizard(AppState& state, MessageBoxes& messages, PortWindow& ports,
                                         QWidget* parent)
    : ActivatedWindow(parent), state_(state), messages_(messages), ports_(ports) {
    setObjectName(QStringLiteral("TFCorrections"));
    setModal(false);
    const QString d = state_.settings.decimalSeparator;
    decimal_ = d.isEmpty() ? QLatin1Char('.') : d.front();

    pages_ = new QStackedWidget(this);
    pages_->addWidget(buildPage1());
    pages_->addWidget(buildPage2());
    pages_->addWidget(buildPage3());
    pages_->addWidget(buildPage4());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    retranslate();
}

QWidget* SecondaryPortWizard::buildPage1() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TFCorrections1"));
    memo1_ = Memo(page);
    cancel1_ = NamedButton("BouttonAnnuler", QString(), page);
    next1_ = NamedButton("BouttonSuivant", QString(), page);
    next1_->setDefault(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(memo1_);
    layout->addStretch(1);
    layout->addLayout(ButtonRow({cancel1_, next1_}));
    connect(cancel1_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(next1_, &QPushButton::clicked, this, [this] { next(); });
    return page;
}

QWidget* SecondaryPortWizard::buildPage2() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TFCorrections2"));
    memo2_ = Memo(page);
    standardList_ = new QTableView(page);
    standardList_->setObjectName(QStringLiteral("DBGrid1"));
    standardList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    standardList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    standardList_->setSelectionMode(QAbstractItemView::SingleSelection);
    standardList_->verticalHeader()->hide();
    standardList_->verticalHeader()->setDefaultSectionSize(standardList_->fontMetrics().height() +
                                                           4);
    standardList_->horizontalHeader()->setStretchLastSection(true);
    standardList_->setShowGrid(false);
    standardList_->setMinimumHeight(220);
    standardModel_ = new PortListModel(ports_.table(), this);
    standardList_->setModel(standardModel_);
    standardList_->installEventFilter(this);
    cancel2_ = NamedButton("annuler", QString(), page);
    next2_ = NamedButton("suivant", QString(), page);
    next2_->setDefault(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(memo2_);
    layout->addWidget(standardList_, 1);
    layout->addLayout(ButtonRow({cancel2_, next2_}));
    connect(cancel2_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(next2_, &QPushButton::clicked, this, [this] { next(); });
    connect(standardList_, &QTableView::doubleClicked, this, [this] { next(); });
    return page;
}

QWidget* SecondaryPortWizard::buildPage3() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TFCorrections3"));
    nameLabel_ = new QLabel(page);
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    name_ = Field("lnom", {}, QStringLiteral("NOM du PORT"), page);
    name_->setMaxLength(kPortNameLength);
    dlat_ = Field("dlat", QStringLiteral("90;_"), QStringLiteral("45"), page);
    mlat_ = Field("mlat", QStringLiteral("99;_"), QStringLiteral("00"), page);
    nslat_ = Field("nslat", QStringLiteral(">A;_"), QStringLiteral("N"), page);
    dlon_ = Field("dlon", QStringLiteral("900;_"), QStringLiteral("005"), page);
    mlon_ = Field("mlon", QStringLiteral("99;_"), QStringLiteral("00"), page);
    ewlon_ = Field("ewlon", QStringLiteral(">A;_"), QStringLiteral("W"), page);
    auto* position = new QGridLayout;
    const auto addPosition = [&](int row, const QString& title, QLineEdit* deg, QLineEdit* min,
                                 QLineEdit* side) {
        position->addWidget(new QLabel(title, page), row, 0);
        position->addWidget(deg, row, 1);
        degreeLabels_[static_cast<std::size_t>(row)] = new QLabel(page);
        position->addWidget(degreeLabels_[static_cast<std::size_t>(row)], row, 2);
        position->addWidget(min, row, 3);
        position->addWidget(new QLabel(QStringLiteral("'"), page), row, 4);
        position->addWidget(side, row, 5);
    };
    addPosition(0, QStringLiteral("Latitude"), dlat_, mlat_, nslat_);
    addPosition(1, QStringLiteral("Longitude"), dlon_, mlon_, ewlon_);
    position->setColumnStretch(6, 1);

    const char* timeNames[] = {"heure_pmve", "heure_pmme", "heure_bmve", "heure_bmme"};
    const char* heightNames[] = {"hauteur_pmve", "hauteur_pmme", "hauteur_bmve", "hauteur_bmme"};
    const QString heightMask = QStringLiteral("#9") + decimal_ + QStringLiteral("99;_");
    const QString heightText = QStringLiteral("+0") + decimal_ + QStringLiteral("00");
    for (int i = 0; i < 4; ++i) {
        timeFields_[i] =
            Field(timeNames[i], QStringLiteral("#9 99;_"), QStringLiteral("+0 00"), page);
        heightFields_[i] = Field(heightNames[i], heightMask, heightText, page);
    }
    auto* groups = new QHBoxLayout;
    for (int g = 0; g < 2; ++g) {
        groups3_[g] = new QGroupBox(page);
        auto* grid = new QGridLayout(groups3_[g]);
        for (int h = 0; h < 2; ++h) {
            heads3_[g * 4 + h] = new QLabel(groups3_[g]);
            heads3_[g * 4 + h]->setAlignment(Qt::AlignCenter);
            grid->addWidget(heads3_[g * 4 + h], 0, h * 2, 1, 2);
            for (int s = 0; s < 2; ++s) {
                auto* head = new QLabel(groups3_[g]);
                head->setAlignment(Qt::AlignCenter);
                head->setProperty("springsOrNeaps", s);
                grid->addWidget(head, 1, h * 2 + s);
                QLineEdit* field =
                    (g == 0 ? timeFields_ : heightFields_)[static_cast<std::size_t>(h * 2 + s)];
                grid->addWidget(field, 2, h * 2 + s, Qt::AlignCenter);
            }
        }
        groups->addWidget(groups3_[g]);
    }
    cancel3_ = NamedButton("annuler", QString(), page);
    next3_ = NamedButton("suivant", QString(), page);
    next3_->setDefault(true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel_);
    nameRow->addWidget(name_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(nameRow);
    layout->addLayout(position);
    layout->addLayout(groups);
    layout->addStretch(1);
    layout->addLayout(ButtonRow({cancel3_, next3_}));

    connect(nslat_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty() && text != u"N" && text != u"S")
            messages_.information(this, kNorthSouth);
    });
    connect(ewlon_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty() && text != u"E" && text != u"W")
            messages_.information(this, kEastWest);
    });
    connect(cancel3_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(next3_, &QPushButton::clicked, this, [this] { next(); });
    return page;
}

QWidget* SecondaryPortWizard::buildPage4() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TFCorrections4"));
    for (int i = 4; i <= 15; ++i) {
        values_[i] = new QLabel(page);
        values_[i]->setObjectName(QStringLiteral("Label%1").arg(i));
        values_[i]->setAlignment(Qt::AlignCenter);
    }
    QFont bold = values_[12]->font();
    bold.setBold(true);
    values_[12]->setFont(bold);
    for (auto& g : groups4_)
        g = new QGroupBox(page);
    (new QVBoxLayout(groups4_[0]))->addWidget(values_[12]);
    standardLabel_ = new QLabel(groups4_[1]);
    standardLabel_->setObjectName(QStringLiteral("portprincipal"));
    auto* misc = new QGridLayout(groups4_[1]);
    misc->addWidget(standardLabel_, 0, 0);
    misc->addWidget(values_[13], 0, 1);
    misc->addWidget(new QLabel(QStringLiteral("Latitude"), groups4_[1]), 1, 0);
    misc->addWidget(values_[14], 1, 1);
    misc->addWidget(new QLabel(QStringLiteral("Longitude"), groups4_[1]), 2, 0);
    misc->addWidget(values_[15], 2, 1);
    for (int g = 0; g < 2; ++g) {
        auto* grid = new QGridLayout(groups4_[g + 2]);
        for (int h = 0; h < 2; ++h) {
            heads4_[g * 4 + h] = new QLabel(groups4_[g + 2]);
            heads4_[g * 4 + h]->setAlignment(Qt::AlignCenter);
            grid->addWidget(heads4_[g * 4 + h], 0, h * 2, 1, 2);
            for (int s = 0; s < 2; ++s) {
                auto* head = new QLabel(groups4_[g + 2]);
                head->setAlignment(Qt::AlignCenter);
                head->setProperty("springsOrNeaps", s);
                head->setMinimumWidth(
                    head->fontMetrics().horizontalAdvance(QStringLiteral("-12,75 m")) + 8);
                grid->addWidget(head, 1, h * 2 + s);
                grid->addWidget(values_[static_cast<std::size_t>(4 + g * 4 + h * 2 + s)], 2,
                                h * 2 + s);
            }
        }
    }
    previous4_ = NamedButton("bouton_prec", QString(), page);
    ok4_ = NamedButton("bouton_OK", QString(), page);
    ok4_->setText(QStringLiteral("OK"));
    ok4_->setDefault(true);
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addWidget(groups4_[0], 1);
    top->addWidget(groups4_[1], 1);
    layout->addLayout(top);
    auto* corrections = new QHBoxLayout;
    corrections->addWidget(groups4_[2]);
    corrections->addWidget(groups4_[3]);
    layout->addLayout(corrections);
    layout->addLayout(ButtonRow({previous4_, ok4_}));
    connect(previous4_, &QPushButton::clicked, this, [this] { previous(); });
    connect(ok4_, &QPushButton::clicked, this, [this] { store(); });
    return page;
}

void SecondaryPortWizard::retranslate() {
    const Language l = state_.settings.language();
    const int p = page();
    const Bilingual* captions[] = {&kTexts.caption1, &kTexts.caption2,
                                   modifyMode_ ? &kTexts.caption3Modify : &kTexts.caption3,
                                   modifyMode_ ? &kTexts.caption4Modify : &kTexts.caption4};
    setWindowTitle(captions[p - 1]->in(l));
    memo1_->setPlainText(kTexts.memo1.in(l));
    memo2_->setPlainText(kTexts.memo2.in(l));
    for (QPushButton* b : {cancel1_, cancel2_, cancel3_})
        b->setText(kCommonTexts.cancel.in(l));
    next1_->setText(kTexts.next.in(l));
    next2_->setText(kTexts.next.in(l));
    next3_->setText(kTexts.next3.in(l));
    nameLabel_->setText((modifyMode_ ? kTexts.name : kTexts.newName).in(l));
    for (QLabel* label : degreeLabels_)
        label->setText(kTexts.degrees.in(l));
    groups3_[0]->setTitle(kTexts.times.in(l));
    groups3_[1]->setTitle(kTexts.heights.in(l));
    groups4_[0]->setTitle(kTexts.nameGroup.in(l));
    groups4_[1]->setTitle(kTexts.miscellaneous.in(l));
    groups4_[2]->setTitle(kTexts.times.in(l));
    groups4_[3]->setTitle(kTexts.heights.in(l));
    standardLabel_->setText(kTexts.standardPort.in(l));
    previous4_->setText(kTexts.previous.in(l));
    for (const auto& heads : {heads3_, heads4_})
        for (std::size_t i = 0; i < heads.size(); ++i)
            if (heads[i])
                heads[i]->setText((i % 4 == 0 ? kTexts.highWaters : kTexts.lowWaters).in(l));
    for (QLabel* head : findChildren<QLabel*>())
        if (head->property("springsOrNeaps").isValid())
            head->setText(
                (head->property("springsOrNeaps").toInt() == 0 ? kTexts.springs : kTexts.neaps)
                    .in(l));
}

int SecondaryPortWizard::page() const {
    return pages_->currentIndex() + 1;
}

void SecondaryPortWizard::showPage(int page) {
    // The window takes the size of the page shown, not of the largest.
    for (int i = 0; i < pages_->count(); ++i)
        pages_->widget(i)->setSizePolicy(
            i == page - 1 ? QSizePolicy::Preferred : QSizePolicy::Ignored,
            i == page - 1 ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    pages_->setCurrentIndex(page - 1);
    retranslate();
    adjustSize();
    if (page == 2) standardList_->setFocus();
    if (page == 3) name_->setFocus();
    if (!isVisible()) show();
    raise();
    activateWindow();
}

void SecondaryPortWizard::startAdd() {
    modifyMode_ = false;
    showPage(1);
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
    const QString lat = table.text(PortColumn::LATITUDE);
    const QString lon = table.text(PortColumn::LONGITUDE);
    name_->setText(modifiedPortName_);
    dlat_->setText(lat.mid(0, 2));
    mlat_->setText(lat.mid(3, 2));
    nslat_->setText(lat.mid(6, 1));
    dlon_->setText(lon.mid(0, 3));
    mlon_->setText(lon.mid(4, 2));
    ewlon_->setText(lon.mid(7, 1));
    for (int i = 0; i < 4; ++i) {
        timeFields_[i]->setText(TimeCorrectionEditText(table.real(PortColumn::TPMVE + i)));
        heightFields_[i]->setText(
            HeightCorrectionEditText(table.real(PortColumn::HPMVE + i), decimal_));
    }
    showPage(3);
}

void SecondaryPortWizard::next() {
    switch (page()) {
    case 1:
        if (beforeChoice_) beforeChoice_();
        enterStandardPortChoice();
        break;
    case 2:
        if (chooseStandardPort()) showPage(3);
        break;
    case 3:
        if (readPage3()) {
            fillSummary();
            showPage(4);
        }
        break;
    default:
        break;
    }
}

void SecondaryPortWizard::previous() {
    if (page() == 4) showPage(3);
}

void SecondaryPortWizard::cancel() {
    hide();
}

void SecondaryPortWizard::reject() {
    cancel();
}

void SecondaryPortWizard::enterStandardPortChoice() {
    ports_.reopenTable(true);
    PortTable& table = ports_.table();
    if (table.isOpen()) {
        try {
            table.cancelRange();
            table.selectTag(PortTag::Standard);
        } catch (const TableError& e) {
            messages_.information(this, QString::fromUtf8(e.what()));
        }
    }
    standardModel_->refresh();
    if (standardModel_->rowCount() > 0) standardList_->setCurrentIndex(standardModel_->index(0, 0));
    typed_.clear();
    showPage(2);
}

void SecondaryPortWizard::standardPortKey(QChar key) {
    PortTable& table = ports_.table();
    if (!table.isOpen()) return;
    try {
        table.setRange(typed_.add(key), kNameRangeEnd);
    } catch (const TableError&) {
        return;
    }
    standardModel_->refresh();
    if (standardModel_->rowCount() > 0) standardList_->setCurrentIndex(standardModel_->index(0, 0));
}

bool SecondaryPortWizard::chooseStandardPort() {
    const QModelIndex current = standardList_->currentIndex();
    if (!current.isValid() || !standardModel_->moveTo(current.row())) {
        messages_.information(this, kTexts.noStandardPort.in(state_.settings.language()));
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

bool SecondaryPortWizard::readPage3() {
    const Language l = state_.settings.language();
    const QString name = name_->text();
    const auto refuse = [this](QLineEdit* field, const QString& text) {
        messages_.information(this, text);
        field->setFocus();
        field->selectAll();
        return false;
    };
    if (name.trimmed().isEmpty()) return refuse(name_, kTexts.emptyName.in(l));
    bool taken = false;
    try {
        taken = nameTaken(name);
    } catch (const TableError& e) {
        return refuse(name_, QString::fromUtf8(e.what()));
    }
    if (taken) return refuse(name_, kTexts.nameTaken.in(l).arg(name.trimmed()));

    std::array<double, 4> times{}, heights{};
    for (int i = 0; i < 4; ++i) {
        const auto t = TimeCorrectionOfText(timeFields_[i]->text());
        if (!t)
            return refuse(timeFields_[i], kBadTime + QLatin1Char('\n') +
                                              kTexts.badTime.in(l).arg(kTexts.corrected[i].in(l)));
        times[i] = *t;
    }
    for (int i = 0; i < 4; ++i) {
        const auto h = HeightCorrectionOfText(heightFields_[i]->text(), decimal_);
        if (!h)
            return refuse(heightFields_[i],
                          kBadHeight + QLatin1Char('\n') +
                              kTexts.badHeight.in(l).arg(
                                  kTexts.corrected[i].in(l), decimal_,
                                  QStringLiteral("+0") + decimal_ + QStringLiteral("50"),
                                  QStringLiteral("-1") + decimal_ + QStringLiteral("75")));
        heights[i] = *h;
    }
    port_.name = name.toStdString();
    port_.latitude = (dlat_->text() + u' ' + mlat_->text() + u' ' + nslat_->text()).toStdString();
    port_.longitude = (dlon_->text() + u' ' + mlon_->text() + u' ' + ewlon_->text()).toStdString();
    for (int i = 0; i < 4; ++i) {
        port_.corrections[static_cast<std::size_t>(1 + i)] = times[i];
        port_.corrections[static_cast<std::size_t>(5 + i)] = heights[i];
    }
    return true;
}

void SecondaryPortWizard::fillSummary() {
    values_[12]->setText(QString::fromStdString(port_.name));
    values_[13]->setText(standardName_);
    values_[14]->setText(QString::fromStdString(port_.latitude));
    values_[15]->setText(QString::fromStdString(port_.longitude));
    for (int i = 0; i < 4; ++i) {
        values_[static_cast<std::size_t>(4 + i)]->setText(
            TimeCorrectionText(port_.corrections[1 + i]));
        values_[static_cast<std::size_t>(8 + i)]->setText(
            HeightCorrectionSummary(port_.corrections[5 + i], decimal_));
    }
}

bool SecondaryPortWizard::store() {
    const Language l = state_.settings.language();
    hide();
    ports_.reopenTable(true);
    PortTable& table = ports_.table();
    const QString name = QString::fromStdString(port_.name);
    try {
        if (!StoreSecondaryPort(table, port_, standard_, standardName_,
                                modifyMode_ ? modifiedPortName_ : QString())) {
            messages_.information(this, kTexts.lost.in(l).arg(modifiedPortName_));
            ports_.refreshList();
            return false;
        }
    } catch (const TableError& e) {
        messages_.information(this, TableFailureText(e, l));
        ports_.refreshList();
        return false;
    }
    ports_.refreshList();
    messages_.information(this, name + (modifyMode_ ? kTexts.modified : kTexts.added).in(l));
    emit portStored(modifyMode_ ? modifiedPortName_ : QString(), name);
    return true;
}

// Page 2's list: a letter starts the list at that letter, Enter goes on.
bool SecondaryPortWizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == standardList_ && event->type() == QEvent::KeyPress) {
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
