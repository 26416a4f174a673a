// Support for the tests of the curve and tide-table windows: a private home and settings store
// per test, message boxes that record what they were asked to show, a fixed clock, test ports.
#pragma once

#include "QStringPrinting.h"
#include "TestPorts.h"
#include "engine/Julian.h"
#include "state/AppState.h"
#include "views/common/MessageBoxes.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace ondrel::test {

class RecordingMessageBoxes : public MessageBoxes {
public:
    QStringList shown;
    void information(QWidget*, const QString& text) override { shown << text; }
    void plain(QWidget*, const QString& text) override { shown << text; }
    void informationWithHelp(QWidget*, const QString& text, const std::function<void()>&) override {
        shown << text;
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        shown << text;
        return Answer::Cancel;
    }
    Answer askYesNo(QWidget*, const QString& text) override {
        shown << text;
        return Answer::No;
    }
};

// Every test gets its own home, configuration folder and settings store.
class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           home.path() + QStringLiteral("/config"));
        state.settingsStore.organisation = QStringLiteral("OndrelViewsTest");
        state.settings.chosenLanguage = Language::French;
        state.port = ondrel::testing::Semidiurnal();
        state.port.name = "LE HAVRE";
        state.port.latitude = "49:29N";
        state.port.longitude = "000:07E";
        state.port.timeZone = 1;
        state.settings.timeReference = TimeReference(1);
        state.portChosen = true;
        setClock(QDateTime(QDate(2024, 3, 12), QTime(10, 17, 23)));
    }

    void setClock(const QDateTime& at) {
        clockTime = at;
        state.clock = [this] { return clockTime; };
        state.selectedDay = JulianDay(at.date().year(), at.date().month(), at.date().day());
    }

    static PortRecord SecondaryOf(const PortRecord& p) { return ondrel::testing::SecondaryOf(p); }

    QTemporaryDir home;
    AppState state;
    RecordingMessageBoxes messages;
    QDateTime clockTime;
};

} // namespace ondrel::test
