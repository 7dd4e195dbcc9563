// Shared state: change signals fire once per real change, and bounded table access.
#include "core/app_state.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using vanta::core::AppState;

TEST(AppState, SignalsOnlyRealChanges)
{
    AppState app(QStringLiteral("/tmp"));
    int changes = 0;
    QObject::connect(&app, &AppState::demoModeChanged, [&](bool) { ++changes; });
    app.setDemoMode(true);
    app.setDemoMode(true);
    app.setDemoMode(false);
    EXPECT_EQ(changes, 2);
}

TEST(AppState, TablesRefuseOutOfRangeRegisters)
{
    AppState app(QStringLiteral("/tmp"));
    app.Tables.setKXref(20481, 5);
    app.Tables.setKXref(0, 5);
    EXPECT_EQ(app.Tables.KXref(20481), -1);
    EXPECT_EQ(app.Tables.KXref(0), -1);
    EXPECT_EQ(app.Tables.VantaXref(20480, 3), -1);
    app.Catalogue.setModelRegister(20480, 15, true);
    EXPECT_TRUE(app.Catalogue.ModelRegisters(20480, 15));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(20480, 16));
    EXPECT_FALSE(app.Catalogue.ModelRegisters(20481, 15));
}
