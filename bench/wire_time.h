// The time a line needs to carry a session's frames at a given speed, from the frames the
// trace hook saw: the yardstick the wire-speed benchmarks divide their measured time by.
#pragma once

#include "comms/comm_link.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vanta::bench {

// Bits one character takes on the line for settings like "9600,N,8,1": start bit, data bits,
// parity bit unless "N", stop bits.
inline int bitsPerCharacter(const QString &settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() < 4)
        return 10;
    const bool parity = parts[1].trimmed().compare(QLatin1String("N"), Qt::CaseInsensitive) != 0;
    return 1 + parts[2].toInt() + (parity ? 1 : 0) + parts[3].toInt();
}

inline int baudOf(const QString &settings)
{
    return settings.section(QLatin1Char(','), 0, 0).toInt();
}

// Seconds of line time for every frame in `events`. A Modbus RTU frame also needs the
// 3.5-character silence that ends it; ASCII protocols end with their terminator, which is in
// the bytes already. Empty received events (an attempt that heard nothing) take no line time.
inline double wireSeconds(const std::vector<comms::TraceEvent> &events, const QString &settings)
{
    const double secondsPerCharacter = double(bitsPerCharacter(settings)) / baudOf(settings);
    double characters = 0;
    for (const auto &event : events) {
        if (event.bytes.isEmpty())
            continue;
        characters += event.bytes.size();
        if (event.protocol == comms::Protocol::ModbusRtu)
            characters += 3.5;
    }
    return characters * secondsPerCharacter;
}

// A trace hook that keeps every event for wireSeconds.
struct TraceRecorder
{
    std::vector<comms::TraceEvent> events;
    comms::FrameTrace hook()
    {
        return [this](const comms::TraceEvent &event) { events.push_back(event); };
    }
};

} // namespace vanta::bench
