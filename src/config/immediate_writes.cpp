// The immediate writes of the configuration fields, their questions, and the adoption of a new
// address or new serial settings after the instrument has taken them.
#include "config/immediate_writes.h"

#include "comms/comm_port.h"
#include "config/config_model.h"
#include "config/configuration_read.h"
#include "core/address.h"
#include "core/app_state.h"
#include "core/system_config_file.h"

#include <algorithm>
#include <array>

namespace vanta::config {

namespace {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

constexpr int PidGroup = 4124;
constexpr int AutoTune = 4; // the PID group list's last entry
constexpr int CommAddress = 4209;
constexpr int CommProtocol = 4210;
constexpr int CommBaudRate = 4211;
constexpr int CommDataLength = 4212;
constexpr int CommParity = 4213;
constexpr int CommStopBits = 4214;

const QString WriteTitle = QStringLiteral("Immediate Write of Parameter");
const QString CommsErrorTitle = QStringLiteral("Send to Instrument Communications Error");
const QString PutFieldBack =
    QStringLiteral("(If you say 'NO' then you should either put the value back to the previous "
                   "value or perform a Read Configuration from Instrument to put the field back "
                   "to what is in the controller.)");

bool isLiveNumber(int reg)
{
    struct Range
    {
        int first;
        int last;
    };
    static constexpr std::array<Range, 8> ranges{{{258, 258},
                                                  {263, 266},
                                                  {340, 341},
                                                  {4097, 4097},
                                                  {4114, 4115},
                                                  {4132, 4137},
                                                  {18177, 18181},
                                                  {18218, 18218}}};
    return std::any_of(ranges.begin(), ranges.end(),
                       [reg](const Range &r) { return reg >= r.first && reg <= r.last; });
}

// The refusal of a data length, parity and stop bits combination the instruments cannot
// use; empty when the combination is allowed. Positions as on the Communications page.
QString badCombination(int dataLength, int parity, int stopBits)
{
    const bool seven = dataLength == 1;
    const bool oneStop = stopBits == 1;
    const QString back = QStringLiteral(
        "  It is now recommended that you perform a Read Configuration from Instrument to put the "
        "communications field back to what is in the controller.");
    if (seven && parity == 0 && oneStop)
        return QStringLiteral(
                   "The combination of 7 data bits with None parity and 1 stop bit is invalid.") +
               back;
    if (!seven && parity != 0 && !oneStop) {
        const QString word = parity == 1 ? QStringLiteral("Even") : QStringLiteral("Odd");
        return QStringLiteral("The combination of 8 data bits with ") + word +
               QStringLiteral(" parity and 2 stop bit is invalid.") + back;
    }
    return {};
}

QString protocolName(const QString &code)
{
    if (code == QLatin1String("L"))
        return QStringLiteral("Vanta Link");
    return code == QLatin1String("A") ? QStringLiteral("Modbus ASCII")
                                      : QStringLiteral("Modbus RTU");
}

// The program's settings once the list text of communications register `reg` is adopted.
core::SystemConfig withCommSetting(core::SystemConfig config, int reg, const QString &text)
{
    switch (reg) {
    case CommProtocol:
        if (text.contains(QLatin1String("RTU")))
            config.ProtocolCode = QStringLiteral("R");
        else if (text.contains(QLatin1String("ASCII")))
            config.ProtocolCode = QStringLiteral("A");
        break;
    case CommBaudRate:
        config.BaudRate = text.toFloat();
        break;
    case CommDataLength:
        config.DataBits = text.toShort();
        break;
    case CommParity:
        config.Parity = text;
        break;
    case CommStopBits:
        config.StopBits = text.toShort();
        break;
    default:
        break;
    }
    return config;
}

// After a failed write of the instrument's `field` ("address", "communications").
QString readAgainNote(const QString &field)
{
    return QStringLiteral("\r\nSince the communications write failed, it is now recommended "
                          "that you perform a Read Configuration from Instrument to put the ") +
           field + QStringLiteral(" field back to what is in the controller.");
}

QString listText(const ConfigModel &model, int reg)
{
    const QStringList &entries = optionEntries(model.parameter(reg).list);
    const int position = model.field(reg).ListIndex;
    return position >= 0 && position < entries.size() ? entries.at(position) : QString();
}

} // namespace

ImmediateWrites::ImmediateWrites(ConfigModel &model, comms::CommLink &link,
                                 const TransferHooks &hooks)
    : m_model(model), m_link(link), m_hooks(hooks)
{}

void ImmediateWrites::offerNumber(int reg)
{
    if (!isLiveNumber(reg) || !m_model.hasField(reg))
        return;
    const std::optional<double> value = m_model.instrumentValue(reg);
    if (!value || !mayTalk())
        return;
    const QString question = QStringLiteral("Do you want to send   ") +
                             m_model.parameter(reg).caption +
                             QStringLiteral("   to the controller right now?");
    if (ask(WriteTitle, question, MsgResult::No))
        (void)write(reg, *value);
}

void ImmediateWrites::offerList(int reg, bool wasPending)
{
    switch (reg) {
    case PidGroup:
        offerPidGroup(wasPending);
        return;
    case CommAddress:
        offerAddress();
        return;
    case CommProtocol:
    case CommBaudRate:
    case CommDataLength:
    case CommParity:
    case CommStopBits:
        offerCommSetting(reg);
        return;
    case 18210:
    case 18211:
        offerListEntry(reg);
        return;
    default:
        return;
    }
}

// Another PID group's parameters can only be seen by selecting the group in the instrument and
// reading everything again.
void ImmediateWrites::offerPidGroup(bool wasPending)
{
    const int position = m_model.field(PidGroup).ListIndex;
    if (position == AutoTune) {
        m_link.ui.MsgBox(
            QStringLiteral(
                "Note: Selecting 'Auto Tune' for the PID Parameter Group will now cause the PID "
                "parameters to be hidden from the screen.  This is because you could "
                "inadvertently write to a PID group's parameters but the PID group selected "
                "changes based on the process variable."),
            MsgButtons::Ok, MsgIcon::Information, QStringLiteral("PID Parameters Will Be Hidden"),
            MsgResult::Ok);
        return;
    }
    if (!mayTalk())
        return;
    QString question = QStringLiteral(
        "In order to view the 4 different groups of PID parameters from the controller, the new "
        "PID parameter group that you selected must be written to the controller and then the "
        "PID parameters re-read from the controller.  Do you now want to write the new PID "
        "Parameter Group to the controller and re-read ALL parameters?");
    if (wasPending)
        question += QStringLiteral(
            "  WARNING: YOU HAVE PENDING CHANGES ALREADY MADE ON OTHER FIELDS.  CLICKING YES WILL "
            "CAUSE A READ OF ALL PARAMETERS FROM THE CONTROLLER AND YOUR OTHER CHANGES WILL BE "
            "LOST!");
    if (!ask(QStringLiteral("Immediate Write of PID Parameter Group"), question, MsgResult::No))
        return;
    if (!write(PidGroup, position))
        return;
    const core::BusyPointer busy(m_link.ui);
    (void)ReadControllerParameters(m_model, m_link, m_hooks);
}

void ImmediateWrites::offerAddress()
{
    if (!mayTalk())
        return;
    const QString address = listText(m_model, CommAddress);
    const QString question =
        QStringLiteral("Do you want to change the address of the controller to  ") + address +
        QStringLiteral("   right now?  (If you say 'NO' then you should either put the value back "
                       "to the previous value or perform a Read Configuration from Instrument to "
                       "put the address field back to what is in the controller.)") +
        QStringLiteral("  Afterwards the controller answers only at address ") + address +
        QLatin1Char('.');
    if (!ask(QStringLiteral("Immediate Write of Controller Address"), question, MsgResult::No))
        return;
    if (!write(CommAddress, m_model.field(CommAddress).ListIndex + 1,
               readAgainNote(QStringLiteral("address"))))
        return;
    if (ask(QStringLiteral("Update Communications Address"),
            QStringLiteral("Do you want to update the address at the top middle of the screen to "
                           "match your newly changed controller address?  (Recommend 'YES' in "
                           "order to continue to communicate and make changes to this "
                           "controller.)"),
            MsgResult::Yes))
        m_model.AddressText = address;
}

void ImmediateWrites::offerCommSetting(int reg)
{
    const QString refusal =
        badCombination(m_model.field(CommDataLength).ListIndex, m_model.field(CommParity).ListIndex,
                       m_model.field(CommStopBits).ListIndex);
    if (!refusal.isEmpty()) {
        m_link.ui.MsgBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation,
                         QStringLiteral("Invalid Communications Setting"), MsgResult::Ok);
        return;
    }
    if (!mayTalk())
        return;
    if (!ask(WriteTitle, commSettingQuestion(reg), MsgResult::No))
        return;
    if (!write(reg, m_model.field(reg).ListIndex, readAgainNote(QStringLiteral("communications"))))
        return;
    if (ask(QStringLiteral("Update Communications Parameter"),
            QStringLiteral("Do you want to update the current communications settings to match "
                           "your changes?  (Recommend 'YES' in order to continue to communicate "
                           "and make changes to this controller.)"),
            MsgResult::Yes))
        adoptCommSetting(reg);
}

// The question names the settings the instrument will listen with, which the program must
// then use.
QString ImmediateWrites::commSettingQuestion(int reg) const
{
    const QString text = listText(m_model, reg);
    const core::SystemConfig after = withCommSetting(m_link.app.Config, reg, text);
    return QStringLiteral("Do you want to send new  ") + m_model.parameter(reg).caption +
           QStringLiteral("  value of   ") + text +
           QStringLiteral("   to the controller right now?  ") + PutFieldBack +
           QStringLiteral("  Afterwards the program has to use ") +
           protocolName(after.ProtocolCode) + QStringLiteral(" at ") +
           comms::portSettingsText(after) + QStringLiteral(" to reach the controller.");
}

// The instrument now listens with the new setting only: the program takes it, stores it and
// reopens the port with it.
void ImmediateWrites::adoptCommSetting(int reg)
{
    core::AppState &app = m_link.app;
    app.Config = withCommSetting(app.Config, reg, listText(m_model, reg));
    (void)core::SaveSystemConfig(app, m_link.ui); // reports its own failure
    (void)comms::InitComm(m_link, comms::portSettingsText(app.Config));
    app.notifyPortSettingsChanged();
}

void ImmediateWrites::offerListEntry(int reg)
{
    if (!mayTalk())
        return;
    const QString question = QStringLiteral("Do you want to send   ") + listText(m_model, reg) +
                             QStringLiteral("   to the controller right now?");
    if (ask(WriteTitle, question, MsgResult::No))
        (void)write(reg, m_model.field(reg).ListIndex);
}

// An address typed outside 1..255 would reach no instrument, or with 0 every one on the line.
bool ImmediateWrites::mayTalk()
{
    const int group = m_model.group();
    if (core::isValidAddress(core::ParseAddress(group, m_model.AddressText)))
        return true;
    m_link.ui.MsgBox(QStringLiteral("The address must be ") + core::FormatAddress(group, 1) +
                         QStringLiteral(" to ") + core::FormatAddress(group, core::MaxAddress) +
                         (group == 0 ? QStringLiteral(" (hexadecimal).") : QStringLiteral(".")) +
                         QStringLiteral("  Nothing was sent to the controller."),
                     MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Invalid Address"),
                     MsgResult::Ok);
    return false;
}

bool ImmediateWrites::ask(const QString &title, const QString &text, MsgResult defaultButton)
{
    return m_link.ui.MsgBox(text, MsgButtons::YesNo, MsgIcon::Question, title, defaultButton) ==
           MsgResult::Yes;
}

bool ImmediateWrites::write(int reg, double value, const QString &failureNote)
{
    if (!leaveDemoMode(m_link, QStringLiteral("You are currently in DEMO MODE.  Do you want to "
                                              "exit DEMO MODE and send the parameter to the "
                                              "instrument ?")))
        return false;
    const auto progress = [this](const QString &text) {
        if (m_hooks.showProgress)
            m_hooks.showProgress(text);
    };
    progress(QStringLiteral("Sending Parameter") + m_model.GStr(reg));
    const comms::Outcome outcome = [&] {
        const core::BusyPointer busy(m_link.ui);
        return InstrumentAccess(m_link, m_model).write(reg, value);
    }();
    progress(QString());
    if (outcome.succeeded())
        return true;
    m_link.ui.MsgBox(QStringLiteral("Communications Error >") + outcome.text +
                         QStringLiteral(". ") + failureNote,
                     MsgButtons::Ok, MsgIcon::Exclamation, CommsErrorTitle, MsgResult::Ok);
    return false;
}

} // namespace vanta::config
