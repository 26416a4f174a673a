#include "MessageBoxes.h"

#include "Settings.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace ondrel {

namespace {

void NameButtons(QMessageBox& box, bool english) {
    const auto name = [&](QMessageBox::StandardButton which, const char* french, const char* english_) {
        if (QAbstractButton* b = box.button(which)) b->setText(english ? english_ : french);
    };
    name(QMessageBox::Ok, "OK", "OK");
    name(QMessageBox::Yes, "&Oui", "&Yes");
    name(QMessageBox::No, "&Non", "&No");
    name(QMessageBox::Cancel, "Annuler", "Cancel");
    name(QMessageBox::Help, "&Aide", "&Help");
}

int Run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
        bool english) {
    QMessageBox box(icon, QStringLiteral("Ondrel"), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    NameButtons(box, english);
    return box.exec();
}

} // namespace

void QtMessageBoxes::information(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, settings_.english());
}

void QtMessageBoxes::plain(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok, settings_.english());
}

void QtMessageBoxes::informationWithHelp(QWidget* parent, const QString& text,
                                         const std::function<void()>& help) {
    const int answer = Run(parent, QMessageBox::Information, text,
                           QMessageBox::Ok | QMessageBox::Help, QMessageBox::Ok, settings_.english());
    if (answer == QMessageBox::Help && help) help();
}

MessageBoxes::Answer QtMessageBoxes::askYesNoCancel(QWidget* parent, const QString& text) {
    const int answer = Run(parent, QMessageBox::Question, text,
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                           QMessageBox::Yes, settings_.english());
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

MessageBoxes::Answer QtMessageBoxes::askYesNo(QWidget* parent, const QString& text) {
    const int answer = Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::Yes, settings_.english());
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace ondrel
