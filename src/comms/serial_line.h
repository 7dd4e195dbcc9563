// The serial line port: the few operations the transaction code needs from a serial device.
// QtSerialLine drives a real port; tests use a scripted line or a pseudo-terminal.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace vanta::comms {

// core::AppError number for transmitting on a port that is not open.
constexpr int PortNotOpenError = 8012;

class SerialLine
{
public:
    virtual ~SerialLine() = default;

    // COM port number (COM1 = 1); mapped to a device when the port opens.
    virtual void setCommPort(int port) = 0;
    virtual int commPort() const = 0;
    // "9600,N,8,1": baud, parity letter (N/E/O/M/S), data bits (7/8), stop bits (1/2).
    // Throws core::AppError when the text is malformed.
    virtual void setSettings(const QString &settings) = 0;
    virtual void setRTSEnable(bool enable) = 0;
    virtual bool portOpen() const = 0;
    // Opens or closes the port. Throws core::AppError (8002 invalid port, 8010 in use,
    // 8006 bad device, 68 unavailable, or another number) when opening fails.
    virtual void setPortOpen(bool open) = 0;
    // Takes up to maxCount waiting bytes (0 = all) from the receive buffer; nothing when the
    // port is not open.
    virtual QByteArray input(int maxCount) = 0;
    // Transmits the bytes. Throws core::AppError (PortNotOpenError, or another number when the
    // device fails) when they cannot be sent.
    virtual void output(const QByteArray &bytes) = 0;
    // Bytes waiting in the receive buffer; 0 when the port is not open.
    virtual int inBufferCount() = 0;
    // Blocks until at least one byte waits or `milliseconds` pass; true when a byte waits.
    // Sleeps on the device: never a busy spin.
    virtual bool waitForInput(int milliseconds) = 0;
    // Calls `handler` each time bytes arrive (an empty handler stops the calls), for a reader
    // driven by events rather than by waits. It is called while a transaction waits as well:
    // bytes the handler takes are gone for the transaction. Bytes left unread bring no second
    // call until more arrive.
    virtual void setReadyReadHandler(std::function<void()> handler) = 0;
};

} // namespace vanta::comms
