// The status poll: one tick reads the instrument through the register access dispatcher and
// turns the values into the status window's texts.
#include "monitor/status_poll.h"

#include "comms/register_access.h"
#include "comms/vanta_link.h"
#include "core/address.h"
#include "core/model_file.h"
#include "core/number_format.h"
#include "core/registers.h"

#include <QRandomGenerator>
#include <cmath>

namespace vanta::monitor {

namespace {

using core::Alarm1OptionsRegister;
using core::Alarm2OptionsRegister;
using core::CommVersionRegister;
using core::ErrorWordRegister;
using core::ModelIdRegister;
using core::ProcessValueRegister;
using core::SoftVersionRegister;
using core::StatusWordRegister;
using core::WorkingSetpointRegister;

// Vanta Link commands that answer with the version texts.
constexpr int CommVersionCommand = 1792;
constexpr int SoftVersionCommand = 1794;

constexpr qint16 NotAvailable = 2; // register not available for this instrument or protocol

// Fixed demo values: model "HM", status word 0x0802, error word 0x0140, versions 0x0501/0x0701.
constexpr double DemoModelValue = 18509;
constexpr qint16 DemoStatusWord = 2050;
constexpr qint16 DemoErrorWord = 320;
constexpr double DemoSetpoint = 84;
constexpr double DemoSoftVersion = 1281;
constexpr double DemoCommVersion = 1793;

const QString DateTimePattern = QStringLiteral("mm/dd/yyyy hh:mm:ss");
const QString WholeNumberPattern = QStringLiteral("#,###,###,##0");

struct ErrorBit
{
    int bit;
    const char *text;
};

constexpr ErrorBit Group0ErrorBits[] = {
    {15, "Unit Failed Self-test"},
    {13, "Unit Calibration bad"},
    {12, "Input overflow"},
    {11, "Input underflow"},
    {10, "Bad input"},
    {9, "Open input"},
    {8, "Unit Ambient Temp. beyond spec."},
    {7, "Control Loop break"},
    {6, "Sensor rate of change exceeds limit"},
};

bool bitSet(int bit, qint16 word)
{
    return comms::BitState(bit, word);
}

// Models without an auto/manual mode.
bool hasNoModeSwitch(const QString &modelId)
{
    return modelId == QLatin1String("N8") || modelId == QLatin1String("W4") ||
           modelId == QLatin1String("Z9");
}

// Divisor, number format, units and alarm flags of a status word.
StatusDecoding decodeStatusWord(int group, qint16 statusWord)
{
    StatusDecoding decoded;
    comms::DecimalPointInfo(group, statusWord, decoded.divisor, decoded.format, decoded.units,
                            decoded.alarm1, decoded.alarm2);
    return decoded;
}

} // namespace

qint16 toWord16(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double wrapped = std::fmod(std::round(value), 65536.0);
    const auto word = static_cast<quint16>(static_cast<qint64>(wrapped) & 0xFFFF);
    return static_cast<qint16>(word);
}

int group1ErrorCode(qint16 errorWord)
{
    const auto word = static_cast<quint16>(errorWord);
    if (word >= 0x8002 && word <= 0x8007)
        return word - 0x8000;
    return 0;
}

QStringList group0UnitErrors(qint16 errorWord, bool natFlag)
{
    QStringList errors;
    if (natFlag)
        errors << QStringLiteral("No Activity Timer (NAT) Error");
    for (const ErrorBit &entry : Group0ErrorBits) {
        if (bitSet(entry.bit, errorWord))
            errors << QString::fromLatin1(entry.text);
    }
    return errors;
}

QString errorCodeText(int group, int code)
{
    switch (code) {
    case 1:
        return group == 2 ? QStringLiteral("Initial Process") : QString();
    case 2:
        return group == 2 ? QStringLiteral("Sensor is not stable")
                          : QStringLiteral("Initial Process");
    case 3:
        return QStringLiteral("Sensor is not connected");
    case 4:
        return QStringLiteral("Sensor input error");
    case 5:
        return group == 2 ? QStringLiteral("Sensor value exceeds range") : QString();
    case 6:
        return QStringLiteral("ADC input error");
    case 7:
        return QStringLiteral("Memory read/write error");
    default:
        return {};
    }
}

QString versionText(double value, QChar separator)
{
    const QString digits = core::Hex4(value);
    return digits.left(2) + separator + digits.mid(2, 2);
}

QString spacedVersionText(const QString &reply)
{
    QStringList parts;
    for (int start = 0; start < 6 && start < reply.size(); start += 2)
        parts << reply.mid(start, 2);
    return parts.join(QLatin1Char(' '));
}

StatusPoll::StatusPoll(comms::CommLink &link, std::function<double()> random)
    : m_link(link), m_random(std::move(random))
{
    if (!m_random)
        m_random = [] { return QRandomGenerator::global()->generateDouble(); };
}

void StatusPoll::ClearAllFields()
{
    m_fields.ErrorMessageText.clear();
    m_fields.DateTime.clear();
    m_fields.ModeText.clear();
    m_fields.CommModeText.clear();
    m_fields.Alm1StatText.clear();
    m_fields.Alm2StatText.clear();
    m_fields.ProcessValueText.clear();
    m_fields.UnitErrors.clear();
    ++m_fields.UnitErrorsBuilds;
    m_LastErrorWord = 0;
    m_LastNatFlag = false;
    m_fields.SetpointText.clear();
    m_fields.ModelIDText.clear();
    m_fields.ModelType.clear();
    m_fields.SoftVerText.clear();
    m_fields.CommVerText.clear();
}

bool StatusPoll::read(int reg, float &value)
{
    QString text;
    qint16 status = 0;
    comms::ReadRegister(m_link, m_group, m_protocol, text, status, m_address, reg, value);
    if (status != 0) {
        m_fields.ErrorMessageText = text;
        return false;
    }
    m_fields.ErrorMessageText.clear();
    return true;
}

void StatusPoll::tmrPoll_Timer(int address)
{
    const core::SystemConfig &config = m_link.app.Config;
    m_address = address;
    m_group = config.ControllerGroup;
    m_protocol = config.ProtocolCode;
    m_fields.DateTime = core::formatDateTime(m_link.clock.localNow(), DateTimePattern);
    if (m_link.app.DemoMode()) {
        demoTick();
        return;
    }
    // Another window holds the port: this tick is missed and the fields stay as they were.
    if (m_link.app.PortBorrowed())
        return;

    float modelValue = 0;
    if (!read(ModelIdRegister, modelValue))
        return;
    showModel(modelValue);

    float rawValue = 0;
    if (!read(ProcessValueRegister, rawValue))
        return;
    const qint16 processValue = toWord16(rawValue);
    if (!read(StatusWordRegister, rawValue))
        return;
    const qint16 statusWord = toWord16(rawValue);
    const StatusDecoding decoded = decodeStatusWord(m_group, statusWord);
    if (!read(ErrorWordRegister, rawValue))
        return;
    const qint16 errorWord = toWord16(rawValue);

    showModes(statusWord);
    if (m_group == 0) {
        if (!showGroup0Alarm(Alarm1OptionsRegister, decoded.alarm1, m_fields.Alm1StatText,
                             m_fields.Alm1Colour))
            return;
        if (!showGroup0Alarm(Alarm2OptionsRegister, decoded.alarm2, m_fields.Alm2StatText,
                             m_fields.Alm2Colour))
            return;
    } else {
        showAlarm(decoded.alarm1, m_fields.Alm1StatText, m_fields.Alm1Colour);
        showAlarm(decoded.alarm2, m_fields.Alm2StatText, m_fields.Alm2Colour);
    }
    const bool natFlag = bitSet(7, statusWord);
    showProcessValue(processValue, decoded);
    showUnitErrors(errorWord, natFlag);
    if (!showSetpoint())
        return;
    showVersions();
}

void StatusPoll::showModel(double modelValue)
{
    QString modelId;
    QString modelType;
    QString modelName;
    int slot = 0;
    core::LookUpModel(m_link.app.Catalogue, m_group, modelValue, modelId, modelType, slot,
                      modelName);
    m_fields.ModelIDText = modelId;
    m_fields.ModelType = modelName + QStringLiteral(", ") + modelType;
    m_fields.ModeVisible = !hasNoModeSwitch(modelId);
}

void StatusPoll::showModes(qint16 statusWord)
{
    const bool manual = bitSet(15, statusWord);
    m_fields.ModeText = manual ? QStringLiteral("Manual") : QStringLiteral("Auto");
    m_fields.ModeColour = manual ? StatusColour::Black : StatusColour::Green;
    m_fields.CommModeText =
        bitSet(14, statusWord) ? QStringLiteral("Remote") : QStringLiteral("Local");
}

void StatusPoll::showAlarm(bool on, QString &text, StatusColour &colour)
{
    text = on ? QStringLiteral("ON") : QStringLiteral("OFF");
    colour = on ? StatusColour::Red : StatusColour::Black;
}

// Group 0 reports each alarm output inverted when bit 1 of its alarm-type register is set.
// A register the instrument does not have leaves the shown state as it was.
bool StatusPoll::showGroup0Alarm(int reg, bool flag, QString &text, StatusColour &colour)
{
    QString resultText;
    qint16 status = 0;
    float value = 0;
    comms::ReadRegister(m_link, m_group, m_protocol, resultText, status, m_address, reg, value);
    if (status == NotAvailable)
        return true;
    if (status != 0) {
        m_fields.ErrorMessageText = resultText;
        return false;
    }
    m_fields.ErrorMessageText.clear();
    showAlarm(flag != bitSet(1, toWord16(value)), text, colour);
    return true;
}

void StatusPoll::showProcessValue(qint16 processValue, const StatusDecoding &decoded)
{
    const double divisor = decoded.divisor != 0 ? decoded.divisor : 1;
    m_fields.ProcessValueText =
        core::formatNumber(processValue / divisor, decoded.format) + decoded.units;
}

void StatusPoll::rebuildUnitErrors(const QStringList &errors)
{
    m_fields.UnitErrors = errors;
    ++m_fields.UnitErrorsBuilds;
}

void StatusPoll::showUnitErrors(qint16 errorWord, bool natFlag)
{
    if (m_group == 0) {
        if (errorWord == m_LastErrorWord && natFlag == m_LastNatFlag)
            return;
        m_LastErrorWord = errorWord;
        m_LastNatFlag = natFlag;
        rebuildUnitErrors(group0UnitErrors(errorWord, natFlag));
        return;
    }
    const int code = m_group == 1 ? group1ErrorCode(errorWord) : errorWord;
    if (code == m_LastErrorWord)
        return;
    m_LastErrorWord = static_cast<qint16>(code);
    const QString text = errorCodeText(m_group, code);
    rebuildUnitErrors(text.isEmpty() ? QStringList() : QStringList{text});
}

// Returns false when the read failed and the tick ends.
bool StatusPoll::showSetpoint()
{
    QString text;
    qint16 status = 0;
    comms::ScaledValue scaled;
    comms::ReadScaledValue(m_link, m_group, m_protocol, text, status, m_address,
                           WorkingSetpointRegister, scaled);
    if (status == NotAvailable) {
        m_fields.SetpointVisible = false;
        return true;
    }
    m_fields.SetpointVisible = true;
    if (status != 0) {
        m_fields.ErrorMessageText = text;
        return false;
    }
    m_fields.ErrorMessageText.clear();
    m_fields.SetpointText = scaled.ValueText + scaled.UnitText;
    return true;
}

void StatusPoll::showVersions()
{
    float value = 0;
    if (m_group != 0) {
        m_fields.CommVerVisible = false;
        if (read(SoftVersionRegister, value))
            m_fields.SoftVerText = versionText(value, QLatin1Char('.'));
        return;
    }
    if (m_protocol == QLatin1String("R")) {
        m_fields.CommVerVisible = true;
        if (!read(CommVersionRegister, value))
            return;
        m_fields.CommVerText = versionText(value, QLatin1Char(' '));
        if (read(SoftVersionRegister, value))
            m_fields.SoftVerText = versionText(value, QLatin1Char(' '));
        return;
    }
    if (m_protocol == QLatin1String("L"))
        showVantaLinkVersions();
}

void StatusPoll::showVantaLinkVersions()
{
    m_fields.CommVerVisible = true;
    QString text;
    qint16 status = 0;
    comms::VantaLinkValue reply;
    comms::VantaLinkRead(m_link, text, status, m_address, CommVersionCommand, reply,
                         CommVersionRegister);
    if (status != 0) {
        m_fields.ErrorMessageText = text;
        return;
    }
    m_fields.CommVerText = reply.ValueText;

    reply = comms::VantaLinkValue();
    comms::VantaLinkRead(m_link, text, status, m_address, SoftVersionCommand, reply,
                         SoftVersionRegister);
    if (status != 0) {
        m_fields.ErrorMessageText = text;
        return;
    }
    m_fields.ErrorMessageText.clear();
    m_fields.SoftVerText = spacedVersionText(reply.ValueText);
}

void StatusPoll::demoTick()
{
    m_fields.ErrorMessageText.clear();
    showModel(DemoModelValue);

    const auto processValue = static_cast<qint16>(std::lround(84 + 3 * m_random()));
    const StatusDecoding decoded = decodeStatusWord(m_group, DemoStatusWord);
    showModes(DemoStatusWord);
    showAlarm(decoded.alarm1, m_fields.Alm1StatText, m_fields.Alm1Colour);
    showAlarm(decoded.alarm2, m_fields.Alm2StatText, m_fields.Alm2Colour);
    showProcessValue(processValue, decoded);

    // The demo error word is decoded with the group-0 bit table whatever the group.
    const bool natFlag = bitSet(7, DemoStatusWord);
    if (DemoErrorWord != m_LastErrorWord || natFlag != m_LastNatFlag) {
        m_LastErrorWord = DemoErrorWord;
        m_LastNatFlag = natFlag;
        rebuildUnitErrors(group0UnitErrors(DemoErrorWord, natFlag));
    }

    m_fields.SetpointVisible = true;
    m_fields.SetpointText = core::formatNumber(DemoSetpoint, WholeNumberPattern) + decoded.units;
    m_fields.SoftVerText = versionText(DemoSoftVersion, QLatin1Char(' '));
    m_fields.CommVerVisible = m_group == 0;
    m_fields.CommVerText = versionText(DemoCommVersion, QLatin1Char(' '));
}

} // namespace vanta::monitor
