// A pseudo-terminal whose far end answers like an instrument, for tests and benchmarks that run
// a real program on a real serial device: the program opens devicePath(); a thread reads its
// requests from the master side and writes the replies a handler gives.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace vanta::test {

class PtyResponder
{
public:
    // The handler's verdict on the bytes received so far: a complete request uses `used` bytes
    // and is answered with `reply` (empty: no answer).
    struct Answer
    {
        qsizetype used = 0;
        QByteArray reply;
    };
    // Returns nothing while the request is incomplete.
    using Handler = std::function<std::optional<Answer>(const QByteArray &pending)>;

    // Throws std::runtime_error when no pseudo-terminal can be opened.
    explicit PtyResponder(Handler handler);
    ~PtyResponder();
    PtyResponder(const PtyResponder &) = delete;
    PtyResponder &operator=(const PtyResponder &) = delete;

    QString devicePath() const { return m_devicePath; }
    // Every byte received so far, and the number of requests answered or ignored.
    QByteArray received() const;
    int requestCount() const { return m_requests.load(); }

private:
    void run();
    void handle(QByteArray &pending);

    Handler m_handler;
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between programs
    QString m_devicePath;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    mutable std::mutex m_mutex;
    QByteArray m_received;
    std::thread m_thread;
};

// An instrument's registers by wire address; words and bits alike.
using RegisterMap = std::map<int, int>;

// Handlers of one instrument at `address`; requests to other addresses go unanswered.
// Modbus: functions 1, 2, 3, 4 and 103 read, 5, 6 and 16 write (into `registers`); a register
// missing from the map gets exception 2 (illegal data address).
PtyResponder::Handler modbusRtuInstrument(int address, std::shared_ptr<RegisterMap> registers);
PtyResponder::Handler modbusAsciiInstrument(int address, std::shared_ptr<RegisterMap> registers);
// Vanta Link: a read of a command in `replies` answers its data field; a command missing from
// it gets the negative acknowledgement 06 (undefined command); a write is acknowledged.
PtyResponder::Handler vantaLinkInstrument(int address, std::map<int, QByteArray> replies);
// Takes every byte and never answers.
PtyResponder::Handler silentInstrument();

// Frame checks written independently of the engines, so an engine's mistake shows.
QByteArray crc16Modbus(const QByteArray &frame); // two bytes, low first
quint8 lrc(const QByteArray &bytes);
QByteArray vantaLinkSum(const QByteArray &text); // two upper-case hexadecimal digits
// An instrument's Vanta Link replies, ACK included: a data field, or a negative acknowledgement
// with a two-digit error code (which carries no checksum).
QByteArray vantaLinkReplyFrame(const QByteArray &addressText, const QByteArray &data);
QByteArray vantaLinkNakFrame(const QByteArray &addressText, int code);

} // namespace vanta::test
