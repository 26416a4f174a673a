// Support for the options window's tests, in its own folder (tests/views/main) and in the
// desktop program's (tests/app): the window's fields and items found by their names.
#pragma once

#include "GuiTestSupport.h"

#include "views/main/OptionsWindow.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace ondrel::test {

class OptionsWindowTest : public GuiTest {
protected:
    QLineEdit* field(OptionsWindow& w, const char* name) {
        return w.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QSpinBox* spin(OptionsWindow& w, const char* name) {
        return w.findChild<QSpinBox*>(QString::fromLatin1(name));
    }
    QRadioButton* item(OptionsWindow& w, const char* group, int index) {
        return w.findChild<QWidget*>(QString::fromLatin1(group))
            ->findChildren<QRadioButton*>()
            .at(index);
    }
    // A radio button answers a click on its indicator or its text.
    static void click(QRadioButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    void setHours(OptionsWindow& w, const QString& start, const QString& end) {
        field(w, "MHeureDeb")->setText(start);
        field(w, "MHeureFin")->setText(end);
    }
};

} // namespace ondrel::test
