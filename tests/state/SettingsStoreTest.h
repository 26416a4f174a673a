// Support for the state tests: each test gets its own home and configuration folder, and reads
// and writes the settings where the program does (SettingsStore::open) under a test
// organisation name; nothing of the real user is touched.
#pragma once

#include "QStringPrinting.h"
#include "state/AppState.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace ondrel::test {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        const QString config = home.filePath(QStringLiteral("config"));
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        state.settingsStore.organisation = QStringLiteral("OndrelTest");
    }

    std::unique_ptr<QSettings> store() const { return state.settingsStore.open(); }

    QTemporaryDir home;
    AppState state;
};

} // namespace ondrel::test
