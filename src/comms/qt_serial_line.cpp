// The serial line over a real device.
#include "comms/qt_serial_line.h"

#include "core/app_error.h"
#include "core/comm_ports.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace vanta::comms {

namespace {

// Error numbers of the classic serial control for failures that have no shared name.
constexpr int CouldNotSetCommState = 8015;
constexpr int ErrorWritingCommDevice = 8021;

// A write that has not drained after this long means the device is stuck.
constexpr int WriteTimeoutMs = 5000;

QSerialPort::Parity qtParity(Parity parity)
{
    switch (parity) {
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

bool isPseudoTerminal(const QString &device)
{
    const QString path = QFileInfo(device).canonicalFilePath();
    return path.startsWith(QLatin1String("/dev/pts/"));
}

// Qt says "permission error" both for a device the user may not open and for one that another
// program holds; only the device's own access rights tell them apart.
bool mayOpenDevice(const QString &device)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0 || errno != EACCES;
#else
    Q_UNUSED(device);
    return true;
#endif
}

// What to tell a user who may not open `device`: join the group that owns it.
QString permissionText(const QString &device)
{
    const QString owner = QFileInfo(device).group();
    const bool named = !owner.isEmpty() && owner != QLatin1String("root");
    const QString group = named ? owner : QStringLiteral("dialout");
    return QStringLiteral("you have no permission to use ") + device +
           QStringLiteral(".  Add your user to the group that owns the device, ") +
           (named ? QString() : QStringLiteral("usually ")) + QLatin1Char('"') + group +
           QStringLiteral("\" (sudo usermod -aG ") + group +
           QStringLiteral(" $USER), then log out and in again.");
}

core::AppError openError(const QSerialPort &port, const QString &device)
{
    using namespace core::ErrorNumber;
    const QString detail = QStringLiteral(" (") + device + QStringLiteral(": ") +
                           port.errorString() + QLatin1Char(')');
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return {InvalidPortNumber, QStringLiteral("Invalid port number") + detail};
    case QSerialPort::PermissionError:
        if (!mayOpenDevice(device))
            return {PermissionDenied, permissionText(device)};
        [[fallthrough]];
    case QSerialPort::OpenError:
        return {PortAlreadyOpen, QStringLiteral("The port is in use") + detail};
    case QSerialPort::ResourceError:
        return {DeviceUnavailable, QStringLiteral("Device unavailable") + detail};
    default:
        return {CouldNotSetCommState, QStringLiteral("Could not set comm state") + detail};
    }
}

// False only when the device itself says nothing waits. That spares the zero-time wait, and
// the time-out error with its translated text that QSerialPort makes when it finds nothing:
// most of the cost of a poll that comes up empty.
bool deviceMayHaveInput(const QSerialPort &port)
{
#ifdef Q_OS_UNIX
    int waiting = 0;
    return ::ioctl(port.handle(), FIONREAD, &waiting) != 0 || waiting > 0;
#else
    Q_UNUSED(port);
    return true;
#endif
}

} // namespace

QtSerialLine::QtSerialLine(QString programFolder) : m_programFolder(std::move(programFolder))
{
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] {
        if (m_readyRead)
            m_readyRead();
    });
}

QtSerialLine::~QtSerialLine()
{
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialLine::setCommPort(int port)
{
    if (port < 1 && m_devicePath.isEmpty())
        throw core::AppError{core::ErrorNumber::InvalidPortNumber,
                             QStringLiteral("Invalid port number")};
    m_commPort = port;
}

void QtSerialLine::setDevicePath(const QString &path)
{
    m_devicePath = path;
}

QString QtSerialLine::devicePath() const
{
    if (m_port.isOpen())
        return m_openDevice;
    if (!m_devicePath.isEmpty())
        return m_devicePath;
    return core::devicePathForPort(m_programFolder, m_commPort);
}

void QtSerialLine::setSettings(const QString &settings)
{
    m_settings = requirePortSettings(settings);
    if (m_port.isOpen())
        applySettings();
}

void QtSerialLine::setRTSEnable(bool enable)
{
    m_rts = enable;
    // A device without the line (a pseudo-terminal) refuses; that is no failure.
    if (m_port.isOpen() && !m_port.setRequestToSend(enable))
        m_port.clearError();
}

void QtSerialLine::setPortOpen(bool open)
{
    if (open == m_port.isOpen())
        return;
    if (!open) {
        m_port.close();
        return;
    }
    this->open();
}

void QtSerialLine::open()
{
    const QString device = devicePath();
    if (device.isEmpty())
        throw core::AppError{core::ErrorNumber::InvalidPortNumber,
                             QStringLiteral("Invalid port number")};
    m_openDevice = device;
    m_port.setPortName(device);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        throw openError(m_port, device);
    try {
        applySettings();
    } catch (const core::AppError &) {
        m_port.close();
        throw;
    }
    setRTSEnable(m_rts);
    m_port.clear(); // bytes that arrived before the port was ours
}

void QtSerialLine::applySettings()
{
    const bool pseudoTerminal = isPseudoTerminal(m_openDevice);
    const auto apply = [&](bool ok) {
        if (ok)
            return;
        // A pseudo-terminal (the simulator) has no parity or character size and refuses them;
        // like the refused RTS request that does not stop it from carrying bytes.
        if (pseudoTerminal) {
            m_port.clearError();
            return;
        }
        throw core::AppError{CouldNotSetCommState, QStringLiteral("Could not set comm state (") +
                                                       m_port.errorString() + QLatin1Char(')')};
    };
    apply(m_port.setBaudRate(m_settings.baudRate));
    apply(m_port.setParity(qtParity(m_settings.parity)));
    apply(m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits)));
    apply(
        m_port.setStopBits(m_settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop));
}

QByteArray QtSerialLine::input(int maxCount)
{
    if (!m_port.isOpen())
        return {};
    inBufferCount(); // takes in what the device holds
    return maxCount <= 0 ? m_port.readAll() : m_port.read(maxCount);
}

void QtSerialLine::output(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        throw core::AppError{PortNotOpenError, QStringLiteral("Device not open")};
    if (m_port.write(bytes) != bytes.size())
        throw core::AppError{ErrorWritingCommDevice, m_port.errorString()};
    m_port.flush(); // straight to the device; waits only for what it could not take at once
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(WriteTimeoutMs))
            throw core::AppError{ErrorWritingCommDevice, m_port.errorString()};
    }
}

int QtSerialLine::inBufferCount()
{
    if (!m_port.isOpen())
        return 0;
    if (m_port.bytesAvailable() > 0 || !deviceMayHaveInput(m_port))
        return static_cast<int>(m_port.bytesAvailable());
    // Without an event loop the buffer only fills when asked; a zero wait polls the device once.
    if (!m_port.waitForReadyRead(0))
        m_port.clearError();
    return static_cast<int>(m_port.bytesAvailable());
}

bool QtSerialLine::waitForInput(int milliseconds)
{
    // The wait itself returns at once when the device holds input, so only Qt's own buffer is
    // looked at first: asking the device as well would cost a system call per transaction.
    if (m_port.bytesAvailable() > 0)
        return true;
    if (milliseconds <= 0)
        return inBufferCount() > 0;
    if (m_port.waitForReadyRead(milliseconds))
        return true;
    // A vanished device would make every later wait return at once: say so instead.
    if (m_port.error() == QSerialPort::ResourceError)
        throw core::AppError{core::ErrorNumber::DeviceUnavailable,
                             QStringLiteral("Device unavailable (") + m_port.errorString() +
                                 QLatin1Char(')')};
    m_port.clearError(); // a time-out is no device failure
    return m_port.bytesAvailable() > 0;
}

void QtSerialLine::setReadyReadHandler(std::function<void()> handler)
{
    m_readyRead = std::move(handler);
}

} // namespace vanta::comms
