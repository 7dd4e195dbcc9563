// Reading scenario files.
#include "scenario.h"

#include "core/app_error.h"
#include "core/regular_file.h"

#include <QList>
#include <QRegularExpression>

namespace vanta::sim {

namespace {

// A whole number in decimal or with a 0x prefix.
std::optional<int> parseNumber(const QString &text)
{
    bool ok = false;
    const QString t = text.trimmed();
    const int value = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? t.mid(2).toInt(&ok, 16)
                          : t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> parseReal(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<bool> parseYesNo(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("yes") || t == QLatin1String("on") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("no") || t == QLatin1String("off") || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<Unit> parseUnit(const QString &text)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("F"))
        return Unit::Fahrenheit;
    if (t == QLatin1String("C"))
        return Unit::Celsius;
    if (t == QLatin1String("NONE"))
        return Unit::None;
    return std::nullopt;
}

// Collects one section's keys before checking them: the address is read in the form the
// application shows it, which depends on the group, whatever the order of the lines.
struct PendingInstrument
{
    InstrumentSetup setup;
    QString addressText;
    int line = 0;
};

class Parser
{
public:
    std::optional<Scenario> parse(const QByteArray &text, QString &error);

private:
    bool parseLine(const QString &line);
    bool lineKey(const QString &key, const QString &value);
    bool instrumentKey(const QString &key, const QString &value);
    bool finishInstrument();
    bool checkCollisions();
    bool fail(const QString &message);

    Scenario m_scenario;
    std::optional<PendingInstrument> m_instrument;
    bool m_inLineSection = false;
    int m_lineNumber = 0;
    QString m_error;
};

bool Parser::fail(const QString &message)
{
    m_error = QStringLiteral("line %1: %2").arg(m_lineNumber).arg(message);
    return false;
}

std::optional<Scenario> Parser::parse(const QByteArray &text, QString &error)
{
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &raw : lines) {
        ++m_lineNumber;
        if (!parseLine(QString::fromLatin1(raw))) {
            error = m_error;
            return std::nullopt;
        }
    }
    if (!finishInstrument() || !checkCollisions()) {
        error = m_error;
        return std::nullopt;
    }
    return m_scenario;
}

bool Parser::parseLine(const QString &raw)
{
    const QString line = raw.section('#', 0, 0).trimmed();
    if (line.isEmpty())
        return true;
    static const QRegularExpression section(QStringLiteral("^\\[\\s*(\\w+)\\s*([\\w-]*)\\s*\\]$"));
    const QRegularExpressionMatch header = section.match(line);
    if (header.hasMatch()) {
        if (!finishInstrument())
            return false;
        const QString kind = header.captured(1).toLower();
        m_inLineSection = kind == QLatin1String("line");
        if (kind == QLatin1String("instrument")) {
            if (header.captured(2).isEmpty())
                return fail(QStringLiteral("an instrument needs a name: [instrument NAME]"));
            m_instrument = PendingInstrument{};
            m_instrument->setup.name = header.captured(2);
            m_instrument->line = m_lineNumber;
        } else if (!m_inLineSection) {
            return fail(QStringLiteral("unknown section [%1]").arg(kind));
        }
        return true;
    }
    const int equals = static_cast<int>(line.indexOf('='));
    if (equals <= 0)
        return fail(QStringLiteral("expected \"key = value\""));
    const QString key = line.left(equals).simplified().toLower();
    const QString value = line.mid(equals + 1).trimmed();
    if (m_instrument)
        return instrumentKey(key, value);
    if (m_inLineSection)
        return lineKey(key, value);
    return fail(QStringLiteral("\"%1\" outside a section").arg(key));
}

bool Parser::lineKey(const QString &key, const QString &value)
{
    if (key == QLatin1String("turnaround")) {
        const std::optional<int> ms = parseNumber(value);
        if (!ms || *ms < 0 || *ms > 60000)
            return fail(QStringLiteral("turnaround is whole milliseconds, 0..60000"));
        m_scenario.turnaroundMs = *ms;
        return true;
    }
    if (key == QLatin1String("seed")) {
        const std::optional<int> seed = parseNumber(value);
        if (!seed)
            return fail(QStringLiteral("seed is a whole number"));
        m_scenario.seed = static_cast<unsigned>(*seed);
        return true;
    }
    if (key == QLatin1String("fault")) {
        QString error;
        const std::optional<Fault> fault = parseFault(value, error);
        if (!fault)
            return fail(error);
        m_scenario.faults.push_back(*fault);
        return true;
    }
    return fail(QStringLiteral("unknown key \"%1\" in [line]").arg(key));
}

bool Parser::instrumentKey(const QString &key, const QString &value)
{
    InstrumentSetup &s = m_instrument->setup;
    if (key.startsWith(QLatin1String("register "))) {
        const std::optional<int> reg = parseNumber(key.mid(9));
        const std::optional<int> v = parseNumber(value);
        if (!reg || *reg < 1 || *reg > 20480 || !v || *v < -32768 || *v > 65535)
            return fail(QStringLiteral("expected \"register N = VALUE\" with N 1..20480"));
        s.registers[*reg] = static_cast<qint16>(*v);
        return true;
    }
    if (key == QLatin1String("group")) {
        const std::optional<int> group = parseNumber(value);
        if (!group || *group < 0 || *group > 2)
            return fail(QStringLiteral("group is 0, 1 or 2"));
        s.group = *group;
    } else if (key == QLatin1String("protocol")) {
        const std::optional<Protocol> protocol =
            value.size() == 1 ? protocolFromCode(value.at(0).toUpper().toLatin1()) : std::nullopt;
        if (!protocol)
            return fail(QStringLiteral("protocol is L, R or A"));
        s.protocol = *protocol;
    } else if (key == QLatin1String("address")) {
        m_instrument->addressText = value;
    } else if (key == QLatin1String("model")) {
        if (value.size() != 2)
            return fail(QStringLiteral("a model id has two characters"));
        s.model = value.toUpper();
    } else if (key == QLatin1String("settings")) {
        const std::optional<LineSettings> settings = LineSettings::parse(value);
        if (!settings)
            return fail(QStringLiteral("settings look like 9600,N,8,1"));
        s.settings = *settings;
    } else if (key == QLatin1String("units")) {
        const std::optional<Unit> unit = parseUnit(value);
        if (!unit)
            return fail(QStringLiteral("units are F, C or none"));
        s.unit = *unit;
    } else if (key == QLatin1String("decimals")) {
        const std::optional<int> decimals = parseNumber(value);
        if (!decimals || *decimals < 0 || *decimals > 3)
            return fail(QStringLiteral("decimals are 0..3"));
        s.decimals = *decimals;
    } else if (key == QLatin1String("error")) {
        const std::optional<int> error = parseNumber(value);
        if (!error || *error < 0 || *error > 0xFFFF)
            return fail(QStringLiteral("error is a 16-bit number"));
        s.errorWord = *error;
    } else if (key == QLatin1String("manual") || key == QLatin1String("remote")) {
        const std::optional<bool> on = parseYesNo(value);
        if (!on)
            return fail(QStringLiteral("%1 is yes or no").arg(key));
        if (key == QLatin1String("manual"))
            s.manual = *on;
        else
            s.remote = *on;
    } else if (key == QLatin1String("fault")) {
        QString error;
        std::optional<Fault> fault = parseFault(value, error);
        if (!fault)
            return fail(error);
        fault->target = s.name;
        m_scenario.faults.push_back(*fault);
    } else {
        const std::optional<double> v = parseReal(value);
        const bool known = key == QLatin1String("pv") || key == QLatin1String("sp") ||
                           key == QLatin1String("lag") || key == QLatin1String("noise");
        if (!known)
            return fail(QStringLiteral("unknown key \"%1\" in an instrument").arg(key));
        if (!v || *v < -9999 || *v > 99999 ||
            (key != QLatin1String("pv") && key != QLatin1String("sp") && *v < 0))
            return fail(QStringLiteral("%1 is a number").arg(key));
        if (key == QLatin1String("pv"))
            s.processValue = *v;
        else if (key == QLatin1String("sp"))
            s.setpoint = *v;
        else if (key == QLatin1String("lag"))
            s.lagSeconds = std::max(*v, 0.1);
        else
            s.noise = *v;
    }
    return true;
}

bool Parser::finishInstrument()
{
    if (!m_instrument)
        return true;
    PendingInstrument pending = *m_instrument;
    m_instrument.reset();
    InstrumentSetup &s = pending.setup;
    // Problems of the section are reported at its header line.
    const int lineAfter = std::exchange(m_lineNumber, pending.line);
    // Addresses as the application shows them: hexadecimal in group 0, decimal otherwise.
    bool ok = false;
    s.address = pending.addressText.toInt(&ok, s.group == 0 ? 16 : 10);
    const bool valid = [&] {
        if (!ok || s.address < 1 || s.address > 255)
            return fail(QStringLiteral("instrument %1: address 1..255 (%2 in group %3)")
                            .arg(s.name, s.group == 0 ? "hexadecimal" : "decimal")
                            .arg(s.group));
        if (s.model.isEmpty())
            return fail(QStringLiteral("instrument %1 has no model").arg(s.name));
        const bool spoken = (s.group == 0 && s.protocol != Protocol::ModbusAscii) ||
                            (s.group == 1 && s.protocol != Protocol::VantaLink) ||
                            (s.group == 2 && s.protocol == Protocol::ModbusAscii);
        if (!spoken)
            return fail(QStringLiteral("instrument %1: group %2 does not speak protocol %3")
                            .arg(s.name)
                            .arg(s.group)
                            .arg(QChar(protocolCode(s.protocol))));
        return true;
    }();
    m_lineNumber = lineAfter;
    if (!valid)
        return false;
    for (const InstrumentSetup &other : m_scenario.instruments) {
        if (other.name == s.name)
            return fail(QStringLiteral("two instruments named %1").arg(s.name));
    }
    m_scenario.instruments.push_back(s);
    return true;
}

bool Parser::checkCollisions()
{
    const auto &all = m_scenario.instruments;
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) {
            const InstrumentSetup &a = all[i];
            const InstrumentSetup &b = all[j];
            if (a.protocol == b.protocol && a.address == b.address &&
                a.settings.baud == b.settings.baud && a.settings.stopBits == b.settings.stopBits) {
                m_error = QStringLiteral("instruments %1 and %2 would both answer the same "
                                         "requests (protocol, address, baud rate, stop bits)")
                              .arg(a.name, b.name);
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::optional<Scenario> parseScenario(const QByteArray &text, QString &error)
{
    Parser parser;
    return parser.parse(text, error);
}

std::optional<Scenario> readScenario(const QString &path, QString &error)
{
    try {
        return parseScenario(core::readRegularFile(path), error);
    } catch (const core::AppError &failure) {
        error = QStringLiteral("%1: %2").arg(path, failure.description);
        return std::nullopt;
    }
}

} // namespace vanta::sim
