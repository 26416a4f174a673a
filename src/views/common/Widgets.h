// Small helpers for building windows in code: a widget named as tests and automation find it, and
// the controls a window hands to the main window's font commands.
#pragma once

#include <QString>

class QWidget;

namespace ondrel {

// Gives a new widget (or menu, or action) its objectName and returns it.
template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A control that follows the font commands; a bold one stays bold in any face.
struct FontSizedControl {
    QWidget* widget = nullptr;
    bool bold = false;
};

} // namespace ondrel
