// The buttons at the foot of a dialog (OK, Cancel, Help, Next...): named push buttons laid out in
// one row, right-aligned after a stretch.
#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace ondrel {

// A push button with its objectName and caption.
QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent);
// The buttons in a row after a stretch, in the order given.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
// The OK button ("BitBtn1", the default button) of a window that only tells or asks one thing,
// and its row, where it stands centred.
QPushButton* SoleOkButton(QWidget* parent);
QHBoxLayout* CentredButtonRow(QPushButton* button);

} // namespace ondrel
