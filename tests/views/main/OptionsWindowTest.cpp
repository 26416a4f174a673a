// The options window: loading from the settings, the hour fields' checks, OK with its messages in
// order, Cancel (the refresh of the main window: tests/app/MainWindowRefreshTest.cpp).
#include "OptionsWindowTestSupport.h"

#include "views/main/OptionsWindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace ondrel::test {
namespace {

TEST_F(OptionsWindowTest, OkShowsItsMessagesInOrderAndOnlyForChanges) {
    state.settings.chosenLanguage = Language::English;
    OptionsWindow w(state.settings, boxes);
    QSignalSpy label(&w, &OptionsWindow::timeReferenceLabelChanged);
    QSignalSpy confirmed(&w, &OptionsWindow::optionsConfirmed);
    w.show();
    click(item(w, "choixfuseau", 3));
    EXPECT_TRUE(spin(w, "SEFuseau")->isEnabled());
    spin(w, "SEFuseau")->setValue(5);
    click(item(w, "choixunite", 1));
    spin(w, "SETaille")->setValue(11);
    QTest::mouseClick(w.findChild<QPushButton*>("boutonOK"), Qt::LeftButton);

    EXPECT_EQ(boxes.texts(), (QStringList{"Attention ! All times will be in UT+ 5",
                                          "Careful ! All heights will be in feet"}));
    ASSERT_GE(label.count(), 1);
    EXPECT_EQ(label.last().at(0).toString(), QStringLiteral("time UT + 5"));
    EXPECT_EQ(state.settings.timeReference, TimeReference(105));
    EXPECT_EQ(state.context().timeReference(), TimeReference(105));
    EXPECT_EQ(state.settings.heightUnit, HeightUnit::Feet);
    EXPECT_EQ(state.settings.printFontSize, 11);
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_FALSE(w.isVisible());

    // Reopened: UT + 5 and feet are shown; OK again says nothing but still refreshes.
    boxes.shown.clear();
    w.show();
    EXPECT_TRUE(item(w, "choixfuseau", 3)->isChecked());
    EXPECT_EQ(spin(w, "SEFuseau")->value(), 5);
    EXPECT_TRUE(item(w, "choixunite", 1)->isChecked());
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(confirmed.count(), 2);
}

TEST_F(OptionsWindowTest, FrenchMessagesAndImmediateLabel) {
    state.settings.chosenLanguage = Language::French;
    state.settings.timeReference = TimeReference(2);
    state.settings.heightUnit = HeightUnit::Feet;
    OptionsWindow w(state.settings, boxes);
    QSignalSpy label(&w, &OptionsWindow::timeReferenceLabelChanged);
    w.show();
    click(item(w, "choixfuseau", 1));
    ASSERT_EQ(label.count(), 1); // at once, before OK
    EXPECT_EQ(label.at(0).at(0).toString(), QStringLiteral("heure d'hiver (UT+1)"));
    EXPECT_EQ(state.settings.timeReference, TimeReference(2));
    click(item(w, "choixunite", 0));
    w.confirm();
    EXPECT_EQ(
        boxes.texts(),
        (QStringList{
            "Attention ! Toutes les heures seront données en heure d'hiver française (UT + 1)",
            "Attention ! Toutes les hauteurs seront données en mètres"}));
}

struct HoursCase {
    const char* start;
    const char* end;
    double debut; // expected after OK; the previous hours are 0.25 and 0.75
    double fin;
};

class OptionsHoursTest : public OptionsWindowTest,
                         public ::testing::WithParamInterface<HoursCase> {};

TEST_P(OptionsHoursTest, CurveHoursRule) {
    state.settings.curveStart = 0.25;
    state.settings.curveEnd = 0.75;
    OptionsWindow w(state.settings, boxes);
    w.show();
    setHours(w, QString::fromLatin1(GetParam().start), QString::fromLatin1(GetParam().end));
    w.confirm();
    EXPECT_DOUBLE_EQ(state.settings.curveStart, GetParam().debut) << GetParam().start;
    EXPECT_DOUBLE_EQ(state.settings.curveEnd, GetParam().fin) << GetParam().end;
    // Shown again exactly as typed (not a minute less).
    w.show();
    EXPECT_EQ(w.RealToHms(state.settings.curveStart), field(w, "MHeureDeb")->text());
}

INSTANTIATE_TEST_SUITE_P(Options, OptionsHoursTest,
                         ::testing::Values(HoursCase{"06:10", "22:45", (6 + 10 / 60.0) / 24,
                                                     (22 + 45 / 60.0) / 24},
                                           HoursCase{"00:00", "24:00", 0.0, 1.0},
                                           HoursCase{"23:00", "22:00", 0.25, 0.75},
                                           HoursCase{"12:00", "12:00", 0.25, 0.75}));

TEST_F(OptionsWindowTest, HourFieldsAreCheckedOnLeaving) {
    for (const auto& [langue, startMessage, endMessage] :
         {std::tuple{kFrench, "Erreur de saisie de l'heure. Veuillez recommencer",
                     "Erreur de saisie de l'heure. Veuillez recommencer"},
          std::tuple{kEnglish, "Time must be less than 24. Please try again",
                     "Time must be less then 24. Please try again"}}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        boxes.shown.clear();
        OptionsWindow w(state.settings, boxes);
        w.show();
        field(w, "MHeureDeb")->setText("25:00");
        w.checkStartHour();
        EXPECT_EQ(field(w, "MHeureDeb")->text(), QStringLiteral("00:00"));
        field(w, "MHeureFin")->setText("24:00");
        w.checkEndHour(); // accepted silently as the end of the day
        EXPECT_EQ(field(w, "MHeureFin")->text(), QStringLiteral("24:00"));
        field(w, "MHeureFin")->setText("12:75");
        w.checkEndHour();
        EXPECT_EQ(field(w, "MHeureFin")->text(), QStringLiteral("24:00"));
        EXPECT_EQ(boxes.texts(),
                  (QStringList{QString::fromUtf8(startMessage), QString::fromUtf8(endMessage)}));
    }
}

TEST_F(OptionsWindowTest, LeavingAFieldWithTheKeyboardChecksIt) {
    OptionsWindow w(state.settings, boxes);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return w.isActiveWindow(); }));
    field(w, "MHeureDeb")->setFocus();
    field(w, "MHeureDeb")->selectAll();
    QTest::keyClicks(field(w, "MHeureDeb"), "2999");
    QTest::keyClick(field(w, "MHeureDeb"), Qt::Key_Tab);
    EXPECT_EQ(field(w, "MHeureDeb")->text(), QStringLiteral("00:00"));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(OptionsWindowTest, CancelChangesNothing) {
    OptionsWindow w(state.settings, boxes);
    QSignalSpy confirmed(&w, &OptionsWindow::optionsConfirmed);
    w.show();
    click(item(w, "choixunite", 1));
    spin(w, "SETaille")->setValue(20);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(state.settings.heightUnit, HeightUnit::Metres);
    EXPECT_EQ(state.settings.printFontSize, 8);
    EXPECT_EQ(confirmed.count(), 0);
    // Reopened: the settings, not what was typed.
    w.show();
    EXPECT_TRUE(item(w, "choixunite", 0)->isChecked());
    EXPECT_EQ(spin(w, "SETaille")->value(), 8);
}

// Message boxes that, like real ones, take the activation from the window while they are shown.
class ActivatingBoxes : public FakeMessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override {
        FakeMessageBoxes::information(parent, text);
        if (inBox_) return;
        inBox_ = true;
        QWidget box;
        box.setWindowTitle(QStringLiteral("box"));
        box.show();
        box.activateWindow();
        GuiTest::WaitFor([&] { return box.isActiveWindow(); });
        box.close();
        if (parent) {
            parent->activateWindow();
            GuiTest::WaitFor([&] { return parent->isActiveWindow(); });
        }
        inBox_ = false;
    }

private:
    bool inBox_ = false;
};

TEST_F(OptionsWindowTest, AWrongHourConfirmedWithEnterIsReportedOnce) {
    for (const char* fieldName : {"MHeureDeb", "MHeureFin"}) {
        ActivatingBoxes activating;
        state.settings.chosenLanguage = Language::French;
        OptionsWindow w(state.settings, activating);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(WaitFor([&] { return w.isActiveWindow(); }));
        QLineEdit* f = field(w, fieldName);
        f->setFocus();
        ASSERT_TRUE(WaitFor([&] { return f->hasFocus(); }));
        f->setText(QStringLiteral("29:99"));
        QTest::keyClick(f, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(activating.texts(),
                  QStringList{QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")})
            << fieldName;
        EXPECT_FALSE(w.isVisible());
    }
}

TEST_F(OptionsWindowTest, EachActivationReloadsTheSettingsAndTheLanguage) {
    state.settings.chosenLanguage = Language::French;
    OptionsWindow w(state.settings, boxes);
    QWidget other;
    other.show();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return w.isActiveWindow(); }));
    EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("choixfuseau"))->title(),
              QStringLiteral(" Fuseau horaire "));
    spin(w, "SETaille")->setValue(20); // typed, not confirmed
    click(item(w, "choixunite", 1));

    other.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return other.isActiveWindow(); }));
    state.settings.chosenLanguage = Language::English; // switched in the main window meanwhile
    w.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return w.isActiveWindow(); }));
    EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("choixfuseau"))->title(),
              QStringLiteral(" Time zone "));
    EXPECT_EQ(spin(w, "SETaille")->value(), 8);
    EXPECT_TRUE(item(w, "choixunite", 0)->isChecked());
    EXPECT_EQ(state.settings.printFontSize, 8);
}

} // namespace
} // namespace ondrel::test
