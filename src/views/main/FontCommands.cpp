#include "views/main/FontCommands.h"

#include "views/main/MainWindowTexts.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace ondrel {

void FontCommands::add(const std::vector<FontSizedControl>& controls) {
    for (const FontSizedControl& c : controls) {
        if (!c.widget) continue;
        controls_.push_back(c);
        builtIn_.insert(c.widget, c.widget->font());
    }
    // Once every control's own font is known: a box's font reaches the controls inside it.
    if (applied_)
        for (const FontSizedControl& c : controls)
            if (c.widget) applyTo(c, *applied_);
}

void FontCommands::applyTo(const FontSizedControl& control, const QFont& font) {
    QFont f = font;
    f.setPointSizeF(control.widget->font().pointSizeF());
    if (control.bold) f.setBold(true);
    control.widget->setFont(f);
}

void FontCommands::apply(const QFont& font) {
    applied_ = font;
    for (const FontSizedControl& c : controls_)
        applyTo(c, font);
}

void FontCommands::restoreDefaults() {
    applied_.reset();
    for (auto it = builtIn_.cbegin(); it != builtIn_.cend(); ++it)
        it.key()->setFont(it.value());
}

void FontCommands::choose(QWidget* parent, const QFont& current, Language language) {
    QFontDialog dialog(current, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::ScalableFonts);
    HideFontSizeControls(dialog);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* applyButton = box->addButton(QDialogButtonBox::Apply);
        applyButton->setText(MainWindowTexts{}.apply.in(language));
        QObject::connect(applyButton, &QPushButton::clicked, &dialog,
                         [this, &dialog] { apply(dialog.currentFont()); });
    }
    if (dialog.exec() == QDialog::Accepted) apply(dialog.selectedFont());
}

void HideFontSizeControls(QFontDialog& dialog) {
    // The size field is the dialog's one line edit that takes a number; its label names it as
    // buddy, and the size list is the list whose entries are numbers.
    for (auto* edit : dialog.findChildren<QLineEdit*>()) {
        if (!edit->validator()) continue;
        edit->hide();
        for (auto* label : dialog.findChildren<QLabel*>())
            if (label->buddy() == edit) label->hide();
    }
    for (auto* list : dialog.findChildren<QListView*>()) {
        bool numbers = false;
        if (list->model() && list->model()->rowCount() > 0)
            list->model()->index(0, 0).data().toString().toInt(&numbers);
        if (numbers) list->hide();
    }
}

} // namespace ondrel
