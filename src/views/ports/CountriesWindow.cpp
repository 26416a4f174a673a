#include "views/ports/CountriesWindow.h"

#include "ports/CountryNames.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "views/common/MessageBoxes.h"
#include "views/ports/CountriesTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kHelpCountries = 8;
constexpr int kColumns = 4;
constexpr int kColumnWidth = 130;
// Country 36 repeats country 34 and has no box of its own.
constexpr int kCountryWithoutBox = 36;
// How many of the zone codes without a known country the message names.
constexpr int kCodesShown = 5;

const CountriesTexts kTexts;

} // namespace

CountriesWindow::CountriesWindow(Settings& settings, const HelpHook& help, MessageBoxes& messages,
                                 PortTable& table, QWidget* parent)
    : ActivatedWindow(parent), settings_(settings), help_(help), messages_(messages),
      table_(table) {
    setObjectName(QStringLiteral("TFPays"));
    setModal(false);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    const int rows = (kCountryNameCount - 1 + kColumns - 1) / kColumns;
    int slot = 0;
    for (int k = 1; k <= kCountryNameCount; ++k) {
        if (k == kCountryWithoutBox) continue;
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("CB%1").arg(k));
        box->setMinimumWidth(kColumnWidth);
        boxes_[k] = box;
        grid->addWidget(box, slot % rows, slot / rows);
        ++slot;
        connect(box, &QCheckBox::clicked, this, [this, k](bool on) { boxClicked(k, on); });
    }
    auto* all = new QCheckBox(this);
    all->setObjectName(QStringLiteral("CBTout"));
    QFont bold = all->font();
    bold.setBold(true);
    all->setFont(bold);
    boxes_[0] = all;
    connect(all, &QCheckBox::clicked, this, [this](bool on) { boxClicked(0, on); });

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("BOK"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("BAnnuler"));
    helpButton_ = new QPushButton(this);
    helpButton_->setObjectName(QStringLiteral("BAide"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(helpButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { hide(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (help_) help_(kHelpCountries);
    });

    retranslate();
    build();
}

void CountriesWindow::build() {
    hasCountryCodes_ = false;
    present_.fill(false);
    if (table_.isOpen()) {
        qint64 current = 0;
        try {
            current = table_.zone();
        } catch (const TableError&) {
            current = 0;
        }
        if (current > 100) {
            hasCountryCodes_ = true;
            table_.setFiltered(false);
            const int keep = table_.visiblePosition();
            int unknown = 0;
            QStringList codes;
            for (table_.first(); !table_.atEnd(); table_.next()) {
                qint64 zone = 0;
                try {
                    zone = table_.zone();
                } catch (const TableError&) {
                    continue;
                }
                const int country = CountryOfZone(zone);
                if (country >= 0 && country <= kCountryNameCount) {
                    present_[static_cast<std::size_t>(country)] = true;
                } else {
                    if (++unknown <= kCodesShown) codes << QString::number(zone);
                }
            }
            table_.moveToVisible(keep);
            table_.setFiltered(true);
            if (unknown > 0) {
                if (unknown > kCodesShown) codes << QStringLiteral("…");
                messages_.plain(this, kTexts.unknownCountries.in(settings_.language())
                                          .arg(unknown)
                                          .arg(codes.join(QStringLiteral(", "))));
            }
            emit filterApplied();
        }
    }
    boxes_[0]->setEnabled(hasCountryCodes_);
    for (int k = 1; k <= kCountryNameCount; ++k)
        if (boxes_[k]) boxes_[k]->setEnabled(present_[k]);
}

bool CountriesWindow::countryPresent(int country) const {
    return country >= 1 && country <= kCountryNameCount &&
           present_[static_cast<std::size_t>(country)];
}

QCheckBox* CountriesWindow::box(int country) const {
    return country >= 0 && country <= kCountryNameCount ? boxes_[static_cast<std::size_t>(country)]
                                                        : nullptr;
}

void CountriesWindow::retranslate() {
    const Language l = settings_.language();
    setWindowTitle(kTexts.caption.in(l));
    boxes_[0]->setText(kTexts.all.in(l));
    cancelButton_->setText(kCommonTexts.cancel.in(l));
    helpButton_->setText(kCommonTexts.help.in(l));
    for (int k = 1; k <= kCountryNameCount; ++k)
        if (boxes_[k]) {
            boxes_[k]->setText(CountryName(k, l));
            boxes_[k]->setToolTip(CountryName(k, l).trimmed());
        }
}

void CountriesWindow::boxClicked(int country, bool checked) {
    if (country == 0)
        std::fill(pending_.begin() + 1, pending_.begin() + kCountryNameCount + 1, checked);
    else
        pending_[static_cast<std::size_t>(country)] = checked;
    showPending();
}

void CountriesWindow::showPending() {
    bool any = false;
    for (int k = 1; k <= kCountryNameCount; ++k) {
        any = any || pending_[k];
        if (boxes_[k]) boxes_[k]->setChecked(pending_[k]);
    }
    okButton_->setEnabled(any);
}

void CountriesWindow::confirm() {
    std::copy(pending_.begin(), pending_.end(), settings_.countrySelected.begin());
    if (hasCountryCodes_ && table_.isOpen()) {
        table_.setFiltered(false);
        table_.setFiltered(true);
    }
    emit filterApplied();
    hide();
}

void CountriesWindow::showEvent(QShowEvent* event) {
    retranslate();
    std::copy(settings_.countrySelected.begin(), settings_.countrySelected.end(), pending_.begin());
    showPending();
    QDialog::showEvent(event);
}

} // namespace ondrel
