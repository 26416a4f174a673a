#include "views/main/WarningPanel.h"

#include "views/common/ButtonRow.h"
#include "views/main/MainWindowTexts.h"

#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ondrel {

namespace {
const MainWindowTexts kTexts;
} // namespace

WarningPanel::WarningPanel(QWidget* host) : QFrame(host) {
    setObjectName(QStringLiteral("paneau_avertissement"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("Avertissement"));
    text_->setReadOnly(true);
    text_->setFrameStyle(QFrame::NoFrame);
    text_->setFocusPolicy(Qt::NoFocus);
    acceptButton_ = NamedButton("avertissementOK", kTexts.accept.in(Language::French), this);
    refuseButton_ = NamedButton("AvertissementNO", kTexts.refuse.in(Language::French), this);
    for (QPushButton* b : {acceptButton_, refuseButton_})
        b->setAutoDefault(true); // Enter presses the focused button
    auto* buttons = ButtonRow({acceptButton_, refuseButton_});
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    connect(acceptButton_, &QPushButton::clicked, this, &WarningPanel::accepted);
    connect(refuseButton_, &QPushButton::clicked, this, &WarningPanel::refused);
    raise();
    acceptButton_->setFocus();
    // The window is tall enough for the whole warning (18 lines in English) without scrolling.
    const int warningHeight =
        text_->fontMetrics().lineSpacing() * 19 + acceptButton_->sizeHint().height() + 48;
    host->setMinimumHeight(warningHeight + 16);
}

void WarningPanel::retranslate(Language language) {
    // One line per entry, the empty ones included (append() would fold a leading empty line into
    // the memo's first, empty, paragraph).
    text_->setPlainText(kTexts.warning.in(language));
    QTextCursor all(text_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);
    text_->moveCursor(QTextCursor::Start);
    acceptButton_->setText(kTexts.accept.in(language));
    refuseButton_->setText(kTexts.refuse.in(language));
}

void WarningPanel::place() {
    const QRect area = parentWidget()->rect();
    const int width =
        std::min(area.width() - 24, text_->fontMetrics().horizontalAdvance(QStringLiteral(
                                        "regarding the use of the appropriate products")) +
                                        80);
    const int height = area.height() - 16;
    setGeometry(area.center().x() - width / 2, area.top() + 8, width, height);
    raise();
}

void WarningPanel::focusAccept() {
    acceptButton_->setFocus();
}

} // namespace ondrel
