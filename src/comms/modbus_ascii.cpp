// Modbus ASCII transactions: one request/reply exchange with one instrument.
#include "comms/modbus_ascii.h"

#include "comms/modbus_ascii_frames.h"
#include "comms/modbus_exchange.h"

namespace vanta::comms {

void ModbusRead_A(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                  int Address, int ModbusRegister, int RegisterType, int Count,
                  QVector<float> &Values)
{
    const ModbusRequest request{Group, Register, Address, ModbusRegister, RegisterType, Count};
    if (const auto settled = settleModbusRead(link, request))
        return deliver(*settled, ResultText, Status);

    const QByteArray frame = buildAsciiReadRequest(request);
    const Exchange exchange = modbusExchange(Protocol::ModbusAscii, request, frame,
                                             QStringLiteral("modVanta.ModbusRead_A"));
    const auto judge = [&](const QByteArray &received) {
        return judgeAsciiReadReply(request, frame, received);
    };
    deliver(runModbusRead(link, exchange, judge, Values), ResultText, Status);
}

void ModbusWrite_A(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                   int Address, int ModbusRegister, int RegisterType, int Count,
                   const QVector<float> &Values)
{
    const ModbusRequest request{Group, Register, Address, ModbusRegister, RegisterType, Count};
    if (const auto settled = settleModbusWrite(link, request, Values, 1))
        return deliver(*settled, ResultText, Status);

    const float value = Values.at(0);
    const QByteArray frame = buildAsciiWriteRequest(request, value);
    Exchange exchange = modbusExchange(Protocol::ModbusAscii, request, frame,
                                       QStringLiteral("modVanta.ModbusWrite_A"));
    exchange.onByte = [&](const QByteArray &received) {
        return judgeAsciiWriteReply(request, frame, received, value);
    };
    deliver(runTransaction(link, exchange), ResultText, Status);
}

} // namespace vanta::comms
