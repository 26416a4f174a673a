// LanguageWindow: the language question of the first start.
#pragma once

#include "engine/Language.h"

#include <QDialog>

#include <optional>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace ondrel {

class LanguageWindow : public QDialog {
    Q_OBJECT
public:
    explicit LanguageWindow(QWidget* parent = nullptr);

    // The language chosen by OK; none when the window was closed otherwise.
    std::optional<Language> chosenLanguage() const { return chosen_; }
    // Shows the window modally, centred on the window given; returns the chosen language.
    std::optional<Language> ask(const QWidget* over);

    void confirm();

private:
    QGroupBox* languageBox_ = nullptr;
    QRadioButton* frenchButton_ = nullptr;
    QRadioButton* englishButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    std::optional<Language> chosen_;
};

} // namespace ondrel
