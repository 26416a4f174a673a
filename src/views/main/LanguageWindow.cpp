#include "views/main/LanguageWindow.h"

#include "state/Settings.h"
#include "views/common/ButtonRow.h"
#include "views/common/ScreenPlacement.h"

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

    languageBox_ = new QGroupBox(this);
    languageBox_->setObjectName(QStringLiteral("Choix_langue"));
    QFont large = font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    frenchButton_ = new QRadioButton(QStringLiteral("Français"), languageBox_);
    englishButton_ = new QRadioButton(QStringLiteral("English"), languageBox_);
    frenchButton_->setObjectName(QStringLiteral("Francais"));
    englishButton_->setObjectName(QStringLiteral("English"));
    for (QRadioButton* b : {frenchButton_, englishButton_})
        b->setFont(large);
    frenchButton_->setChecked(true);
    auto* choices = new QVBoxLayout(languageBox_);
    choices->addWidget(frenchButton_);
    choices->addWidget(englishButton_);

    okButton_ = SoleOkButton(this);
    QHBoxLayout* buttons = CentredButtonRow(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(languageBox_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
}

void LanguageWindow::confirm() {
    chosen_ = englishButton_->isChecked() ? Language::English : Language::French;
    accept();
}

std::optional<Language> LanguageWindow::ask(const QWidget* over) {
    chosen_.reset();
    adjustSize();
    CentreOn(this, over);
    frenchButton_->setFocus();
    exec();
    return chosen_;
}

} // namespace ondrel
