// The serial line over a real device, through QSerialPort in blocking mode: a transaction runs
// without an event loop, so every wait sleeps on the device itself.
#pragma once

#include "comms/port_settings.h"
#include "comms/serial_line.h"

#include <QSerialPort>
#include <QString>

namespace vanta::comms {

class QtSerialLine final : public SerialLine
{
public:
    // Port numbers are mapped to devices through CommPorts.txt in `programFolder`.
    explicit QtSerialLine(QString programFolder);
    ~QtSerialLine() override;
    QtSerialLine(const QtSerialLine &) = delete;
    QtSerialLine &operator=(const QtSerialLine &) = delete;

    // Opens this device instead of the mapped one from the next opening on; empty restores the
    // mapping.
    void setDevicePath(const QString &path);
    // The device the port opens (or has open).
    QString devicePath() const;

    // Throws 8002 for a number below 1 unless a device path was set: there is no COM0.
    void setCommPort(int port) override;
    int commPort() const override { return m_commPort; }
    void setSettings(const QString &settings) override;
    void setRTSEnable(bool enable) override;
    bool portOpen() const override { return m_port.isOpen(); }
    void setPortOpen(bool open) override;
    QByteArray input(int maxCount) override;
    void output(const QByteArray &bytes) override;
    int inBufferCount() override;
    bool waitForInput(int milliseconds) override;
    // Follows QSerialPort::readyRead: from the event loop, and from within the waits.
    void setReadyReadHandler(std::function<void()> handler) override;

private:
    void applySettings();
    void open();

    QString m_programFolder;
    QString m_devicePath; // set by setDevicePath
    QString m_openDevice; // the device of the last opening
    int m_commPort = 1;
    PortSettings m_settings;
    bool m_rts = false;
    std::function<void()> m_readyRead;
    QSerialPort m_port;
};

} // namespace vanta::comms
