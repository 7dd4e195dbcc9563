// What the engine fuzz targets share: a scripted rig on a cheap clock, the bytes of the accepted
// attempt, and a check that stops the run.
#pragma once

#include "comms/comm_link.h"
#include "comms/comm_rig.h"

#include <QTimeZone>
#include <cstdint>
#include <cstdlib>

namespace vanta::fuzz {

// Stops the fuzzer with the input that broke `condition`.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Success and an empty text go together, as do failure and a text saying why.
inline void requireConsistent(qint16 status, const QString &text)
{
    require(status == 0 ? text.isEmpty() : !text.isEmpty());
}

// One rig for the whole run (building the shared state for every input would cost more than the
// transaction), cleared for each input. Its clock runs in UTC, so reading it costs no time-zone
// work. The replies go to the first and the second attempt.
inline test::CommRig &rigWithReplies(const QByteArray &first, const QByteArray &second)
{
    static test::CommRig rig;
    rig.clock.setLocal(QDateTime(QDate(2009, 3, 15), QTime(10, 0), QTimeZone::utc()));
    rig.line.clearScript();
    rig.traced.clear();
    rig.ui.boxes.clear();
    rig.link.lastTransaction = comms::LastTransaction();
    rig.app.PacingEnabled = false;
    rig.line.queueReply(first);
    rig.line.queueReply(second);
    return rig;
}

// The rig for one input: the bytes after the first `headerBytes` are the replies, and the second
// byte says where the first attempt's reply ends. Empty when the input is too short.
inline test::CommRig *rigForInput(const uint8_t *data, size_t size, size_t headerBytes)
{
    if (size < headerBytes || headerBytes < 2)
        return nullptr;
    const QByteArray replies(reinterpret_cast<const char *>(data + headerBytes),
                             int(size - headerBytes));
    const int split = data[1] % (replies.size() + 1);
    return &rigWithReplies(replies.left(split), replies.mid(split));
}

// One Modbus engine as the fuzz targets drive it, with the target's own checks of an accepted
// reply.
struct ModbusEngineUnderTest
{
    using Read = void (*)(comms::CommLink &, int, int, QString &, qint16 &, int, int, int, int,
                          QVector<float> &);
    using Write = void (*)(comms::CommLink &, int, int, QString &, qint16 &, int, int, int, int,
                           const QVector<float> &);
    Read read;
    Write write;
    bool writesOneValue; // Modbus ASCII writes Values[0] only
    void (*checkAcceptedRead)(const test::CommRig &, int type, int count,
                              const QVector<float> &values);
    void (*checkAcceptedWrite)(const test::CommRig &);
};

// One input: the first byte picks read or write, register type (1..5), count (1..4) and group
// (0 or 1); the rest are the replies.
inline int fuzzModbusEngine(const uint8_t *data, size_t size, const ModbusEngineUnderTest &engine)
{
    test::CommRig *rig = rigForInput(data, size, 2);
    if (!rig)
        return 0;
    const int op = data[0];
    const int type = 1 + (op >> 1) % 5;
    const int count = 1 + (op >> 4) % 4;
    const int group = (op & 0x40) ? 0 : 1;
    qint16 status = 0;
    QString text;
    if (op & 1) {
        QVector<float> values;
        engine.read(rig->link, group, 7, text, status, 1, 0x10, type, count, values);
        if (status == 0)
            engine.checkAcceptedRead(*rig, type, count, values);
    } else {
        const QVector<float> values{float(op >> 4) - 8, -1, 0, 300};
        engine.write(rig->link, group, 7, text, status, 1, 0x10, type,
                     engine.writesOneValue ? 1 : count, values);
        if (status == 0)
            engine.checkAcceptedWrite(*rig);
    }
    requireConsistent(status, text);
    return 0;
}

// The bytes the last attempt received.
inline QByteArray lastReceived(const test::CommRig &rig)
{
    for (auto it = rig.traced.rbegin(); it != rig.traced.rend(); ++it) {
        if (it->direction == comms::TraceDirection::Received)
            return it->bytes;
    }
    return {};
}

} // namespace vanta::fuzz
