// Vanta Link frames: requests, the value field, and judging replies.
#include "comms/vanta_link_frames.h"

#include "core/address.h"
#include "core/number_format.h"

#include <cmath>

namespace vanta::comms {

namespace {

namespace Words {
constexpr char TooShortData[] = ":Length of received data from instrument is too short";
constexpr char ChecksumError[] = ":Check-sum error on received data from instrument";
constexpr char TooShortForReading[] = ":Returned message too short for reading";
} // namespace Words

constexpr int NakLength = 7;

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

template <typename Predicate>
bool allOf(const QString &text, Predicate isDigit)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

std::optional<int> hexNumber(const QString &text)
{
    if (!allOf(text, isHexDigit))
        return std::nullopt;
    return text.toInt(nullptr, 16);
}

// Characters `first`..`first + count - 1`, counted from 1.
QString chars(const QString &text, int first, int count)
{
    return text.mid(first - 1, count);
}

bool isNegativeAcknowledge(const QString &reply)
{
    return reply.size() == NakLength && reply.at(4).toUpper() == QLatin1Char('N');
}

// Status and words for an error code of a negative acknowledgement.
std::pair<qint16, QString> nakWords(int code)
{
    const NakMeaning meaning = vantaLinkNakMeaning(code);
    if (!meaning.known)
        return {meaning.status, QStringLiteral(":Unknown or unused error code: ") +
                                    core::withLeadingBlank(code) +
                                    QStringLiteral(" from instrument")};
    const bool response = code == 1 || code == 3;
    return {meaning.status, QLatin1Char(':') + meaning.name +
                                (response ? QStringLiteral(" response") : QString()) +
                                QStringLiteral(" from instrument")};
}

ReplyCheck negativeAcknowledge(const VantaLinkRequest &request, const QString &reply,
                               std::optional<float> writtenValue)
{
    const int code = static_cast<int>(core::leadingNumber(chars(reply, 6, 2)));
    const auto [status, words] = nakWords(code);
    QString text = request.addressPrefix() + words + request.label();
    if (code == 3 && writtenValue)
        text += QStringLiteral(". Value=") + core::withLeadingBlank(*writtenValue);
    return ReplyCheck::instrumentError(status, text);
}

// The last two characters are the checksum of everything between the first one and them.
bool hasGoodChecksum(const QString &reply)
{
    const int body = int(reply.size()) - 3;
    return body >= 0 && VantaLinkChecksum(reply.mid(1, body)) == reply.right(2);
}

ReplyCheck judgeReply(const VantaLinkRequest &request, const QByteArray &received,
                      std::optional<float> writtenValue)
{
    if (!received.endsWith(ACK))
        return ReplyCheck::incomplete();
    const QString reply = vantaLinkReplyText(received);
    if (isNegativeAcknowledge(reply))
        return negativeAcknowledge(request, reply, writtenValue);
    if (reply.size() <= 3)
        return ReplyCheck::retry(request.failure(Words::TooShortData));
    if (!hasGoodChecksum(reply))
        return ReplyCheck::retry(request.failure(Words::ChecksumError));
    return ReplyCheck::good();
}

int minimumReadLength(int command)
{
    if (command == 0)
        return 14;
    if (command == 5 || command == 1793 || command == 1794 || (command >= 1840 && command <= 1845))
        return 16;
    if (command >= 256 && command <= 409)
        return 12;
    return 8;
}

bool applyValueField(VantaLinkValue &value, const QString &field)
{
    // The formatted text of a good field is never empty: its patterns always show a digit.
    const QString text =
        Decode(field, value.Value, value.Divisor, value.UnitText, value.FormatText);
    if (text.isEmpty())
        return false;
    value.ValueText = text;
    return true;
}

// Value as the decimal number and RawValue as the hexadecimal number of the same characters.
bool applyNumber(VantaLinkValue &value, const QString &digits)
{
    const std::optional<int> raw = hexNumber(digits);
    if (!raw)
        return false;
    value.Value = static_cast<float>(core::leadingNumber(digits));
    value.Divisor = 1;
    value.RawValue = static_cast<float>(*raw);
    return true;
}

void applyText(VantaLinkValue &value, const QString &text)
{
    value.ValueText = text;
    value.Value = 0;
    value.Divisor = 1;
    value.RawValue = 0;
}

// Decodes the reply of `command` into `value`; false when a number in it is malformed.
bool decodeReadReply(int command, const QString &reply, VantaLinkValue &value)
{
    if (command == 0) {
        const std::optional<int> status = hexNumber(chars(reply, 5, 2));
        const std::optional<int> raw = hexNumber(chars(reply, 5, 4));
        if (!status || !raw || !applyValueField(value, chars(reply, 7, 6)))
            return false;
        value.AlarmFlag1 = (*status & 0x08) != 0;
        value.AlarmFlag2 = (*status & 0x04) != 0;
        value.RawValue = static_cast<float>(*raw);
        return true;
    }
    if (command == 5) {
        const std::optional<int> raw = hexNumber(chars(reply, 5, 4));
        if (!raw)
            return false;
        value.Value = 0;
        value.Divisor = 1;
        value.RawValue = static_cast<float>(*raw);
        return true;
    }
    if (command >= 256 && command <= 409) {
        const std::optional<int> raw = hexNumber(chars(reply, 5, 2));
        if (!raw || !applyValueField(value, chars(reply, 5, 6)))
            return false;
        value.RawValue = static_cast<float>(*raw);
        return true;
    }
    if (command == 1792) {
        applyText(value, chars(reply, 5, int(reply.size()) - 6));
        return true;
    }
    if (command == 1794) {
        applyText(value, chars(reply, 5, 6));
        return true;
    }
    if (command == 1793)
        return applyNumber(value, chars(reply, 7, 4));
    if (command >= 1840 && command <= 1845)
        return applyNumber(value, chars(reply, 5, 4));
    return applyNumber(value, chars(reply, 5, 2));
}

} // namespace

NakMeaning vantaLinkNakMeaning(int code)
{
    switch (code) {
    case 1:
        return {2, QStringLiteral("Illegal Data Address"), true};
    case 2:
        return {1, QStringLiteral("Check-sum error on received data from Host"), true};
    case 3:
        return {3, QStringLiteral("Illegal Data Value"), true};
    case 4:
        return {4, QStringLiteral("Illegal ASCII characters received in command"), true};
    case 5:
        return {5, QStringLiteral("Data field error"), true};
    case 6:
        return {6, QStringLiteral("Undefined command"), true};
    case 10:
        return {2, QStringLiteral("Undefined command"), true};
    case 8:
    case 9:
        return {static_cast<qint16>(code),
                QStringLiteral("Hardware fault. Return to factory for service"), true};
    default:
        return {instrumentErrorStatus(code), QStringLiteral("Unknown or unused error code"), false};
    }
}

bool isVantaLinkWriteCommand(int Command)
{
    return (Command >= 512 && Command <= 665) || (Command >= 1024 && Command <= 1177);
}

QString VantaLinkRequest::addressPrefix() const
{
    return comms::addressPrefix(0, Address); // always hexadecimal
}

QString VantaLinkRequest::label() const
{
    if (Register == 0)
        return QStringLiteral(" for command ") + commandText;
    return QStringLiteral(" for register") + core::withLeadingBlank(Register) +
           QStringLiteral(" (") + commandText + QLatin1Char(')');
}

QString VantaLinkRequest::failure(const char *words) const
{
    return addressPrefix() + QLatin1String(words) + label();
}

QString readCommandText(int Command)
{
    return Command <= 255 ? core::Hex2(Command) : core::Hex4(Command);
}

QString writeCommandText(int Command)
{
    return core::Hex4(Command);
}

QString VantaLinkChecksum(const QString &Text)
{
    unsigned sum = 0;
    for (const QChar c : Text)
        sum += c.unicode();
    return core::Hex2(static_cast<int>(sum & 0xFF));
}

QByteArray buildVantaLinkRequest(int Address, const QString &commandText, const QString &data)
{
    const QString body = core::Hex2(Address) + commandText + data;
    return (QString(QChar(STX)) + QLatin1Char('L') + body + VantaLinkChecksum(body) + QChar(ETX))
        .toLatin1();
}

bool isVantaLinkWriteValueInRange(float Value, bool RawHex)
{
    const double rounded = std::round(static_cast<double>(Value));
    if (RawHex)
        return rounded >= -32768 && rounded <= 32676;
    return rounded >= -9999 && rounded <= 9999;
}

QString vantaLinkWriteData(int Command, float Value, bool RawHex)
{
    if (Command >= 1024)
        return {};
    const int rounded = static_cast<int>(std::round(static_cast<double>(Value)));
    if (RawHex)
        return core::Hex4(rounded) + QStringLiteral("00");
    return QStringLiteral("%1").arg(std::abs(rounded), 4, 10, QLatin1Char('0')) +
           (rounded < 0 ? QStringLiteral("FF") : QStringLiteral("00"));
}

std::optional<ValueField> decodeValueField(const QString &field)
{
    const QString magnitudeText = field.mid(2);
    const std::optional<int> status = hexNumber(field.left(2));
    if (field.size() != 6 || !status || !allOf(magnitudeText, isDecimalDigit))
        return std::nullopt;
    static constexpr float Divisors[] = {1, 10, 100, 1000};
    static constexpr const char *Formats[] = {"#,##0", "#,##0.0", "#,##0.00", "#,##0.000"};
    static constexpr const char16_t *Units[] = {u"", u"\u00B0F", u"\u00B0C", u"Er"};
    const int point = (*status & 0x30) >> 4;
    const double sign = (*status & 0x01) ? -1 : 1;
    ValueField decoded;
    decoded.Divisor = Divisors[point];
    decoded.FormatText = QLatin1String(Formats[point]);
    decoded.UnitText = QString::fromUtf16(Units[(*status & 0x06) >> 1]);
    decoded.Value = static_cast<float>(sign * magnitudeText.toInt() / decoded.Divisor);
    return decoded;
}

QString Decode(const QString &Field, float &Value, float &Divisor, QString &UnitText,
               QString &FormatText)
{
    const std::optional<ValueField> decoded = decodeValueField(Field);
    if (!decoded)
        return {};
    Value = decoded->Value;
    Divisor = decoded->Divisor;
    UnitText = decoded->UnitText;
    FormatText = decoded->FormatText;
    return core::formatNumber(Value, FormatText);
}

ReplyCheck judgeVantaLinkWriteReply(const VantaLinkRequest &request, const QByteArray &received,
                                    float writtenValue)
{
    return judgeReply(request, received, writtenValue);
}

VantaLinkReadOutcome judgeVantaLinkReadReply(const VantaLinkRequest &request,
                                             const QByteArray &received,
                                             const VantaLinkValue &before)
{
    VantaLinkReadOutcome outcome{judgeReply(request, received, std::nullopt), before};
    if (!outcome.check.isGood())
        return outcome;
    const QString reply = vantaLinkReplyText(received);
    if (reply.size() < minimumReadLength(request.Command))
        outcome.check = ReplyCheck::retry(request.failure(Words::TooShortForReading));
    else if (!decodeReadReply(request.Command, reply, outcome.value))
        outcome.check = ReplyCheck::retry(request.failure(Words::ChecksumError));
    return outcome;
}

QString vantaLinkReplyText(const QByteArray &received)
{
    const QByteArray reply = received.endsWith(ACK) ? received.chopped(1) : received;
    return QString::fromLatin1(reply);
}

} // namespace vanta::comms
