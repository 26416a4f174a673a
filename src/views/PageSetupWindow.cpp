#include "PageSetupWindow.h"

#include "AppState.h"
#include "MessageBoxes.h"
#include "CurveWindow.h"

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

PageSetupWindow::PageSetupWindow(AppState& state, MessageBoxes& messages, CurveWindow* curve, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), curve_(curve) {
    setObjectName(QStringLiteral("TFMiseEnPage"));
    setModal(false);
    setWindowTitle(QStringLiteral("Mise en page"));

    GroupBox1_ = new QGroupBox(QStringLiteral(" Paramètres d'impression de la courbe "), this);
    Choixmep_ = new QGroupBox(QStringLiteral(" Mise en page "), GroupBox1_);
    Choixmep_->setObjectName(QStringLiteral("Choixmep"));
    portrait_ = new QRadioButton(QStringLiteral("Portrait"), Choixmep_);
    paysage_ = new QRadioButton(QStringLiteral("Paysage"), Choixmep_);
    auto* mep = new QVBoxLayout(Choixmep_);
    mep->addWidget(portrait_);
    mep->addWidget(paysage_);

    ChoixCouleursImpression_ = new QGroupBox(QStringLiteral("  Couleurs à l'impression  "), GroupBox1_);
    ChoixCouleursImpression_->setObjectName(QStringLiteral("ChoixCouleursImpression"));
    couleur_ = new QRadioButton(QStringLiteral("Couleur"), ChoixCouleursImpression_);
    noirEtBlanc_ = new QRadioButton(QStringLiteral("Noir et blanc"), ChoixCouleursImpression_);
    couleur_->setChecked(true);
    auto* colours = new QHBoxLayout(ChoixCouleursImpression_);
    colours->addWidget(couleur_);
    colours->addWidget(noirEtBlanc_);

    ChoixMargesImpression_ = new QGroupBox(QStringLiteral("  Marges à l'impression  "), GroupBox1_);
    ChoixMargesImpression_->setObjectName(QStringLiteral("ChoixMargesImpression"));
    auto* margins = new QGridLayout(ChoixMargesImpression_);
    const auto field = [&](const char* name, const QString& label, QLabel*& labelOut, int row, int col) {
        labelOut = new QLabel(label, ChoixMargesImpression_);
        auto* e = new QLineEdit(QStringLiteral("15"), ChoixMargesImpression_);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(3);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("1000")) + 12);
        margins->addWidget(labelOut, row, col * 3);
        margins->addWidget(e, row, col * 3 + 1);
        margins->addWidget(new QLabel(QStringLiteral("%"), ChoixMargesImpression_), row, col * 3 + 2);
        return e;
    };
    Egauche_ = field("Egauche", QStringLiteral("Gauche : "), Label1_, 0, 0);
    Edroite_ = field("Edroite", QStringLiteral("Droite : "), Label3_, 0, 1);
    Ehaute_ = field("Ehaute", QStringLiteral("Haute : "), Label2_, 1, 0);
    Ebasse_ = field("Ebasse", QStringLiteral("Basse : "), Label4_, 1, 1);
    Label5_ = new QLabel(QStringLiteral("en pourcent de la taille du papier"), ChoixMargesImpression_);
    margins->addWidget(Label5_, 2, 0, 1, 6);

    preview_ = new PagePreview(page_, printable_, GroupBox1_);
    preview_->setObjectName(QStringLiteral("shape"));

    auto* g = new QGridLayout(GroupBox1_);
    g->addWidget(Choixmep_, 0, 0);
    g->addWidget(preview_, 0, 1, Qt::AlignCenter);
    g->addWidget(ChoixMargesImpression_, 1, 0, 1, 2);
    g->addWidget(ChoixCouleursImpression_, 2, 0, 1, 2);

    boutonOK_ = new QPushButton(QStringLiteral("&OK"), this);
    boutonOK_->setObjectName(QStringLiteral("boutonOK"));
    boutonOK_->setDefault(true);
    boutonAnnuler_ = new QPushButton(QStringLiteral("A&nnuler"), this);
    boutonAnnuler_->setObjectName(QStringLiteral("boutonAnnuler"));
    BMiseEnPageAide_ = new QPushButton(QStringLiteral("&Aide"), this);
    BMiseEnPageAide_->setObjectName(QStringLiteral("BMiseEnPageAide"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(boutonOK_);
    buttons->addWidget(boutonAnnuler_);
    buttons->addWidget(BMiseEnPageAide_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(portrait_, &QRadioButton::clicked, this, [this] { ChoixmepClick(); });
    connect(paysage_, &QRadioButton::clicked, this, [this] { ChoixmepClick(); });
    connect(Egauche_, &QLineEdit::textChanged, this, [this] { marginChanged(Egauche_, &PageMargins::left); });
    connect(Edroite_, &QLineEdit::textChanged, this, [this] { marginChanged(Edroite_, &PageMargins::right); });
    connect(Ehaute_, &QLineEdit::textChanged, this, [this] { marginChanged(Ehaute_, &PageMargins::top); });
    connect(Ebasse_, &QLineEdit::textChanged, this, [this] { marginChanged(Ebasse_, &PageMargins::bottom); });
    connect(boutonOK_, &QPushButton::clicked, this, [this] { boutonOKClick(); });
    connect(boutonAnnuler_, &QPushButton::clicked, this, [this] { boutonAnnulerClick(); });
    connect(BMiseEnPageAide_, &QPushButton::clicked, this, [this] {
        if (state_.help) state_.help(kHelpTopic);
    });

    FormCreate();
}

void PageSetupWindow::FormCreate() {
    {
        const auto store = state_.openSettings();
        settings_ = LoadPageSetup(*store);
    }
    page_ = QRect(QPoint(10, 7), PreviewPageSize(settings_.portrait == 1));
    if (settings_.portrait == 1)
        portrait_->setChecked(true);
    else
        paysage_->setChecked(true);
    ChoixmepClick();
    const PageMargins m = settings_.margins;
    Egauche_->setText(QString::number(m.left));
    Edroite_->setText(QString::number(m.right));
    Ehaute_->setText(QString::number(m.top));
    Ebasse_->setText(QString::number(m.bottom));
}

void PageSetupWindow::marginChanged(QLineEdit* field, int PageMargins::*margin) {
    const MarginEntry entry = ReadMarginField(field->text());
    if (entry.kind == MarginEntry::Kind::Value) {
        settings_.margins.*margin = entry.value;
    } else if (entry.kind == MarginEntry::Kind::Invalid) {
        // The message box takes the activation for a moment: that is not leaving the window, so
        // nothing is stored (nor refused) while the refused text is still in the field.
        ownMessage_ = true;
        messages_.information(this, MarginRangeMessage(state_.settings.english()));
        ownMessage_ = false;
        field->clear();
    }
    updatePreview();
}

void PageSetupWindow::updatePreview() {
    printable_ = PreviewPrintableArea(page_, settings_.margins);
    preview_->update();
}

void PageSetupWindow::ChoixmepClick() {
    // The page stays centred in the preview.
    const QSize size = PreviewPageSize(portrait_->isChecked());
    page_ = QRect(QPoint((preview_->width() - size.width()) / 2, (preview_->height() - size.height()) / 2), size);
    updatePreview();
}

bool PageSetupWindow::blackAndWhite() const { return noirEtBlanc_->isChecked(); }

void PageSetupWindow::FormActivate() {
    storePending_ = true;
    const bool english = state_.settings.english();
    if (!english && !state_.settings.french()) return;
    setWindowTitle(english ? QStringLiteral("Page settings") : QStringLiteral("Mise en page"));
    GroupBox1_->setTitle(english ? QStringLiteral("Curve print parameters")
                                 : QStringLiteral("Paramètres d'impression de la courbe"));
    Choixmep_->setTitle(english ? QStringLiteral("Page setting") : QStringLiteral("Mise en page"));
    portrait_->setText(QStringLiteral("Portrait"));
    paysage_->setText(english ? QStringLiteral("Landscape") : QStringLiteral("Paysage"));
    ChoixCouleursImpression_->setTitle(english ? QStringLiteral("Print colors")
                                               : QStringLiteral("Couleurs à l'impression"));
    couleur_->setText(english ? QStringLiteral("Color") : QStringLiteral("Couleur"));
    // "&&" shows one ampersand (a single one would mark a shortcut letter).
    noirEtBlanc_->setText(english ? QStringLiteral("Black && White") : QStringLiteral("Noir && blanc"));
    ChoixMargesImpression_->setTitle(english ? QStringLiteral("Print margins")
                                             : QStringLiteral("Marges à l'impression"));
    Label1_->setText(english ? QStringLiteral("left") : QStringLiteral("gauche"));
    Label3_->setText(english ? QStringLiteral("right") : QStringLiteral("droite"));
    Label2_->setText(english ? QStringLiteral("top") : QStringLiteral("haut"));
    Label4_->setText(english ? QStringLiteral("bottom") : QStringLiteral("bas"));
    Label5_->setText(english ? QStringLiteral("in percent of the paper's size")
                             : QStringLiteral("en pourcent de la taille de la page"));
    boutonAnnuler_->setText(english ? QStringLiteral("&Cancel") : QStringLiteral("A&nnuler"));
    BMiseEnPageAide_->setText(english ? QStringLiteral("&Help") : QStringLiteral("&Aide"));
}

bool PageSetupWindow::FormDeactivate() {
    storePending_ = false;
    PageMargins m;
    const std::pair<QLineEdit*, int PageMargins::*> fields[] = {
        {Egauche_, &PageMargins::left}, {Edroite_, &PageMargins::right},
        {Ehaute_, &PageMargins::top}, {Ebasse_, &PageMargins::bottom}};
    for (const auto& [field, margin] : fields) {
        const MarginEntry entry = ReadMarginField(field->text());
        if (entry.kind != MarginEntry::Kind::Value) {
            messages_.information(this, state_.settings.english()
                                            ? QStringLiteral("Every margin needs a value from 0 to 100: the page settings have not been saved.")
                                            : QStringLiteral("Chaque marge doit avoir une valeur de 0 à 100 : la mise en page n'a pas été enregistrée."));
            return false;
        }
        m.*margin = entry.value;
    }
    settings_.margins = m;
    {
        const auto store = state_.openSettings();
        StorePageSetup(*store, settings_);
    }
    if (curve_) curve_->FormPaint();
    return true;
}

void PageSetupWindow::boutonOKClick() {
    const int chosen = portrait_->isChecked() ? 1 : 0;
    if (chosen != (settings_.portrait == 1 ? 1 : 0)) {
        settings_.portrait = chosen;
        messages_.information(this, OrientationMessage(state_.settings.english(), chosen == 1));
    }
    hide();
}

void PageSetupWindow::boutonAnnulerClick() {
    // The orientation goes back to the flag; margins typed are still stored on leaving.
    (settings_.portrait == 1 ? portrait_ : paysage_)->setChecked(true);
    ChoixmepClick();
    hide();
}

void PageSetupWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            FormActivate();
        else if (storePending_ && isVisible() && !ownMessage_)
            FormDeactivate();
    }
    QDialog::changeEvent(event);
}

void PageSetupWindow::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void PageSetupWindow::hideEvent(QHideEvent* event) {
    if (storePending_ && !ownMessage_) FormDeactivate();
    QDialog::hideEvent(event);
}

} // namespace ondrel
