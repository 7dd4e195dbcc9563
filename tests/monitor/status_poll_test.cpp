// The status poll: one tick per group and protocol through the dispatcher and a scripted
// instrument, the error-list change rule, failures, and the demo values.
#include "monitor/status_poll.h"

#include "comms/port_loan.h"
#include "status_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using monitor::StatusColour;
using monitor::StatusFields;

struct Expected
{
    const char *modelId;
    const char *modelType;
    const char *mode;
    StatusColour modeColour;
    const char *commMode;
    const char *alarm1;
    const char *alarm2;
    const char *processValue;
    const char *setpoint;
    const char *softVersion;
    bool commVersionVisible;
    const char *commVersion;
    QStringList unitErrors;
};

void expectFields(const StatusFields &f, const Expected &e)
{
    EXPECT_EQ(f.ErrorMessageText, QString());
    EXPECT_EQ(f.DateTime, QStringLiteral("03/15/2009 10:00:00"));
    EXPECT_EQ(f.ModelIDText, QString::fromUtf8(e.modelId));
    EXPECT_EQ(f.ModelType, QString::fromUtf8(e.modelType));
    EXPECT_EQ(f.ModeText, QString::fromUtf8(e.mode));
    EXPECT_EQ(f.ModeColour, e.modeColour);
    EXPECT_EQ(f.CommModeText, QString::fromUtf8(e.commMode));
    EXPECT_EQ(f.Alm1StatText, QString::fromUtf8(e.alarm1));
    EXPECT_EQ(f.Alm1Colour, f.Alm1StatText == "ON" ? StatusColour::Red : StatusColour::Black);
    EXPECT_EQ(f.Alm2StatText, QString::fromUtf8(e.alarm2));
    EXPECT_EQ(f.ProcessValueText, QString::fromUtf8(e.processValue));
    EXPECT_TRUE(f.SetpointVisible);
    EXPECT_EQ(f.SetpointText, QString::fromUtf8(e.setpoint));
    EXPECT_EQ(f.SoftVerText, QString::fromUtf8(e.softVersion));
    EXPECT_EQ(f.CommVerVisible, e.commVersionVisible);
    if (e.commVersionVisible) {
        EXPECT_EQ(f.CommVerText, QString::fromUtf8(e.commVersion));
    }
    EXPECT_EQ(f.UnitErrors, e.unitErrors);
}

TEST(StatusPoll, Group1ModbusRtuTick)
{
    StatusRig rig(1, QStringLiteral("R"));
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {0x12, 2},        // model code 2: QT
        {0x1000, 245},    // process value, one fixed decimal
        {0x102A, 0x8014}, // manual, alarm 1 (bit 4), unit 1 = deg C
        {0x102B, 0x8003}, // sensor not connected
        {0x1001, 750},    // setpoint
        {0x102D, 0x0512}, // software version
    });
    rig.answerWith(modbusRtuInstrument(1, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(1);
    expectFields(poll.fields(), {"QT",
                                 "QT48, 1/16 DIN PID Controller",
                                 "Manual",
                                 StatusColour::Black,
                                 "Local",
                                 "ON",
                                 "OFF",
                                 "24.5 °C",
                                 "75.0 °C",
                                 "05.12",
                                 false,
                                 "",
                                 {"Sensor is not connected"}});
    EXPECT_EQ(poll.LastErrorWord(), 3);
}

TEST(StatusPoll, Group2ModbusAsciiTick)
{
    StatusRig rig(2, QStringLiteral("A"));
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {0x472E, 0x5857}, // model id (always taken as XW)
        {0x4700, 0xFFF6}, // -1.0: a 0..65535 word taken as two's complement
        {0x472B, 0x4024}, // remote, alarm 1 (bit 5), unit 1 = deg F
        {0x472C, 3},
        {0x4701, 1000},
        {0x472D, 0x1203},
    });
    rig.answerWith(modbusAsciiInstrument(1, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(1);
    expectFields(poll.fields(), {"XW",
                                 "XW48, 1/16 DIN Temperature Controller",
                                 "Auto",
                                 StatusColour::Green,
                                 "Remote",
                                 "ON",
                                 "OFF",
                                 "-1.0 °F",
                                 "100.0 °F",
                                 "12.03",
                                 false,
                                 "",
                                 {"Sensor is not connected"}});

    // Codes without a text empty the list.
    (*registers)[0x472C] = 8;
    poll.tmrPoll_Timer(1);
    EXPECT_TRUE(poll.fields().UnitErrors.isEmpty());
}

TEST(StatusPoll, Group0ModbusRtuTickInvertsFailSafeAlarms)
{
    StatusRig rig(0, QStringLiteral("R"));
    // Group 0 on Modbus numbers its registers from 1, the wire from 0.
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {1793, 0x484D},     // 1794: HM
        {1, 245},           // 2
        {2, 0x0814 | 0x80}, // 3: alarm 1 energised, deg C, one decimal, NAT
        {3, 0x0240},        // 4: open input, rate of change
        {256, 750},         // 257
        {794, 1},           // 795: decimal point
        {798, 2},           // 799: alarm 1 fail-safe
        {800, 2},           // 801: alarm 2 fail-safe
        {1792, 0x0701},     // 1793
        {1794, 0x1203},     // 1795
    });
    rig.answerWith(modbusRtuInstrument(50, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(50);
    // Energised and fail-safe: not active. Not energised and fail-safe: active.
    expectFields(poll.fields(), {"HM",
                                 "HM16, 1/16 DIN Temperature Controller",
                                 "Auto",
                                 StatusColour::Green,
                                 "Local",
                                 "OFF",
                                 "ON",
                                 "24.5 °C",
                                 "75.0 °C",
                                 "12 03",
                                 true,
                                 "07 01",
                                 {"No Activity Timer (NAT) Error", "Open input",
                                  "Sensor rate of change exceeds limit"}});
}

TEST(StatusPoll, Group0VantaLinkTickReadsTheVersionTexts)
{
    StatusRig rig(0, QStringLiteral("L"));
    rig.answerWith(vantaLinkInstrument(0x32, {
                                                 {0x0730, "5635000000"}, // V5
                                                 {0x00, "09140245"},
                                                 {0x05, "C914000005"}, // manual, remote
                                                 {0x0731, "0000000000"},
                                                 {0x031F, "00"},
                                                 {0x0321, "02"},
                                                 {0x0101, "140750"},
                                                 {0x0700, "07.01"},
                                                 {0x0702, "0512030000"},
                                             }));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(0x32);
    expectFields(poll.fields(), {"V5",
                                 "V5RP, 1/4 DIN Ramp/Soak Controller",
                                 "Manual",
                                 StatusColour::Black,
                                 "Remote",
                                 "ON",
                                 "ON",
                                 "24.5 °C",
                                 "75.0°C",
                                 "05 12 03",
                                 true,
                                 "07.01",
                                 {}});
}

TEST(StatusPoll, UnitErrorListIsRebuiltOnlyWhenTheWordOrNatFlagChanges)
{
    StatusRig rig(0, QStringLiteral("R"));
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {1793, 0x484D},
        {1, 245},
        {2, 0x0014},
        {3, 0x8000},
        {256, 750},
        {794, 1},
        {798, 0},
        {800, 0},
        {1792, 0x0701},
        {1794, 0x0512},
    });
    rig.answerWith(modbusRtuInstrument(50, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(50);
    const int firstBuild = poll.fields().UnitErrorsBuilds;
    EXPECT_EQ(poll.fields().UnitErrors, QStringList{"Unit Failed Self-test"});

    poll.tmrPoll_Timer(50);
    EXPECT_EQ(poll.fields().UnitErrorsBuilds, firstBuild);

    (*registers)[2] = 0x0094; // only the NAT flag changes
    poll.tmrPoll_Timer(50);
    EXPECT_EQ(poll.fields().UnitErrorsBuilds, firstBuild + 1);
    EXPECT_EQ(poll.fields().UnitErrors,
              (QStringList{"No Activity Timer (NAT) Error", "Unit Failed Self-test"}));

    // Clearing forgets the last word: the same word builds the list again.
    poll.ClearAllFields();
    EXPECT_TRUE(poll.fields().UnitErrors.isEmpty());
    poll.tmrPoll_Timer(50);
    EXPECT_EQ(poll.fields().UnitErrors.size(), 2);
}

TEST(StatusPoll, MissingRegistersHideTheSetpointAndKeepTheAlarm)
{
    StatusRig rig(0, QStringLiteral("R"));
    // An N8-like instrument: no setpoint, no alarm 2 options.
    auto registers = std::make_shared<RegisterMap>(RegisterMap{
        {1793, 0x4E38},
        {1, 5},
        {2, 0x0C00},
        {3, 0},
        {794, 0},
        {798, 0},
        {1792, 0x0701},
        {1794, 0x0512},
    });
    rig.answerWith(modbusRtuInstrument(50, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(50);
    const StatusFields &f = poll.fields();
    EXPECT_EQ(f.ErrorMessageText, QString());
    EXPECT_FALSE(f.ModeVisible); // N8 has no auto/manual mode
    EXPECT_FALSE(f.SetpointVisible);
    EXPECT_EQ(f.Alm1StatText, QStringLiteral("ON"));
    EXPECT_EQ(f.Alm2StatText, QString());              // 801 not available: left as it was
    EXPECT_EQ(f.SoftVerText, QStringLiteral("05 12")); // the tick went on to the versions
}

TEST(StatusPoll, AFailedReadShowsItsTextAndEndsTheTick)
{
    StatusRig rig(1, QStringLiteral("R"));
    auto registers = std::make_shared<RegisterMap>(RegisterMap{{0x12, 2}, {0x1000, 245}});
    rig.answerWith(modbusRtuInstrument(1, registers));
    monitor::StatusPoll poll(rig.link);
    poll.tmrPoll_Timer(1);
    const StatusFields &f = poll.fields();
    EXPECT_EQ(f.ModelIDText, QStringLiteral("QT")); // written before the failure
    EXPECT_TRUE(f.ErrorMessageText.startsWith(QStringLiteral("Address 001:")))
        << f.ErrorMessageText.toStdString();
    EXPECT_TRUE(f.ProcessValueText.isEmpty());
    EXPECT_TRUE(f.ModeText.isEmpty());

    // Nobody answers: the time-out text, and the fields keep their values.
    rig.line.responder = nullptr;
    poll.tmrPoll_Timer(1);
    EXPECT_TRUE(f.ErrorMessageText.contains(QStringLiteral("No response")))
        << f.ErrorMessageText.toStdString();
    EXPECT_EQ(f.ModelIDText, QStringLiteral("QT"));
}

TEST(StatusPoll, ATickWhileThePortIsLentReadsNothing)
{
    StatusRig rig(1, QStringLiteral("R")); // nobody answers
    monitor::StatusPoll poll(rig.link);
    {
        const comms::PortLoan search(rig.app);
        poll.tmrPoll_Timer(1);
    }
    EXPECT_TRUE(rig.line.requests.empty());
    EXPECT_TRUE(poll.fields().ErrorMessageText.isEmpty());

    poll.tmrPoll_Timer(1); // the port is back
    EXPECT_FALSE(rig.line.requests.empty());
    EXPECT_TRUE(poll.fields().ErrorMessageText.contains(QStringLiteral("No response")));
}

TEST(StatusPoll, DemoTickShowsFixedValuesWithoutReads)
{
    struct Case
    {
        int group;
        const char *modelType;
        const char *processValue;
        const char *setpoint;
        const char *alarm1;
        const char *alarm2;
        bool commVersionVisible;
    };
    const Case cases[] = {
        {0, "HM16, 1/16 DIN Temperature Controller", "86 °F", "84 °F", "ON", "OFF", true},
        {1, "Unavailable, Unknown Model Type", "8.6", "84", "OFF", "ON", false},
        {2, "Unavailable, Unknown Model Type", "8.6", "84", "OFF", "OFF", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.group);
        StatusRig rig(c.group);
        rig.app.setDemoMode(true);
        monitor::StatusPoll poll(rig.link, [] { return 0.5; }); // 84 + 1.5 rounds to 86
        poll.tmrPoll_Timer(1);
        const StatusFields &f = poll.fields();
        EXPECT_TRUE(rig.line.requests.empty());
        EXPECT_EQ(f.ModelIDText, QStringLiteral("HM"));
        EXPECT_EQ(f.ModelType, QString::fromUtf8(c.modelType));
        EXPECT_EQ(f.ProcessValueText, QString::fromUtf8(c.processValue));
        EXPECT_EQ(f.SetpointText, QString::fromUtf8(c.setpoint));
        EXPECT_EQ(f.ModeText, QStringLiteral("Auto"));
        EXPECT_EQ(f.CommModeText, QStringLiteral("Local"));
        EXPECT_EQ(f.Alm1StatText, QString::fromLatin1(c.alarm1));
        EXPECT_EQ(f.Alm2StatText, QString::fromLatin1(c.alarm2));
        EXPECT_EQ(f.UnitErrors, (QStringList{"Unit Ambient Temp. beyond spec.",
                                             "Sensor rate of change exceeds limit"}));
        EXPECT_EQ(f.SoftVerText, QStringLiteral("05 01"));
        EXPECT_EQ(f.CommVerText, QStringLiteral("07 01"));
        EXPECT_EQ(f.CommVerVisible, c.commVersionVisible);
    }
}

TEST(StatusWords, SixteenBitConversionAndCodes)
{
    const std::pair<double, qint16> words[] = {
        {0, 0},          {32767, 32767},
        {32768, -32768}, {65535, -1},
        {-1, -1},        {65536, 0},
        {70000, 4464},   {1e12, static_cast<qint16>(static_cast<qint64>(1e12) & 0xFFFF)},
    };
    for (const auto &[value, word] : words) {
        SCOPED_TRACE(value);
        EXPECT_EQ(monitor::toWord16(value), word);
    }
    EXPECT_EQ(monitor::toWord16(std::nan("")), 0);

    const std::pair<int, int> group1Codes[] = {
        {0x8001, 0}, {0x8002, 2}, {0x8005, 5}, {0x8007, 7}, {0x8008, 0}, {3, 0}, {0, 0},
    };
    for (const auto &[word, code] : group1Codes) {
        SCOPED_TRACE(word);
        EXPECT_EQ(monitor::group1ErrorCode(monitor::toWord16(word)), code);
    }
    EXPECT_EQ(monitor::errorCodeText(1, 2), QStringLiteral("Initial Process"));
    EXPECT_EQ(monitor::errorCodeText(2, 2), QStringLiteral("Sensor is not stable"));
    EXPECT_EQ(monitor::errorCodeText(1, 5), QString());
    EXPECT_EQ(monitor::errorCodeText(2, 5), QStringLiteral("Sensor value exceeds range"));
    EXPECT_EQ(monitor::errorCodeText(1, 1), QString());
}

TEST(StatusWords, VersionTextsAreBoundsSafe)
{
    EXPECT_EQ(monitor::versionText(0x1203, '.'), QStringLiteral("12.03"));
    EXPECT_EQ(monitor::versionText(0x1203, ' '), QStringLiteral("12 03"));
    EXPECT_EQ(monitor::spacedVersionText(QStringLiteral("051203")), QStringLiteral("05 12 03"));
    EXPECT_EQ(monitor::spacedVersionText(QStringLiteral("051")), QStringLiteral("05 1"));
    EXPECT_EQ(monitor::spacedVersionText(QString()), QString());
}

} // namespace
} // namespace vanta::test
