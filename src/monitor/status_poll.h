// One instrument's status, polled once a second: model, mode, alarms, process value, unit
// errors, setpoint and versions, kept as the texts the status window shows.
#pragma once

#include "comms/comm_link.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vanta::monitor {

enum class StatusColour
{
    Black,
    Green,
    Red
};

// Everything the status window shows. A tick that ends early leaves the fields it did not reach
// as they were.
struct StatusFields
{
    QString DateTime;
    QString ErrorMessageText;
    QString ModelIDText;
    QString ModelType;
    QString SoftVerText;
    QString CommVerText;
    QString ModeText;
    QString CommModeText;
    QString Alm1StatText;
    QString Alm2StatText;
    QString ProcessValueText;
    QString SetpointText;
    StatusColour ModeColour = StatusColour::Black;
    StatusColour Alm1Colour = StatusColour::Black;
    StatusColour Alm2Colour = StatusColour::Black;
    bool ModeVisible = true;     // lblMode and lblModeText
    bool SetpointVisible = true; // lblSetpoint and lblSetpointText
    bool CommVerVisible = true;  // lblCommVer and lblCommVerText
    QStringList UnitErrors;
    // Counts the times UnitErrors was rebuilt: the window refills its list only when this
    // changes, so the operator's selection survives ticks that bring the same errors.
    int UnitErrorsBuilds = 0;
};

// A 16-bit word from a register value that arrives as 0..65535 (or already signed): rounded and
// taken modulo 65536 as two's complement, so 65535 is -1 and no value fails to convert.
// Non-finite values give 0.
qint16 toWord16(double value);

// Group 1 error word to error code: 0x8002..0x8007 give 2..7, everything else 0.
int group1ErrorCode(qint16 errorWord);

// The unit error texts of a group-0 error word (and the no-activity-timer flag), in the order
// the list shows them.
QStringList group0UnitErrors(qint16 errorWord, bool natFlag);
// The text of error code 1..7 for group 1 or 2; empty for codes without text.
QString errorCodeText(int group, int code);

// "0501" shown as "05.01" (groups 1 and 2) or "05 01" (group 0).
QString versionText(double value, QChar separator);
// A six-character version reply shown as "12 34 56"; shorter replies give what they have.
QString spacedVersionText(const QString &reply);

// What a status word says beside the mode bits.
struct StatusDecoding
{
    float divisor = 1;
    QString format;
    QString units;
    bool alarm1 = false;
    bool alarm2 = false;
};

class StatusPoll
{
public:
    // `random` gives uniform numbers in [0, 1) for the demo process value; empty uses Qt's
    // global generator.
    explicit StatusPoll(comms::CommLink &link, std::function<double()> random = {});

    const StatusFields &fields() const { return m_fields; }
    qint16 LastErrorWord() const { return m_LastErrorWord; }
    bool LastNatFlag() const { return m_LastNatFlag; }

    // Empties every text, the error list and the change memory, so the next tick rebuilds the
    // error list from scratch.
    void ClearAllFields();

    // One tick for the instrument at `address`, with the configuration's controller group and
    // protocol code; in demo mode fixed and random values, no reads; while the port is lent
    // (AppState::PortBorrowed) no reads and no field but the time changes. A failed read leaves its
    // result text in ErrorMessageText and ends the tick. Throws core::AppError only for
    // unexpected failures.
    void tmrPoll_Timer(int address);

private:
    bool read(int reg, float &value);
    void showModel(double modelValue);
    void showModes(qint16 statusWord);
    void showAlarm(bool on, QString &text, StatusColour &colour);
    bool showGroup0Alarm(int reg, bool flag, QString &text, StatusColour &colour);
    void showProcessValue(qint16 processValue, const StatusDecoding &decoded);
    void showUnitErrors(qint16 errorWord, bool natFlag);
    void rebuildUnitErrors(const QStringList &errors);
    bool showSetpoint();
    void showVersions();
    void showVantaLinkVersions();
    void demoTick();

    comms::CommLink &m_link;
    std::function<double()> m_random;
    StatusFields m_fields;
    int m_address = 0;
    int m_group = 0;
    QString m_protocol;
    qint16 m_LastErrorWord = 0;
    bool m_LastNatFlag = false;
};

} // namespace vanta::monitor
