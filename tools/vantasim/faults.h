// Fault injection: replies that go wrong on purpose, for one instrument or the whole line,
// at a rate or for the next N requests.
#pragma once

#include "frames.h"

#include <QString>
#include <random>
#include <vector>

namespace vanta::sim {

enum class FaultKind
{
    NoReply,      // "noreply"
    Late,         // "late:MS" reply after MS milliseconds (default 1000)
    Truncate,     // "truncate:N" only the first N bytes (default half the reply)
    BadCheck,     // "badcheck" wrong CRC, LRC or Vanta Link checksum
    WrongAddress, // "wrongaddr" reply names the next address
    Noise,        // "noise:N" N garbage bytes before the reply (default 4)
    NoAck,        // "noack" Vanta Link reply without its ACK
    Exception,    // "exception:CODE" Modbus exception reply
    NegativeAck,  // "nak:CODE" Vanta Link negative acknowledgement
};

struct Fault
{
    FaultKind kind = FaultKind::NoReply;
    int argument = 0;   // milliseconds, bytes or code; 0 = the kind's default
    double rate = 1.0;  // chance per request
    int remaining = -1; // requests left for "next N"; -1 = no limit
    QString target;     // instrument name; empty = every instrument on the line

    // Exceptions strike Modbus requests only, negative acknowledgements and missing ACKs Vanta
    // Link ones only; the rest strike any request.
    bool appliesTo(Protocol protocol) const;
};

// "[@NAME] KIND[:ARG] [rate R | next N]", for example "@boiler late:400 next 2" or
// "badcheck rate 0.1". Empty with `error` set when the text is not understood.
std::optional<Fault> parseFault(const QString &text, QString &error);

// What the struck faults do to one reply.
struct FaultEffect
{
    bool noReply = false;
    double extraDelaySeconds = 0;
    QByteArray noise;
    int truncateTo = -1; // bytes kept; -1 = all
};

class FaultSet
{
public:
    void add(const Fault &fault) { m_faults.push_back(fault); }
    bool isEmpty() const { return m_faults.empty(); }
    // Decides which faults strike a request that `instrument` answers in `protocol`, counts
    // them off, changes `reply` accordingly and returns what happens to its bytes.
    FaultEffect strike(const QString &instrument, Protocol protocol, Reply &reply,
                       std::mt19937 &random);

private:
    std::vector<Fault> m_faults;
};

// Applies a FaultEffect to the encoded reply; empty when no reply goes out.
QByteArray applyEffect(const FaultEffect &effect, const QByteArray &encoded);

} // namespace vanta::sim
