// The unattended send of a parameter file from the command line.
#include "config/auto_send.h"

#include "config/config_model.h"
#include "config/configuration_send.h"
#include "config/parameter_file.h"
#include "core/address.h"
#include "core/app_error.h"
#include "core/app_state.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace vanta::config {

namespace {

using core::MsgButtons;
using core::MsgIcon;
using core::MsgResult;

const QString NotFoundTitle = QStringLiteral("Auto Send File Not Found");
const QString NextTitle = QStringLiteral("Continue With Next Instrument");

bool isBareName(const QString &name)
{
    return !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char(':'));
}

bool isAddressCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

QStringList addressTexts(const QString &rest)
{
    QStringList addresses;
    QString current;
    for (const QChar c : rest.toUpper()) {
        if (isAddressCharacter(c)) {
            current += c;
        } else if (c == QLatin1Char(' ') && !current.isEmpty()) {
            addresses << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        addresses << current;
    return addresses;
}

void warn(core::Interaction &ui, const QString &text, const QString &title)
{
    ui.MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, title, MsgResult::Ok);
}

bool askNext(core::Interaction &ui, const QString &text)
{
    return ui.MsgBox(text, MsgButtons::YesNo, MsgIcon::Question, NextTitle, MsgResult::No) ==
           MsgResult::Yes;
}

// The file is there and loads; each refusal has been told.
bool loadFile(ConfigModel &model, core::Interaction &ui, const QString &name)
{
    if (!QFileInfo(name).isFile()) {
        warn(ui,
             QStringLiteral("The file name >") + name +
                 QStringLiteral("  passed to the program to automatically send to an instrument "
                                "does not exist or needs the folder path name.  This program "
                                "will terminate."),
             NotFoundTitle);
        return false;
    }
    if (!ReadParameterFile(model, ui, name)) {
        warn(ui,
             QStringLiteral("The file name >") + name +
                 QStringLiteral("  passed to the program to automatically send to an instrument "
                                "failed to load properly.  This program will terminate."),
             NotFoundTitle);
        return false;
    }
    return true;
}

void chooseRampSoakMode(const ConfigModel &model, core::AppState &app, int address)
{
    app.RSModel = model.ModelId() == QLatin1String("RS");
    if (!app.RSModel)
        return;
    app.RSAddress = static_cast<qint16>(address);
    app.RSProtocol = app.Config.ProtocolCode;
    app.RSGroup = app.Config.ControllerGroup;
}

class AutoSender
{
public:
    AutoSender(ConfigModel &model, comms::CommLink &link, const AutoSendHooks &hooks)
        : m_model(model), m_link(link), m_hooks(hooks)
    {}

    int run(const QString &commandLine)
    {
        const AutoSendLine line = parseAutoSendLine(commandLine, m_link.app.programFolder());
        m_name = line.fileName;
        if (!loadFile(m_model, m_link.ui, m_name))
            return 1;
        if (line.rest.left(200).trimmed().isEmpty()) {
            warn(m_link.ui,
                 QStringLiteral("No instrument addresses were given to send file >") + m_name +
                     QStringLiteral("  to an instrument.  This program will terminate."),
                 QStringLiteral("No Addresses Given"));
            return 1;
        }
        bool allSent = true;
        for (int i = 0; i < line.addresses.size(); ++i) {
            const bool last = i + 1 == line.addresses.size();
            if (!sendTo(line.addresses[i], last, allSent))
                return 1;
        }
        return allSent ? 0 : 1;
    }

private:
    // False when the user chose to end here.
    bool sendTo(const QString &text, bool last, bool &allSent)
    {
        const int group = m_link.app.Config.ControllerGroup;
        const int address = autoSendAddress(group, text);
        if (address == 0) {
            allSent = false;
            if (!askNext(m_link.ui, QStringLiteral("The send to instrument address: ") + text +
                                        QStringLiteral(" is invalid.  Do you want to continue "
                                                       "with the next address ?")))
                return false;
            show({});
            return true;
        }
        const QString shown = core::FormatAddress(group, address);
        m_model.AddressText = shown;
        show(QStringLiteral("Sending file >") + m_name + QStringLiteral("  to instrument ") +
             shown);
        chooseRampSoakMode(m_model, m_link.app, address);
        bool sendFailed = true;
        (void)SendControllerParameters(m_model, m_link, sendFailed, SendMode::Automatic,
                                       m_hooks.transfer);
        if (sendFailed) {
            allSent = false;
            if (!last &&
                !askNext(m_link.ui, QStringLiteral("The send to instrument address ") + shown +
                                        QStringLiteral(" failed.  Do you want to continue with "
                                                       "the next address ?")))
                return false;
        }
        show({});
        return true;
    }

    void show(const QString &status) const
    {
        if (m_hooks.showStatus)
            m_hooks.showStatus(status);
    }

    ConfigModel &m_model;
    comms::CommLink &m_link;
    const AutoSendHooks &m_hooks;
    QString m_name;
};

} // namespace

AutoSendLine parseAutoSendLine(const QString &commandLine, const QString &programFolder)
{
    AutoSendLine line;
    bool quoted = false;
    int end = 0;
    for (; end < commandLine.size(); ++end) {
        const QChar c = commandLine[end];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(' ') && !quoted)
            break;
        else
            line.fileName += c;
    }
    line.fileName = line.fileName.trimmed();
    if (isBareName(line.fileName) && !line.fileName.isEmpty())
        line.fileName = QDir(programFolder).filePath(line.fileName);
    line.rest = commandLine.mid(end + 1);
    line.addresses = addressTexts(line.rest);
    return line;
}

int autoSendAddress(int group, const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, group == 0 ? 16 : 10);
    return ok && value >= 1 && value <= 255 ? static_cast<int>(value) : 0;
}

int AutoSendParameterFile(ConfigModel &model, comms::CommLink &link, const QString &commandLine,
                          const AutoSendHooks &hooks)
{
    int status = 1;
    try {
        status = AutoSender(model, link, hooks).run(commandLine);
    } catch (const core::AppError &error) {
        core::reportAppError(link.ui, error, QStringLiteral("modVanta.AutoSendParameterFile"));
    } catch (const std::exception &error) {
        core::reportAppError(
            link.ui, {core::ErrorNumber::InternalError, QString::fromLocal8Bit(error.what())},
            QStringLiteral("modVanta.AutoSendParameterFile"));
    }
    // Nobody typed anything: the program ends without asking about unsaved changes.
    model.ChangesPending = false;
    return status;
}

} // namespace vanta::config
