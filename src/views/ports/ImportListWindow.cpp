#include "views/ports/ImportListWindow.h"

#include "state/Settings.h"
#include "texts/ImportTexts.h"
#include "views/common/ButtonRow.h"
#include "views/common/ScreenPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ondrel {

ImportListWindow::ImportListWindow(const Settings& settings, QWidget* parent)
    : ActivatedWindow(parent), settings_(settings) {
    setObjectName(QStringLiteral("TFAjoutPorts"));
    setModal(false);
    // No system buttons: only OK closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Ports ajoutés"));
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A name of 50 characters and "is already in the database" on one line.
    memo_->setMinimumSize(memo_->fontMetrics().averageCharWidth() * 84 + 24, 320);
    okButton_ = SoleOkButton(this);
    QHBoxLayout* buttons = CentredButtonRow(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::hide);
}

void ImportListWindow::clear() {
    memo_->clear();
}

void ImportListWindow::addLine(const QString& line) {
    memo_->appendPlainText(line);
}

QStringList ImportListWindow::lines() const {
    const QString text = memo_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void ImportListWindow::retranslate() {
    setWindowTitle(kImportTexts.listCaption.in(settings_.language()));
}

void ImportListWindow::showCentred() {
    retranslate();
    adjustSize();
    CentreOn(this, parentWidget());
    show();
    raise();
}

} // namespace ondrel
