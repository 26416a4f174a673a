// WarningPanel: the safety warning shown over the main window at every start, with its accept and
// refuse buttons. Nothing else of the main window can be used until it is accepted.
#pragma once

#include "engine/Language.h"

#include <QFrame>

class QPushButton;
class QTextEdit;

namespace ondrel {

class WarningPanel : public QFrame {
    Q_OBJECT
public:
    // Built over `host` (the main window's central widget), in the built-in French texts; the host
    // is made tall enough for the whole warning.
    explicit WarningPanel(QWidget* host);

    void retranslate(Language language);
    // Centres the panel in its host; called when the host changes size or is shown.
    void place();
    // Enter accepts the warning.
    void focusAccept();

signals:
    void accepted();
    void refused();

private:
    QTextEdit* text_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* refuseButton_ = nullptr;
};

} // namespace ondrel
