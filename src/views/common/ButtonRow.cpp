#include "views/common/ButtonRow.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace ondrel {

QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

QPushButton* SoleOkButton(QWidget* parent) {
    QPushButton* ok = NamedButton("BitBtn1", QStringLiteral("OK"), parent);
    ok->setDefault(true);
    return ok;
}

QHBoxLayout* CentredButtonRow(QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    row->addStretch(1);
    return row;
}

} // namespace ondrel
