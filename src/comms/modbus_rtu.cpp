// Modbus RTU transactions: one request/reply exchange with one instrument.
#include "comms/modbus_rtu.h"

#include "comms/modbus_exchange.h"
#include "comms/modbus_rtu_frames.h"

namespace vanta::comms {

void ModbusRead_R(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                  int Address, int ModbusRegister, int RegisterType, int Count,
                  QVector<float> &Values)
{
    const ModbusRequest request{Group, Register, Address, ModbusRegister, RegisterType, Count};
    if (const auto settled = settleModbusRead(link, request))
        return deliver(*settled, ResultText, Status);

    const quint8 functionCode = *readFunctionCode(RegisterType);
    Exchange exchange = modbusExchange(Protocol::ModbusRtu, request, buildRtuReadRequest(request),
                                       QStringLiteral("modVanta.ModbusRead_R"));
    exchange.onQuiet = [&](const QByteArray &received) {
        return judgeRtuException(request, functionCode, received, std::nullopt);
    };
    const auto judge = [&](const QByteArray &received) {
        return judgeRtuReadReply(request, received);
    };
    deliver(runModbusRead(link, exchange, judge, Values), ResultText, Status);
}

void ModbusWrite_R(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                   int Address, int ModbusRegister, int RegisterType, int Count,
                   const QVector<float> &Values)
{
    const ModbusRequest request{Group, Register, Address, ModbusRegister, RegisterType, Count};
    if (const auto settled = settleModbusWrite(link, request, Values, Count))
        return deliver(*settled, ResultText, Status);

    const QByteArray frame = buildRtuWriteRequest(request, Values);
    const quint8 functionCode = static_cast<quint8>(frame.at(1));
    Exchange exchange = modbusExchange(Protocol::ModbusRtu, request, frame,
                                       QStringLiteral("modVanta.ModbusWrite_R"));
    exchange.onByte = [&](const QByteArray &received) {
        return judgeRtuWriteReply(request, frame, received);
    };
    exchange.onQuiet = [&](const QByteArray &received) {
        return judgeRtuException(request, functionCode, received, Values.at(0));
    };
    deliver(runTransaction(link, exchange), ResultText, Status);
}

} // namespace vanta::comms
