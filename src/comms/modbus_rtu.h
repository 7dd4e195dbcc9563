// Modbus RTU transactions: one request/reply exchange with one instrument.
#pragma once

#include "comms/comm_link.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace vanta::comms {

// Register types: 1 coils, 2 discrete inputs, 3 holding registers, 4 input registers,
// 5 the family's own read (function code 103).
enum RegisterType : int
{
    Coil = 1,
    DiscreteInput = 2,
    HoldingRegister = 3,
    InputRegister = 4,
    FamilyRead = 5
};

// The two CRC bytes of `frame`, low byte first.
QByteArray ModbusCRC(const QByteArray &frame);

// Reads Count values into Values[0..Count-1] (resized when shorter). Register is the program's
// register number, used only in texts (0 = none). On return Status is 0 and ResultText empty
// on success; otherwise Status is -1 or the instrument's exception code and ResultText says why.
// Demo mode returns success at once and leaves Values untouched.
void ModbusRead_R(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                  int Address, int ModbusRegister, int RegisterType, int Count,
                  QVector<float> &Values);
// Writes Values[0..Count-1] (coil: Values[0] only).
void ModbusWrite_R(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                   int Address, int ModbusRegister, int RegisterType, int Count,
                   const QVector<float> &Values);

} // namespace vanta::comms
