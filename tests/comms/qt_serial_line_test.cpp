// The real serial line end to end: QtSerialLine on one side of a pseudo-terminal, a small
// responder thread playing the instrument on the other.
#include "comms/qt_serial_line.h"

#include "comms/comm_port.h"
#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/vanta_link.h"
#include "comms/vanta_link_frames.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "support/scripted_interaction.h"

#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace vanta::comms {
namespace {

// Answers whole requests on the master side of a pseudo-terminal. `answer` gets the bytes
// collected so far and returns the reply once they make a request (an empty reply is silence),
// or nothing to keep collecting.
class PtyInstrument
{
public:
    using Answer = std::function<std::optional<QByteArray>(const QByteArray &)>;

    explicit PtyInstrument(Answer answer) : m_answer(std::move(answer))
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        tcgetattr(m_slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
        m_path = QString::fromLocal8Bit(name);
        m_thread = std::thread([this] { serve(); });
    }
    ~PtyInstrument()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_master >= 0)
            close(m_master);
        if (m_slave >= 0)
            close(m_slave);
    }
    PtyInstrument(const PtyInstrument &) = delete;
    PtyInstrument &operator=(const PtyInstrument &) = delete;

    const QString &path() const { return m_path; }
    int requests() const { return m_requests; }
    // Writes unasked, as an instrument that talks on its own.
    void send(const QByteArray &bytes) { writeAll(bytes); }

private:
    void serve()
    {
        QByteArray collected;
        while (!m_stop) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN))
                continue;
            char buffer[256];
            const ssize_t count = read(m_master, buffer, sizeof buffer);
            if (count <= 0)
                continue;
            collected.append(buffer, int(count));
            const std::optional<QByteArray> reply = m_answer(collected);
            if (!reply)
                continue;
            ++m_requests;
            collected.clear();
            // Two pieces with a pause between, as a slow line delivers them.
            const int half = int(reply->size()) / 2;
            writeAll(reply->left(half));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            writeAll(reply->mid(half));
        }
    }
    void writeAll(const QByteArray &bytes)
    {
        if (!bytes.isEmpty() && write(m_master, bytes.constData(), size_t(bytes.size())) < 0)
            return;
    }

    Answer m_answer;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

// An instrument at address 1 that knows one holding register (value 5) in Modbus RTU and ASCII
// and the Vanta Link process value.
std::optional<QByteArray> instrument(const QByteArray &request)
{
    if (request.startsWith(char(1)) && request.size() == 8)
        return QByteArray::fromHex("0103020005") + ModbusCRC(QByteArray::fromHex("0103020005"));
    if (request.startsWith(':') && request.endsWith('\n'))
        return QByteArray(":0103020005F5\r\n");
    if (request.startsWith(STX) && request.endsWith(ETX)) {
        const QString body = QStringLiteral("L01") + QStringLiteral("0C110123");
        return (QString(QChar(STX)) + body + VantaLinkChecksum(body)).toLatin1() + ACK;
    }
    return std::nullopt;
}

struct RealRig
{
    core::SystemClock clock;
    test::ScriptedInteraction ui;
    core::AppState app{QStringLiteral(".")};
    QtSerialLine line{QStringLiteral(".")};
    CommLink link{app, line, clock, ui};

    explicit RealRig(const QString &device)
    {
        app.Config.PollTimeout = 1000;
        line.setDevicePath(device);
    }
};

TEST(QtSerialLine, CarriesEveryProtocolOverAPseudoTerminal)
{
    PtyInstrument pty(instrument);
    ASSERT_FALSE(pty.path().isEmpty());
    RealRig rig(pty.path());
    // A pseudo-terminal refuses the RTS request; the port opens all the same.
    ASSERT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), 0);
    EXPECT_TRUE(rig.ui.boxes.empty());

    qint16 status = -5;
    QString text;
    QVector<float> values;
    ModbusRead_R(rig.link, 1, 1794, text, status, 1, 0x2A0, HoldingRegister, 1, values);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(values, QVector<float>{5});

    values.clear();
    ModbusRead_A(rig.link, 1, 1794, text, status, 1, 0x2A0, HoldingRegister, 1, values);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(values, QVector<float>{5});

    VantaLinkValue value;
    VantaLinkRead(rig.link, text, status, 1, 0, value, 2);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(value.ValueText, "-12.3");
    EXPECT_EQ(pty.requests(), 3);

    // Reopening with other settings keeps working; the parity and character size that a
    // pseudo-terminal cannot take do not keep it closed.
    ASSERT_EQ(InitComm(rig.link, QStringLiteral("19200,E,7,2")), 0);
    EXPECT_TRUE(rig.ui.boxes.empty());
    ModbusRead_R(rig.link, 1, 1794, text, status, 1, 0x2A0, HoldingRegister, 1, values);
    EXPECT_EQ(status, 0);
}

TEST(QtSerialLine, TimesOutWhenNobodyAnswers)
{
    PtyInstrument pty([](const QByteArray &) { return std::optional<QByteArray>(); });
    RealRig rig(pty.path());
    rig.app.Config.PollTimeout = 100;
    ASSERT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), 0);
    qint16 status = 0;
    QString text;
    QVector<float> values;
    ModbusRead_R(rig.link, 1, 0, text, status, 1, 0x10, HoldingRegister, 1, values);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(text, "Address 001:No response from instrument at register 10H");
}

TEST(QtSerialLine, TellsItsReadyReadHandlerWhenBytesArrive)
{
    PtyInstrument pty([](const QByteArray &) { return std::optional<QByteArray>(); });
    ASSERT_FALSE(pty.path().isEmpty());
    RealRig rig(pty.path());
    ASSERT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), 0);
    QByteArray heard;
    rig.line.setReadyReadHandler([&] { heard += rig.line.input(0); });
    for (const char *expected : {"hel", "hello"}) {
        pty.send(QByteArray(expected).mid(heard.size()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard == expected; }, 5000)) << heard.data();
    }

    // Without a handler the bytes wait for the next read.
    rig.line.setReadyReadHandler(nullptr);
    pty.send("!");
    EXPECT_TRUE(rig.line.waitForInput(5000));
    EXPECT_EQ(rig.line.input(0), QByteArray("!"));
    EXPECT_EQ(heard, QByteArray("hello"));
}

TEST(QtSerialLine, AMissingDeviceDisablesCommunications)
{
    RealRig rig(QStringLiteral("/dev/vanta-no-such-device"));
    rig.app.Config.CommPort = 7;
    EXPECT_EQ(InitComm(rig.link, QStringLiteral("9600,N,8,1")), -1);
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes.front().title, "InitComm");
    EXPECT_TRUE(rig.ui.boxes.front().text.contains("COM7,"));
    EXPECT_FALSE(rig.app.CommEnabled());
    EXPECT_FALSE(rig.line.portOpen());
}

TEST(QtSerialLine, AnEmptyConfigurationReportsAMissingPortNotBadSettings)
{
    // A missing settings file leaves port 0 and the settings text "0,,0,0": the user is told
    // that the port does not exist, not shown an error report about the settings.
    RealRig rig(QString{});
    rig.app.Config.CommPort = 0;
    EXPECT_EQ(InitComm(rig.link, QStringLiteral("0,,0,0")), -1);
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes.front().title, "InitComm");
    EXPECT_TRUE(rig.ui.boxes.front().text.contains("COM0,"));
    EXPECT_FALSE(rig.app.CommEnabled());
}

} // namespace
} // namespace vanta::comms
