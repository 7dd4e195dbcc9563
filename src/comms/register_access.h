// Register access: every window reads and writes instrument data through these, by the
// program's own register numbers (1..20480), an address, a controller group and a protocol code.
#pragma once

#include "comms/comm_link.h"

#include <QString>

namespace vanta::comms {

// What ReadScaledValue returns besides status and text.
struct ScaledValue
{
    QString ValueText;
    QString UnitText;
    QString FormatText;
    float Value = 0;
    float Divisor = 1;
    bool AlarmFlag1 = false;
    bool AlarmFlag2 = false;
};

// Status 0 and an empty text on success; 2 for a request that cannot be routed, 3 for a refused
// write value, else the engine's status. A failed read leaves Value as it was.
void ReadRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                  qint16 &Status, int Address, int Register, float &Value);
void WriteRegister(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                   qint16 &Status, int Address, int Register, float Value);
// Reads a register and the instrument's decimal point, unit and alarm bits.
void ReadScaledValue(CommLink &link, int Group, const QString &Protocol, QString &ResultText,
                     qint16 &Status, int Address, int Register, ScaledValue &Scaled);

// Divisor, format, unit and alarm flags from a status word. Returns AlarmFlag2 as -1/0 for
// groups 0..2 and Group - 2 for any other group (nothing set).
int DecimalPointInfo(int Group, int StatusWord, float &Divisor, QString &FormatText,
                     QString &UnitText, bool &AlarmFlag1, bool &AlarmFlag2);
// Bit BitNumber (0..15) of the word taken as a whole 16-bit number; false outside 0..15.
bool BitState(int BitNumber, double WordToCheck);

} // namespace vanta::comms
