// The message boxes of the program, behind an interface so that the windows can be driven
// without a screen (tests answer them) and so that every box speaks the current language.
#pragma once

#include "engine/Language.h"

#include <QString>

#include <functional>
#include <stdexcept>

class QWidget;

namespace ondrel {

struct Settings;

class MessageBoxes {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~MessageBoxes() = default;

    // An information box with one OK button: reports and input errors.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // A plain box with one OK button and no icon.
    virtual void plain(QWidget* parent, const QString& text) = 0;
    // An information box with OK and Help; help runs when the Help button is pressed.
    virtual void informationWithHelp(QWidget* parent, const QString& text,
                                     const std::function<void()>& help) = 0;
    // A confirmation with Yes, No and Cancel.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes and No (No when the box is closed otherwise).
    virtual Answer askYesNo(QWidget* parent, const QString& text) = 0;
};

// What a box says of a failed change of the port table: the busy table in the user's language,
// any other failure with the file and the system's reason.
QString TableFailureText(const std::runtime_error& error, Language language);

// Modal QMessageBox boxes whose buttons follow the program's language.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(const Settings& settings) : settings_(settings) {}

    void information(QWidget* parent, const QString& text) override;
    void plain(QWidget* parent, const QString& text) override;
    void informationWithHelp(QWidget* parent, const QString& text,
                             const std::function<void()>& help) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text) override;

private:
    const Settings& settings_;
};

} // namespace ondrel
