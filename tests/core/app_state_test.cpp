// Shared state: change signals fire once per real change, and bounded table access.
#include "core/app_state.h"

#include <QSignalSpy>
#include <functional>
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

// Each change reaches its signal, and only its signal: `act` runs against a fresh state whose
// every signal is counted.
struct SignalCase
{
    const char *name;
    std::function<void(AppState &)> act;
    const char *signal; // SIGNAL() text of the one signal that must fire
    int emissions;
};

TEST(AppState, ChangeSignalsFireForTheirOwnChangesOnly)
{
    const SignalCase cases[] = {
        {"instrument list", [](AppState &app) { app.notifyInstrumentListChanged(); },
         SIGNAL(instrumentListChanged()), 1},
        {"port settings", [](AppState &app) { app.notifyPortSettingsChanged(); },
         SIGNAL(portSettingsChanged()), 1},
        {"ramp/soak request, twice for the same instrument",
         [](AppState &app) {
             app.requestRampSoakConfig(5, QStringLiteral("R"), 1);
             app.requestRampSoakConfig(5, QStringLiteral("R"), 1);
         },
         SIGNAL(rampSoakConfigRequested()), 2},
        {"graph recording on, on, off",
         [](AppState &app) {
             app.setGraphRecording(true);
             app.setGraphRecording(true);
             app.setGraphRecording(false);
         },
         SIGNAL(graphRecordingChanged(bool)), 2},
        {"nested port loans and a surplus return",
         [](AppState &app) {
             app.lendPort();
             app.lendPort();
             app.returnPort();
             EXPECT_TRUE(app.PortBorrowed());
             app.returnPort();
             app.returnPort();
             EXPECT_FALSE(app.PortBorrowed());
         },
         SIGNAL(portBorrowedChanged(bool)), 2},
    };
    const char *const signalNames[] = {
        SIGNAL(instrumentListChanged()),   SIGNAL(portSettingsChanged()),
        SIGNAL(rampSoakConfigRequested()), SIGNAL(graphRecordingChanged(bool)),
        SIGNAL(portBorrowedChanged(bool)),
    };
    for (const SignalCase &c : cases) {
        SCOPED_TRACE(c.name);
        AppState app(QStringLiteral("/tmp"));
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const char *signal : signalNames)
            spies.push_back(std::make_unique<QSignalSpy>(&app, signal));
        c.act(app);
        for (size_t i = 0; i < spies.size(); ++i) {
            SCOPED_TRACE(signalNames[i]);
            const int expected = qstrcmp(signalNames[i], c.signal) == 0 ? c.emissions : 0;
            EXPECT_EQ(spies[i]->count(), expected);
        }
    }
}

TEST(AppState, RampSoakRequestSetsTheRequestFields)
{
    AppState app(QStringLiteral("/tmp"));
    app.requestRampSoakConfig(17, QStringLiteral("A"), 2);
    EXPECT_TRUE(app.RSModel);
    EXPECT_EQ(app.RSAddress, 17);
    EXPECT_EQ(app.RSProtocol, QStringLiteral("A"));
    EXPECT_EQ(app.RSGroup, 2);
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
