// Modbus ASCII transactions: the RTU requests as hexadecimal text between ":" and CR LF.
#pragma once

#include "comms/modbus_rtu.h"

namespace vanta::comms {

// Two's complement of the low byte of the sum of `bytes`.
quint8 ModbusLRC(const QByteArray &bytes);

// As ModbusRead_R / ModbusWrite_R; a write sends Values[0] only (function 5 or 6).
void ModbusRead_A(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                  int Address, int ModbusRegister, int RegisterType, int Count,
                  QVector<float> &Values);
void ModbusWrite_A(CommLink &link, int Group, int Register, QString &ResultText, qint16 &Status,
                   int Address, int ModbusRegister, int RegisterType, int Count,
                   const QVector<float> &Values);

} // namespace vanta::comms
