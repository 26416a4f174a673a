// The suite of the help and about box tests (tests/app/HelpTest.cpp and
// tests/views/help/AboutWindowTest.cpp), with its port table.
#pragma once

#include "GuiTestSupport.h"

namespace ondrel::test {

class HelpAboutTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePortTable(workDir(), SmallPortList());
    }
    void StoreLanguage(const QString& langue) {
        store()->setValue(QStringLiteral("langue"), langue);
    }
};

} // namespace ondrel::test
