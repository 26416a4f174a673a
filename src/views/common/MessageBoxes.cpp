#include "views/common/MessageBoxes.h"

#include "ports/TableTypes.h"
#include "state/Settings.h"
#include "texts/Bilingual.h"
#include "texts/CommonTexts.h"
#include "views/common/MessageBoxTexts.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace ondrel {

QString TableFailureText(const std::runtime_error& error, Language language) {
    const QString detail = QString::fromUtf8(error.what());
    if (dynamic_cast<const TableBusy*>(&error))
        return kCommonTexts.tableBusy.in(language).arg(detail);
    return detail;
}

namespace {

const MessageBoxTexts kTexts;

void NameButtons(QMessageBox& box, Language language) {
    const auto name = [&](QMessageBox::StandardButton which, const Bilingual& text) {
        if (QAbstractButton* b = box.button(which)) b->setText(text.in(language));
    };
    name(QMessageBox::Ok, kTexts.ok);
    name(QMessageBox::Yes, kTexts.yes);
    name(QMessageBox::No, kTexts.no);
    name(QMessageBox::Cancel, kCommonTexts.cancel);
    name(QMessageBox::Help, kCommonTexts.helpWithKey);
}

int Run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
        Language language) {
    QMessageBox box(icon, QStringLiteral("Ondrel"), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    NameButtons(box, language);
    return box.exec();
}

} // namespace

void QtMessageBoxes::information(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok,
        settings_.language());
}

void QtMessageBoxes::plain(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok, settings_.language());
}

void QtMessageBoxes::informationWithHelp(QWidget* parent, const QString& text,
                                         const std::function<void()>& help) {
    const int answer =
        Run(parent, QMessageBox::Information, text, QMessageBox::Ok | QMessageBox::Help,
            QMessageBox::Ok, settings_.language());
    if (answer == QMessageBox::Help && help) help();
}

MessageBoxes::Answer QtMessageBoxes::askYesNoCancel(QWidget* parent, const QString& text) {
    const int answer = Run(parent, QMessageBox::Question, text,
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                           QMessageBox::Yes, settings_.language());
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

MessageBoxes::Answer QtMessageBoxes::askYesNo(QWidget* parent, const QString& text) {
    const int answer = Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::Yes, settings_.language());
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace ondrel
