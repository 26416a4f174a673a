// LanguageWindow: the language question of the first start.
#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace ondrel {

class LanguageWindow : public QDialog {
    Q_OBJECT
public:
    explicit LanguageWindow(QWidget* parent = nullptr);

    // "FRANCAIS" or "ANGLAIS" after OK; empty when the window was closed otherwise.
    QString chosenLanguage() const { return chosen_; }
    // Shows the window modally, centred on the window given; returns the chosen language.
    QString ask(const QWidget* over);

    void confirm();

private:
    QGroupBox* languageBox_ = nullptr;
    QRadioButton* frenchButton_ = nullptr;
    QRadioButton* englishButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QString chosen_;
};

} // namespace ondrel
