// Field values of the configuration model: display scaling, and the conversions from and to
// instrument values and parameter-file values.
#include "config/config_model.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/number_format.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vanta::config {

namespace {

constexpr int InvalidPropertyValue = 380;
constexpr int FirstAnalogInput = 15; // group 0 current, voltage and differential inputs
constexpr int FirstTuningType = 775;
constexpr int FirstStartLearning = 1067; // one box per stage, two registers apart
constexpr std::array<int, 3> LockSettingValues{0, 1, 11};

DisplayFormat byDecimals(int decimals)
{
    static const std::array<DisplayFormat, 5> formats{{{"#,###,###,##0", 1},
                                                       {"#,###,###,##0.0", 10},
                                                       {"#,###,###,##0.00", 100},
                                                       {"#,###,###,##0.000", 1000},
                                                       {"#,###,###,##0.0000", 10000}}};
    return formats[static_cast<std::size_t>(std::clamp(decimals, 0, 4))];
}

std::optional<double> shownNumber(const QString &text)
{
    return core::parseNumberText(text);
}

// The shown number as the file and the instrument take it: at most four decimals.
double toFourDecimals(double value)
{
    return std::round(value * 10000.0) / 10000.0;
}

QString fileNumberText(double value)
{
    return core::formatNumber(value, QStringLiteral("0.####"));
}

// The number of a text field or reset value; a reset's sign comes from its list: negative for
// an automatic reset time.
std::optional<double> signedNumber(const Parameter &p, const FieldState &f)
{
    const std::optional<double> number = shownNumber(f.Text);
    if (!number || p.kind != ControlKind::ResetValue)
        return number;
    return f.ListIndex == 0 ? -std::fabs(*number) : std::fabs(*number);
}

std::optional<double> totalMinutes(const FieldState &f)
{
    const std::optional<double> hours = shownNumber(f.Hours);
    const std::optional<double> minutes = shownNumber(f.Minutes);
    if (!hours || !minutes)
        return std::nullopt;
    return *hours * 60 + *minutes;
}

// 0 or 1 time proportioning, 6 current or voltage, 8 pulsed, anything else on/off.
int outputHardwarePosition(int value)
{
    switch (value) {
    case 0:
    case 1:
        return 0;
    case 6:
        return 1;
    case 8:
        return 2;
    default:
        return 3;
    }
}

// The tuning byte: the type in bits 4-6, learning in progress in bit 2 (self tune only).
int tuningTypePosition(int value)
{
    switch (value) {
    case 0:
    case 4:
        return 0;
    case 16:
        return 1;
    case 32:
        return 2;
    case 48:
        return 3;
    case 64:
        return 4;
    default:
        return 3;
    }
}

int lockSettingPosition(int value, bool eitherPair)
{
    if (value == 1 || (eitherPair && value == 2))
        return 1;
    if (value == 11 || (eitherPair && value == 22))
        return 2;
    return 0;
}

// A register value that arrives as 0..65535 or already signed, as its 16-bit pattern.
quint16 toWord(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<quint16>(static_cast<qint64>(std::fmod(std::round(value), 65536.0)));
}

} // namespace

DisplayFormat ConfigModel::DecimalPointFormat(int reg) const
{
    const Parameter *p = findParameter(m_group, reg);
    const bool analog = InputTypeIndex >= FirstAnalogInput;
    switch (p ? p->scaling : Scaling::Whole) {
    case Scaling::DecimalPoint:
        return byDecimals(DecimalPointIndex);
    case Scaling::DecimalPointForAnalog:
        return byDecimals(analog ? DecimalPointIndex : 0);
    case Scaling::DecimalPointForN8OrAnalog:
        return byDecimals(analog || ModelId() == QLatin1String("N8") ? DecimalPointIndex : 0);
    case Scaling::Tenths:
        return byDecimals(1);
    case Scaling::Hundredths:
        return byDecimals(2);
    case Scaling::Whole:
        break;
    }
    return byDecimals(0);
}

QString ConfigModel::shown(int reg, double value) const
{
    return core::formatNumber(value, DecimalPointFormat(reg).format);
}

void ConfigModel::showMinutes(FieldState &f, double minutes) const
{
    const double whole = std::round(minutes);
    f.Hours = core::formatNumber(std::trunc(whole / 60), QStringLiteral("00"));
    f.Minutes = core::formatNumber(std::fmod(whole, 60), QStringLiteral("00"));
}

// The list position of an instrument value. A tuning byte also sets or clears its stage's
// "Start Learning (LErn)" box.
int ConfigModel::positionFromInstrument(const Parameter &p, double value)
{
    const int whole = static_cast<int>(std::clamp(std::round(value), -1e6, 1e6));
    switch (p.encoding) {
    case Encoding::OutputHardware:
        return outputHardwarePosition(whole);
    case Encoding::TuningType: {
        const int learning = FirstStartLearning + 2 * (p.reg - FirstTuningType);
        if ((whole == 0 || whole == 4) && hasField(learning))
            setBoxChecked(learning, 0, whole == 4);
        return tuningTypePosition(whole);
    }
    case Encoding::LockSetting:
    case Encoding::LockSettingPairs:
        return lockSettingPosition(whole, p.encoding == Encoding::LockSettingPairs);
    case Encoding::AddressLessOne:
    case Encoding::Position:
        break;
    }
    const int position = p.encoding == Encoding::AddressLessOne ? whole - 1 : whole;
    const int last = static_cast<int>(optionEntries(p.list).size()) - 1;
    const int low = std::max(0, m_app.Tables.CfgField(p.reg, 2));
    const int high = std::min(last, m_app.Tables.CfgField(p.reg, 3));
    return std::max(low, std::min(high, position));
}

void ConfigModel::setFromInstrument(int reg, double value)
{
    const Parameter &p = parameter(reg);
    FieldState &f = field(reg);
    const double divisor = DecimalPointFormat(reg).divisor;
    switch (p.kind) {
    case ControlKind::TextField:
        f.Text = shown(reg, value / divisor);
        break;
    case ControlKind::ResetValue:
        f.ListIndex = value < 0 ? 0 : 1;
        f.Text = shown(reg, std::fabs(value) / divisor);
        break;
    case ControlKind::HoursMinutes:
        showMinutes(f, value);
        break;
    case ControlKind::List:
        f.ListIndex = positionFromInstrument(p, value);
        break;
    case ControlKind::BitBoxes:
        DistributeBits(reg, toWord(value));
        break;
    }
}

std::optional<double> ConfigModel::instrumentValue(int reg) const
{
    const Parameter &p = parameter(reg);
    const FieldState &f = field(reg);
    switch (p.kind) {
    case ControlKind::TextField:
    case ControlKind::ResetValue: {
        const std::optional<double> number = signedNumber(p, f);
        if (!number)
            return std::nullopt;
        return std::round(toFourDecimals(*number) * DecimalPointFormat(reg).divisor);
    }
    case ControlKind::HoursMinutes: {
        const std::optional<double> minutes = totalMinutes(f);
        if (!minutes)
            return std::nullopt;
        return std::round(*minutes);
    }
    case ControlKind::List:
        if (p.encoding == Encoding::AddressLessOne)
            return f.ListIndex + 1;
        if (p.encoding == Encoding::LockSetting || p.encoding == Encoding::LockSettingPairs)
            return LockSettingValues[static_cast<std::size_t>(std::clamp(f.ListIndex, 0, 2))];
        return f.ListIndex;
    case ControlKind::BitBoxes:
        return CompressBits(reg);
    }
    return std::nullopt;
}

std::optional<QString> ConfigModel::fileValueText(int reg) const
{
    const Parameter &p = parameter(reg);
    const FieldState &f = field(reg);
    std::optional<double> number;
    switch (p.kind) {
    case ControlKind::TextField:
    case ControlKind::ResetValue:
        number = signedNumber(p, f);
        break;
    case ControlKind::HoursMinutes:
        number = totalMinutes(f);
        break;
    case ControlKind::List:
        return QString::number(f.ListIndex);
    case ControlKind::BitBoxes:
        return QString::number(CompressBits(reg));
    }
    if (!number)
        return std::nullopt;
    return fileNumberText(*number);
}

void ConfigModel::setFromFile(int reg, double value)
{
    const Parameter &p = parameter(reg);
    FieldState &f = field(reg);
    const double whole = std::round(value);
    switch (p.kind) {
    case ControlKind::TextField:
        f.Text = shown(reg, value);
        break;
    case ControlKind::ResetValue:
        f.ListIndex = value < 0 ? 0 : 1;
        f.Text = shown(reg, std::fabs(value));
        break;
    case ControlKind::HoursMinutes:
        showMinutes(f, value);
        break;
    case ControlKind::List:
        if (!(whole >= 0 && whole < optionEntries(p.list).size()))
            throw core::AppError{InvalidPropertyValue, QStringLiteral("Invalid property value")};
        f.ListIndex = static_cast<int>(whole);
        break;
    case ControlKind::BitBoxes:
        if (!(whole >= -32768 && whole <= 65535))
            throw core::AppError{core::ErrorNumber::Overflow, QStringLiteral("Overflow")};
        DistributeBits(reg, toWord(whole));
        break;
    }
}

} // namespace vanta::config
