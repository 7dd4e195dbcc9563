// Faults injected by vantasim reach the application as exactly the engines' failure statuses
// and texts; instruments answer only their own protocol, address and serial settings.
#include "sim_line.h"

namespace vanta::test {
namespace {

// One instrument per protocol, all at 9600,N,8,1.
const QByteArray Line = "[instrument vl]\ngroup = 0\nprotocol = L\naddress = 01\nmodel = Z9\n"
                        "settings = 9600,N,8,1\n"
                        "[instrument rtu]\ngroup = 1\nprotocol = R\naddress = 1\nmodel = XK\n"
                        "settings = 9600,N,8,1\n"
                        "[instrument ascii]\ngroup = 2\nprotocol = A\naddress = 1\nmodel = XW\n"
                        "settings = 9600,N,8,1\n";

struct FaultCase
{
    const char *fault;
    int group;
    const char *protocol;
    qint16 status;
    const char *text;
};

const FaultCase FaultCases[] = {
    {"@vl noreply", 0, "L", -1, "Address 01:No response from instrument for register 2 (00)"},
    {"@vl badcheck", 0, "L", -1,
     "Address 01:Check-sum error on received data from instrument for register 2 (00)"},
    {"@vl noack", 0, "L", -1, "Address 01:Response but no <ACK> received for register 2 (00)"},
    {"@vl truncate:5", 0, "L", -1, "Address 01:Response but no <ACK> received for register 2 (00)"},
    {"@vl late:400", 0, "L", -1, "Address 01:No response from instrument for register 2 (00)"},
    {"@vl late:40 next 1", 0, "L", 0, ""},
    {"@vl nak:6", 0, "L", 6, "Address 01:Undefined command from instrument for register 2 (00)"},
    {"@vl nak:8 next 1", 0, "L", 8,
     "Address 01:Hardware fault. Return to factory for service from instrument for register 2 "
     "(00)"},
    {"@rtu noreply", 1, "R", -1, "Address 001:No response from instrument at register 1000H (2)"},
    {"@rtu badcheck", 1, "R", -1,
     "Address 001:Bad CRC or communications noise from instrument at register 1000H (2)"},
    {"@rtu wrongaddr", 1, "R", -1,
     "Address 001:Incorrect Address Returned from instrument at register 1000H (2)"},
    {"@rtu truncate:4", 1, "R", -1,
     "Address 001:Too short of response from instrument at register 1000H (2)"},
    {"@rtu noise:3", 1, "R", -1,
     "Address 001:Bad CRC or communications noise from instrument at register 1000H (2)"},
    {"@rtu noise:3 next 1", 1, "R", 0, ""},
    {"@rtu exception:4", 1, "R", 4,
     "Address 001:Slave Device Failure response from instrument for register 1000H (2)"},
    {"@ascii badcheck", 2, "A", -1,
     "Address 001:Checksum error from instrument at register 4700H (2)"},
    {"@ascii wrongaddr", 2, "A", -1,
     "Address 001:Incorrect Address Returned from instrument at register 4700H (2)"},
    {"@ascii exception:2", 2, "A", 2,
     "Address 001:Illegal Data Address response from instrument for register 4700H (2)"},
    {"badcheck rate 0", 2, "A", 0, ""},
};

TEST(SimulatorFaults, ReachTheApplicationAsTheEnginesFailureTexts)
{
    for (const FaultCase &c : FaultCases) {
        SCOPED_TRACE(c.fault);
        SimulatorProcess sim(Line, {"--fault", c.fault});
        ASSERT_TRUE(sim.ready());
        ApplicationSide side(sim.link(), 150);
        ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
        const auto result = side.read(c.group, c.protocol, 1, 2);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.text, QString::fromLatin1(c.text));
    }
}

TEST(SimulatorFaults, InstrumentsRefuseWhatTheirModelDoesNotAllow)
{
    SimulatorProcess sim(Line);
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 150);
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    // Z9 has no ramp/soak program; XK has no communication registers.
    auto result = side.read(0, "L", 1, 786);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.text,
              "Address 01:Illegal Data Address response from instrument for register 786 (0312)");
    result = side.read(1, "R", 1, 4209);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(
        result.text,
        "Address 001:Illegal Data Address response from instrument for register 1071H (4209)");
    // Setpoint 1 ranges -1999..9999.
    result = side.write(0, "L", 1, 258, -5000);
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(result.text.startsWith(
        "Address 01:Illegal Data Value response from instrument for register 258 (0202)"))
        << result.text.toStdString();
    result = side.write(2, "A", 1, 258, -5000);
    EXPECT_EQ(result.status, 3);
}

TEST(SimulatorLine, AnInstrumentAnswersOnlyAtItsOwnBaudRateAndStopBits)
{
    SimulatorProcess sim("[instrument mixer]\ngroup = 1\nprotocol = A\naddress = 7\nmodel = QT\n"
                         "settings = 19200,E,7,2\n");
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 100);
    const char *const wrong[] = {"9600,E,7,2", "19200,E,7,1"};
    for (const char *settings : wrong) {
        SCOPED_TRACE(settings);
        ASSERT_TRUE(side.open(QString::fromLatin1(settings)));
        EXPECT_EQ(side.read(1, "A", 7, 1794).status, -1);
    }
    ASSERT_TRUE(side.open(QStringLiteral("19200,E,7,2")));
    const auto found = side.read(1, "A", 7, 1794);
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.value, 20820.0F); // Q, T
    // Nobody else on the line: another address or protocol stays silent.
    EXPECT_EQ(side.read(1, "A", 8, 1794).status, -1);
    EXPECT_EQ(side.read(1, "R", 7, 1794).status, -1);
}

TEST(SimulatorLine, TheProcessValueMovesTowardsTheSetpoint)
{
    SimulatorProcess sim("[instrument vl]\ngroup = 0\nprotocol = L\naddress = 01\nmodel = Z9\n"
                         "settings = 9600,N,8,1\ndecimals = 1\npv = 20.0\nsp = 200.0\nlag = 2\n"
                         "noise = 0\n");
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 300);
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    const auto first = side.read(0, "L", 1, 2);
    ASSERT_EQ(first.status, 0);
    QThread::msleep(400); // the simulator's process runs on its own real-time clock
    const auto later = side.read(0, "L", 1, 2);
    ASSERT_EQ(later.status, 0);
    EXPECT_GT(later.value, first.value);
    EXPECT_LE(later.value, 2000);
}

TEST(SimulatorLine, AnswersTheFirstGoodRequestAfterAFloodOfStartsThatNeverEnd)
{
    SimulatorProcess sim(Line);
    ASSERT_TRUE(sim.ready());
    ApplicationSide side(sim.link(), 1000);
    ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
    const struct
    {
        QByteArray start;
        int group;
        const char *protocol;
    } floods[] = {{":", 2, "A"}, {"\x02L", 0, "L"}};
    for (const auto &flood : floods) {
        SCOPED_TRACE(flood.protocol);
        // Written whole before the read begins: the simulator has to keep up with it.
        side.line.output(flood.start.repeated(3 * 1024 * 1024 / flood.start.size()));
        const auto result = side.read(flood.group, flood.protocol, 1, 2);
        EXPECT_EQ(result.status, 0) << result.text.toStdString();
    }
}

} // namespace
} // namespace vanta::test
