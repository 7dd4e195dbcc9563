// Modbus requests on the instrument side: functions 1, 2, 3, 4, 5, 6, 16 and the family's own
// read, 103.
#include "slaves.h"

namespace vanta::sim {

namespace {

constexpr int FamilyRead = 103;

int word(const QByteArray &data, int at)
{
    return (static_cast<quint8>(data.at(at)) << 8) | static_cast<quint8>(data.at(at + 1));
}

void appendWord(QByteArray &bytes, int value)
{
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
    bytes.append(static_cast<char>(value & 0xFF));
}

Reply exception(const Reply &base, int function, int code)
{
    Reply reply = base;
    reply.payload = QByteArray(1, static_cast<char>(function | 0x80));
    reply.payload.append(static_cast<char>(code));
    return reply;
}

// Group 1 keeps its switches as bits at 810H-816H; everything else is a 16-bit register.
bool isBitAddress(int group, int wire)
{
    return group == 1 && wire >= 0x810 && wire <= 0x816;
}

bool functionKnown(int group, int function)
{
    switch (function) {
    case 3:
    case 6:
    case 16:
        return true;
    case 1:
    case 2:
    case 5:
        return group == 1;
    case 4:
    case FamilyRead:
        return group != 2;
    default:
        return false;
    }
}

// The program register behind a wire register that this instrument has.
std::optional<int> registerAt(const Instrument &instrument, const RegisterPlan &plan, int wire)
{
    for (const int reg : plan.modbusRegisters(instrument.group(), wire)) {
        if (instrument.has(reg))
            return reg;
    }
    return std::nullopt;
}

int exceptionOf(WriteStatus status)
{
    return status == WriteStatus::OutOfRange ? IllegalDataValue : IllegalDataAddress;
}

class ModbusAnswer
{
public:
    ModbusAnswer(Instrument &instrument, const ModbusPdu &request, Protocol protocol,
                 const RegisterPlan &plan)
        : m_instrument(instrument), m_request(request), m_plan(plan)
    {
        m_reply.protocol = protocol;
        m_reply.address = request.address;
        m_reply.payload = QByteArray(1, static_cast<char>(request.function));
    }

    Reply answer();

private:
    Reply fail(int code) const { return exception(m_reply, m_request.function, code); }
    Reply readBits(int first, int count);
    Reply readWords(int first, int count);
    Reply writeOne(int wire, int value);
    Reply writeMany(int first, int count);

    Instrument &m_instrument;
    const ModbusPdu &m_request;
    const RegisterPlan &m_plan;
    Reply m_reply;
};

Reply ModbusAnswer::answer()
{
    const int function = m_request.function;
    const QByteArray &data = m_request.data;
    if (!functionKnown(m_instrument.group(), function))
        return fail(IllegalFunction);
    if (data.size() < 4)
        return fail(IllegalDataValue);
    const int first = word(data, 0);
    const int second = word(data, 2);
    switch (function) {
    case 1:
    case 2:
        return readBits(first, second);
    case 3:
    case 4:
    case FamilyRead:
        return readWords(first, second);
    case 5:
        if (second != 0xFF00 && second != 0)
            return fail(IllegalDataValue);
        return writeOne(first, second ? 1 : 0);
    case 6:
        return writeOne(first, static_cast<qint16>(second));
    default:
        return writeMany(first, second);
    }
}

Reply ModbusAnswer::readBits(int first, int count)
{
    if (count < 1 || count > 2000)
        return fail(IllegalDataValue);
    QByteArray bits((count + 7) / 8, '\0');
    for (int i = 0; i < count; ++i) {
        const std::optional<int> reg = registerAt(m_instrument, m_plan, first + i);
        if (!reg || !isBitAddress(m_instrument.group(), first + i))
            return fail(IllegalDataAddress);
        if (m_instrument.read(*reg).value_or(0) != 0)
            bits[i / 8] = static_cast<char>(bits.at(i / 8) | (1 << (i % 8)));
    }
    m_reply.payload.append(static_cast<char>(bits.size()));
    m_reply.payload.append(bits);
    return m_reply;
}

Reply ModbusAnswer::readWords(int first, int count)
{
    if (count < 1 || count > 125)
        return fail(IllegalDataValue);
    QByteArray words;
    for (int i = 0; i < count; ++i) {
        const std::optional<int> reg = registerAt(m_instrument, m_plan, first + i);
        if (!reg || isBitAddress(m_instrument.group(), first + i))
            return fail(IllegalDataAddress);
        appendWord(words, m_instrument.read(*reg).value_or(0));
    }
    m_reply.payload.append(static_cast<char>(words.size()));
    m_reply.payload.append(words);
    return m_reply;
}

Reply ModbusAnswer::writeOne(int wire, int value)
{
    const bool coil = m_request.function == 5;
    const std::optional<int> reg = registerAt(m_instrument, m_plan, wire);
    if (!reg || coil != isBitAddress(m_instrument.group(), wire))
        return fail(IllegalDataAddress);
    const WriteStatus status = m_instrument.write(*reg, value);
    if (status != WriteStatus::Done)
        return fail(exceptionOf(status));
    m_reply.payload.append(m_request.data.left(4)); // the echo
    return m_reply;
}

Reply ModbusAnswer::writeMany(int first, int count)
{
    const QByteArray &data = m_request.data;
    if (count < 1 || count > 123 || data.size() < 5 ||
        static_cast<quint8>(data.at(4)) != 2 * count || data.size() < 5 + 2 * count)
        return fail(IllegalDataValue);
    for (int i = 0; i < count; ++i) {
        const std::optional<int> reg = registerAt(m_instrument, m_plan, first + i);
        if (!reg || isBitAddress(m_instrument.group(), first + i))
            return fail(IllegalDataAddress);
        const WriteStatus status =
            m_instrument.write(*reg, static_cast<qint16>(word(data, 5 + 2 * i)));
        if (status != WriteStatus::Done)
            return fail(exceptionOf(status));
    }
    m_reply.payload.append(data.left(4));
    return m_reply;
}

} // namespace

Reply answerModbus(Instrument &instrument, const ModbusPdu &request, Protocol protocol,
                   const RegisterPlan &plan)
{
    ModbusAnswer answer(instrument, request, protocol, plan);
    return answer.answer();
}

} // namespace vanta::sim
