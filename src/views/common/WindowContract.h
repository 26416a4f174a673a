// What every window of the program does, each the same way:
// - retranslate(): sets all its texts in the program's current language;
// - onActivated(): brings itself up to date when it becomes the active window (its texts, unless
//   it says otherwise); a window built on ActivatedWindow runs it at every activation;
// - followLanguage(): the language was switched while the window is shown: it speaks the new one
//   at once (its texts, unless it says otherwise).
// The application keeps the list of its windows and calls followLanguage() on the shown ones:
// the one path by which a language switch reaches every window.
#pragma once

#include <QEvent>

namespace ondrel {

class WindowContract {
public:
    virtual ~WindowContract() = default;
    virtual void retranslate() = 0;
    virtual void onActivated() { retranslate(); }
    virtual void followLanguage() { retranslate(); }
};

// A window (Base: QDialog or QMainWindow) that brings itself up to date each time it becomes the
// active window; activationChanged() may be given other rules (a window that also stores its
// fields when it loses the activation).
template <typename Base> class ActivatedWindow : public Base, public WindowContract {
public:
    using Base::Base;

protected:
    virtual void activationChanged(bool active) {
        if (active) onActivated();
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange) activationChanged(this->isActiveWindow());
        Base::changeEvent(event);
    }
};

} // namespace ondrel
