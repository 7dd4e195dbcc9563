// What the Modbus RTU and Modbus ASCII engines share.
#include "comms/modbus_frames.h"

#include "comms/modbus_rtu.h"
#include "core/number_format.h"

#include <cmath>

namespace vanta::comms {

namespace {

QString exceptionWords(int code)
{
    return QLatin1Char(':') + modbusExceptionName(code) +
           QStringLiteral(" response from instrument for register");
}

QString hexText(int value)
{
    // Negative numbers show as their 16-bit form, as the instruments' tools always have.
    const qint64 shown = value < 0 ? static_cast<quint16>(value) : value;
    return QString::number(shown, 16).toUpper();
}

std::optional<QString> refuseRegister(const ModbusRequest &request)
{
    if (request.ModbusRegister > 0 && request.wireRegister() <= 0xFFFF)
        return std::nullopt;
    return request.addressPrefix() + QStringLiteral(":Invalid Modbus Register >") + request.label();
}

QString invalidCountText(const ModbusRequest &request, int count)
{
    return request.addressPrefix() + QStringLiteral(":Invalid Register Count") +
           core::withLeadingBlank(count);
}

std::optional<QString> refuseCount(const ModbusRequest &request, int maxCount)
{
    if (request.Count >= 1 && request.Count <= maxCount)
        return std::nullopt;
    return invalidCountText(request, request.Count);
}

QString invalidTypeText(const ModbusRequest &request)
{
    return request.addressPrefix() + QStringLiteral(":Invalid Register Type") +
           core::withLeadingBlank(request.RegisterType);
}

} // namespace

QString modbusExceptionName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Illegal Function");
    case 2:
        return QStringLiteral("Illegal Data Address");
    case 3:
        return QStringLiteral("Illegal Data Value");
    case 4:
        return QStringLiteral("Slave Device Failure");
    case 5:
        return QStringLiteral("Acknowledged But Long Processing");
    case 6:
        return QStringLiteral("Slave Device Is Busy");
    case 7:
        return QStringLiteral("Negative Acknowledge");
    case 8:
        return QStringLiteral("Memory Parity Error");
    default:
        return QStringLiteral("Unknown Error") + core::withLeadingBlank(code);
    }
}

QString ModbusRequest::addressPrefix() const
{
    return comms::addressPrefix(Group, Address);
}

QString ModbusRequest::label() const
{
    if (Group == 0)
        return QLatin1Char(' ') + QString::number(ModbusRegister);
    QString text = QLatin1Char(' ') + hexText(ModbusRegister) + QLatin1Char('H');
    if (Register > 0)
        text += QStringLiteral(" (") + QString::number(Register) + QLatin1Char(')');
    return text;
}

QString ModbusRequest::failure(const QString &words) const
{
    return addressPrefix() + words + label();
}

bool ModbusRequest::isBitType() const
{
    return RegisterType == Coil || RegisterType == DiscreteInput;
}

std::optional<quint8> readFunctionCode(int RegisterType)
{
    switch (RegisterType) {
    case Coil:
        return 1;
    case DiscreteInput:
        return 2;
    case HoldingRegister:
        return 3;
    case InputRegister:
        return 4;
    case FamilyRead:
        return 103;
    default:
        return std::nullopt;
    }
}

std::optional<QString> refuseModbusRead(const ModbusRequest &request)
{
    if (std::optional<QString> refusal = refuseRegister(request))
        return refusal;
    if (!readFunctionCode(request.RegisterType))
        return invalidTypeText(request);
    return refuseCount(request, request.isBitType() ? MaxReadBits : MaxReadWords);
}

std::optional<QString> refuseModbusWrite(const ModbusRequest &request, const QVector<float> &values,
                                         int valueCount)
{
    if (std::optional<QString> refusal = refuseRegister(request))
        return refusal;
    if (std::optional<QString> refusal = refuseCount(request, MaxWriteWords))
        return refusal;
    if (values.size() < valueCount) // fewer values than the request names
        return invalidCountText(request, int(values.size()));
    for (int i = 0; i < valueCount; ++i) {
        if (!wireWord(values[i]))
            return request.addressPrefix() + QStringLiteral(":Invalid Modbus Write Value") +
                   core::withLeadingBlank(values[i]) + QStringLiteral(" at Register >") +
                   request.label();
    }
    if (request.RegisterType != Coil && request.RegisterType != HoldingRegister)
        return invalidTypeText(request);
    return std::nullopt;
}

std::optional<quint16> wireWord(float value)
{
    const double rounded = std::round(static_cast<double>(value));
    if (!(rounded >= -32768 && rounded <= 32767))
        return std::nullopt;
    return static_cast<quint16>(static_cast<int>(rounded) & 0xFFFF);
}

ReplyCheck modbusException(const ModbusRequest &request, int code,
                           std::optional<float> writtenValue)
{
    QString text = request.failure(exceptionWords(code));
    if (code == 3 && writtenValue)
        text += QStringLiteral(". Value=") + core::withLeadingBlank(*writtenValue);
    return ReplyCheck::instrumentError(instrumentErrorStatus(code), text);
}

} // namespace vanta::comms
