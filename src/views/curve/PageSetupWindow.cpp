#include "views/curve/PageSetupWindow.h"

#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "views/common/ButtonRow.h"
#include "views/common/MessageBoxes.h"
#include "views/curve/CurveWindow.h"
#include "views/curve/PageSetupTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrel {

namespace {

constexpr int kHelpTopic = 4;

const PageSetupTexts kTexts;

// The preview: the page (`shape`) and, in silver, its printable area (`Shape_c`).
class PagePreview : public QWidget {
public:
    PagePreview(const QRect& page, const QRect& printable, QWidget* parent)
        : QWidget(parent), page_(page), printable_(printable) {
        setFixedSize(80, 64);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(page_);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(192, 192, 192));
        if (!printable_.isEmpty()) p.drawRect(printable_);
    }

private:
    const QRect& page_;
    const QRect& printable_;
};

} // namespace

PageSetupWindow::PageSetupWindow(const Settings& settings, const SettingsStore& store,
                                 const HelpHook& help, MessageBoxes& messages, CurveWindow* curve,
                                 QWidget* parent)
    : ActivatedWindow(parent), appSettings_(settings), store_(store), help_(help),
      messages_(messages), curve_(curve) {
    setObjectName(QStringLiteral("TFMiseEnPage"));
    setModal(false);
    setWindowTitle(QStringLiteral("Mise en page"));
    buildPreviewBox();
    okButton_ = NamedButton("boutonOK", QStringLiteral("&OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = NamedButton("boutonAnnuler", QStringLiteral("A&nnuler"), this);
    helpButton_ = NamedButton("BMiseEnPageAide", QStringLiteral("&Aide"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewBox_);
    layout->addLayout(ButtonRow({okButton_, cancelButton_, helpButton_}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connectControls();
    setUp();
}

// The group of the print settings: orientation and preview, margins, colours.
void PageSetupWindow::buildPreviewBox() {
    previewBox_ = new QGroupBox(QStringLiteral(" Paramètres d'impression de la courbe "), this);
    orientationBox_ = new QGroupBox(QStringLiteral(" Mise en page "), previewBox_);
    orientationBox_->setObjectName(QStringLiteral("Choixmep"));
    portrait_ = new QRadioButton(QStringLiteral("Portrait"), orientationBox_);
    landscape_ = new QRadioButton(QStringLiteral("Paysage"), orientationBox_);
    auto* mep = new QVBoxLayout(orientationBox_);
    mep->addWidget(portrait_);
    mep->addWidget(landscape_);

    coloursBox_ = new QGroupBox(QStringLiteral("  Couleurs à l'impression  "), previewBox_);
    coloursBox_->setObjectName(QStringLiteral("ChoixCouleursImpression"));
    colour_ = new QRadioButton(QStringLiteral("Couleur"), coloursBox_);
    blackAndWhite_ = new QRadioButton(QStringLiteral("Noir et blanc"), coloursBox_);
    colour_->setChecked(true);
    auto* colours = new QHBoxLayout(coloursBox_);
    colours->addWidget(colour_);
    colours->addWidget(blackAndWhite_);

    buildMarginsBox();
    preview_ = new PagePreview(page_, printable_, previewBox_);
    preview_->setObjectName(QStringLiteral("shape"));

    auto* g = new QGridLayout(previewBox_);
    g->addWidget(orientationBox_, 0, 0);
    g->addWidget(preview_, 0, 1, Qt::AlignCenter);
    g->addWidget(marginsBox_, 1, 0, 1, 2);
    g->addWidget(coloursBox_, 2, 0, 1, 2);
}

// The four margins, two a row, each a label, a field and "%"; the hint under them.
void PageSetupWindow::buildMarginsBox() {
    marginsBox_ = new QGroupBox(QStringLiteral("  Marges à l'impression  "), previewBox_);
    marginsBox_->setObjectName(QStringLiteral("ChoixMargesImpression"));
    auto* margins = new QGridLayout(marginsBox_);
    const auto field = [&](const char* name, const QString& label, QLabel*& labelOut, int row,
                           int col) {
        labelOut = new QLabel(label, marginsBox_);
        auto* e = new QLineEdit(QStringLiteral("15"), marginsBox_);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(3);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("1000")) + 12);
        margins->addWidget(labelOut, row, col * 3);
        margins->addWidget(e, row, col * 3 + 1);
        margins->addWidget(new QLabel(QStringLiteral("%"), marginsBox_), row, col * 3 + 2);
        return e;
    };
    leftMarginField_ = field("Egauche", QStringLiteral("Gauche : "), leftLabel_, 0, 0);
    rightMarginField_ = field("Edroite", QStringLiteral("Droite : "), rightLabel_, 0, 1);
    topMarginField_ = field("Ehaute", QStringLiteral("Haute : "), topLabel_, 1, 0);
    bottomMarginField_ = field("Ebasse", QStringLiteral("Basse : "), bottomLabel_, 1, 1);
    marginsHint_ = new QLabel(QStringLiteral("en pourcent de la taille du papier"), marginsBox_);
    margins->addWidget(marginsHint_, 2, 0, 1, 6);
}

void PageSetupWindow::connectControls() {
    connect(portrait_, &QRadioButton::clicked, this, [this] { orientationChanged(); });
    connect(landscape_, &QRadioButton::clicked, this, [this] { orientationChanged(); });
    connect(leftMarginField_, &QLineEdit::textChanged, this,
            [this] { marginChanged(leftMarginField_, &PageMargins::left); });
    connect(rightMarginField_, &QLineEdit::textChanged, this,
            [this] { marginChanged(rightMarginField_, &PageMargins::right); });
    connect(topMarginField_, &QLineEdit::textChanged, this,
            [this] { marginChanged(topMarginField_, &PageMargins::top); });
    connect(bottomMarginField_, &QLineEdit::textChanged, this,
            [this] { marginChanged(bottomMarginField_, &PageMargins::bottom); });
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (help_) help_(kHelpTopic);
    });
}

void PageSetupWindow::setUp() {
    {
        const auto store = store_.open();
        settings_ = LoadPageSetup(*store);
    }
    page_ = QRect(QPoint(10, 7), PreviewPageSize(settings_.portrait == 1));
    if (settings_.portrait == 1)
        portrait_->setChecked(true);
    else
        landscape_->setChecked(true);
    orientationChanged();
    const PageMargins m = settings_.margins;
    leftMarginField_->setText(QString::number(m.left));
    rightMarginField_->setText(QString::number(m.right));
    topMarginField_->setText(QString::number(m.top));
    bottomMarginField_->setText(QString::number(m.bottom));
}

void PageSetupWindow::marginChanged(QLineEdit* field, int PageMargins::*margin) {
    const MarginEntry entry = ReadMarginField(field->text());
    if (entry.kind == MarginEntry::Kind::Value) {
        settings_.margins.*margin = entry.value;
    } else if (entry.kind == MarginEntry::Kind::Invalid) {
        // The message box takes the activation for a moment: that is not leaving the window, so
        // nothing is stored (nor refused) while the refused text is still in the field.
        ownMessage_ = true;
        messages_.information(this, MarginRangeMessage(appSettings_.language()));
        ownMessage_ = false;
        field->clear();
    }
    updatePreview();
}

void PageSetupWindow::updatePreview() {
    printable_ = PreviewPrintableArea(page_, settings_.margins);
    preview_->update();
}

void PageSetupWindow::orientationChanged() {
    // The page stays centred in the preview.
    const QSize size = PreviewPageSize(portrait_->isChecked());
    page_ = QRect(
        QPoint((preview_->width() - size.width()) / 2, (preview_->height() - size.height()) / 2),
        size);
    updatePreview();
}

bool PageSetupWindow::blackAndWhite() const {
    return blackAndWhite_->isChecked();
}

void PageSetupWindow::onActivated() {
    storePending_ = true;
    retranslate();
}

void PageSetupWindow::retranslate() {
    if (!appSettings_.languageChosen()) return;
    const Language l = appSettings_.language();
    setWindowTitle(kTexts.caption.in(l));
    previewBox_->setTitle(kTexts.previewBox.in(l));
    orientationBox_->setTitle(kTexts.orientationBox.in(l));
    portrait_->setText(kTexts.portrait.in(l));
    landscape_->setText(kTexts.landscape.in(l));
    coloursBox_->setTitle(kTexts.coloursBox.in(l));
    colour_->setText(kTexts.colour.in(l));
    blackAndWhite_->setText(kTexts.blackAndWhite.in(l));
    marginsBox_->setTitle(kTexts.marginsBox.in(l));
    leftLabel_->setText(kTexts.left.in(l));
    rightLabel_->setText(kTexts.right.in(l));
    topLabel_->setText(kTexts.top.in(l));
    bottomLabel_->setText(kTexts.bottom.in(l));
    marginsHint_->setText(kTexts.marginsHint.in(l));
    cancelButton_->setText(kCommonTexts.cancelWithKey.in(l));
    helpButton_->setText(kCommonTexts.helpWithKey.in(l));
}

bool PageSetupWindow::storeValues() {
    storePending_ = false;
    PageMargins m;
    const std::pair<QLineEdit*, int PageMargins::*> fields[] = {
        {leftMarginField_, &PageMargins::left},
        {rightMarginField_, &PageMargins::right},
        {topMarginField_, &PageMargins::top},
        {bottomMarginField_, &PageMargins::bottom}};
    for (const auto& [field, margin] : fields) {
        const MarginEntry entry = ReadMarginField(field->text());
        if (entry.kind != MarginEntry::Kind::Value) {
            messages_.information(this, kTexts.marginsNotSaved.in(appSettings_.language()));
            return false;
        }
        m.*margin = entry.value;
    }
    settings_.margins = m;
    {
        const auto store = store_.open();
        StorePageSetup(*store, settings_);
    }
    if (curve_) curve_->refreshChart();
    return true;
}

void PageSetupWindow::confirm() {
    const int chosen = portrait_->isChecked() ? 1 : 0;
    if (chosen != (settings_.portrait == 1 ? 1 : 0)) {
        settings_.portrait = chosen;
        messages_.information(this, OrientationMessage(appSettings_.language(), chosen == 1));
    }
    hide();
}

void PageSetupWindow::cancel() {
    // The orientation goes back to the flag; margins typed are still stored on leaving.
    (settings_.portrait == 1 ? portrait_ : landscape_)->setChecked(true);
    orientationChanged();
    hide();
}

// Leaving the window stores the margins typed, unless one of its own messages took the activation.
void PageSetupWindow::activationChanged(bool active) {
    if (active)
        onActivated();
    else if (storePending_ && isVisible() && !ownMessage_)
        storeValues();
}

void PageSetupWindow::showEvent(QShowEvent* event) {
    onActivated();
    QDialog::showEvent(event);
}

void PageSetupWindow::hideEvent(QHideEvent* event) {
    if (storePending_ && !ownMessage_) storeValues();
    QDialog::hideEvent(event);
}

} // namespace ondrel
