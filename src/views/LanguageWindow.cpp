#include "LanguageWindow.h"

#include "Settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrel {

LanguageWindow::LanguageWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFInitialisation"));
    setWindowTitle(QStringLiteral("Ondrel / Brevane"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Choix_langue_ = new QGroupBox(this);
    Choix_langue_->setObjectName(QStringLiteral("Choix_langue"));
    QFont large = font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    francais_ = new QRadioButton(QStringLiteral("Français"), Choix_langue_);
    english_ = new QRadioButton(QStringLiteral("English"), Choix_langue_);
    francais_->setObjectName(QStringLiteral("Francais"));
    english_->setObjectName(QStringLiteral("English"));
    for (QRadioButton* b : {francais_, english_}) b->setFont(large);
    francais_->setChecked(true);
    auto* choices = new QVBoxLayout(Choix_langue_);
    choices->addWidget(francais_);
    choices->addWidget(english_);

    BitBtn1_ = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Choix_langue_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void LanguageWindow::BitBtn1Click() {
    chosen_ = english_->isChecked() ? kEnglish : kFrench;
    accept();
}

QString LanguageWindow::ask(const QWidget* over) {
    chosen_.clear();
    adjustSize();
    if (over) {
        const QRect main = over->frameGeometry();
        move(main.left() + (main.width() - width()) / 2, main.top() + (main.height() - height()) / 2);
    }
    francais_->setFocus();
    exec();
    return chosen_;
}

} // namespace ondrel
