// An instrument's live side: the process value, the working setpoint, the ramp/soak program,
// the alarms and the status word derived from them.
#include "instrument.h"

#include "core/registers.h"

#include <cmath>

namespace vanta::sim {

namespace {

struct Step
{
    double seconds = 0;
    double target = 0; // engineering units
};

constexpr int StepCount = 16;
constexpr int InputErrorBits = 0x1E00; // group 0 error word bits 9-12

// End of program actions (790).
enum EndAction
{
    HoldLast = 0,
    OutputsOff = 1,
    Loop = 2,
    BackToSetpoint1 = 3
};

} // namespace

bool Instrument::isManual() const
{
    return m_setup.group == 0 ? m_manual : stored(m_setup.group == 1 ? 4101 : 18193) == 2;
}

bool Instrument::inputError() const
{
    const int error = stored(core::ErrorWordRegister);
    return m_setup.group == 0 ? (error & InputErrorBits) != 0 : error != 0;
}

int Instrument::valueFieldUnits() const
{
    if (m_setup.group == 0 && inputError())
        return 6;
    switch (stored(core::UnitsRegister)) {
    case 1:
        return 2;
    case 2:
        return 4;
    default:
        return 0;
    }
}

double Instrument::workingSetpoint() const
{
    if (stored(core::ProgramRunningRegister) != 0 && m_setup.group != 2) {
        if (const double sp = programSetpoint(); !std::isnan(sp))
            return sp;
    }
    int reg = core::Setpoint1Register;
    if (m_setup.group == 0 && has(259))
        reg = core::Setpoint1Register +
              std::clamp(stored(core::SetpointStageRegister), 0, 3); // the active stage's setpoint
    return stored(reg) / divisor();
}

// The steps of the program that runs: group 0 its 16 steps (time base from register 8),
// group 1 the start pattern's steps up to its last step (times in minutes).
static std::vector<Step> programSteps(const Instrument &instrument,
                                      const std::function<int(int)> &value, double divisor)
{
    std::vector<Step> steps;
    if (instrument.group() == 0) {
        const double unit = value(core::TimeBaseRegister) == 1 ? 60 : 1;
        int last = 0;
        for (int k = 1; k <= StepCount; ++k) {
            if (value(287 + 2 * k) != 0 || value(288 + 2 * k) != 0)
                last = k;
        }
        for (int k = 1; k <= last; ++k)
            steps.push_back({value(287 + 2 * k) * unit, value(288 + 2 * k) / divisor});
    } else if (instrument.group() == 1) {
        const int pattern = std::clamp(value(4144), 0, 7);
        const int last = std::clamp(value(4160 + pattern), 0, 7);
        for (int s = 0; s <= last; ++s)
            steps.push_back(
                {value(8320 + 8 * pattern + s) * 60.0, value(8192 + 8 * pattern + s) / 10.0});
    }
    return steps;
}

double Instrument::programSetpoint() const
{
    const auto value = [this](int reg) { return has(reg) ? stored(reg) : 0; };
    const std::vector<Step> steps = programSteps(*this, value, divisor());
    if (steps.empty())
        return std::nan("");
    if (m_step >= static_cast<int>(steps.size()))
        return steps.back().target;
    const Step &step = steps[m_step];
    if (step.seconds <= 0)
        return step.target;
    const double fraction = std::clamp(m_stepElapsed / step.seconds, 0.0, 1.0);
    return m_stepStart + (step.target - m_stepStart) * fraction;
}

void Instrument::startProgram()
{
    m_step = 0;
    m_stepElapsed = 0;
    m_stepStart = m_pv;
    m_programDone = false;
}

void Instrument::advanceProgram(double seconds)
{
    if (stored(core::ProgramRunningRegister) == 0 || stored(core::ProgramHeldRegister) != 0 ||
        m_programDone || m_setup.group == 2)
        return;
    const auto value = [this](int reg) { return has(reg) ? stored(reg) : 0; };
    const std::vector<Step> steps = programSteps(*this, value, divisor());
    if (steps.empty())
        return;
    m_stepElapsed += seconds;
    while (m_step < static_cast<int>(steps.size()) && m_stepElapsed >= steps[m_step].seconds) {
        m_stepElapsed -= steps[m_step].seconds;
        m_stepStart = steps[m_step].target;
        ++m_step;
    }
    if (m_step < static_cast<int>(steps.size()))
        return;
    const int action = m_setup.group == 0 ? stored(790) : HoldLast;
    if (action == Loop) {
        m_step = 0;
        m_stepElapsed = 0;
    } else if (action == OutputsOff || action == BackToSetpoint1) {
        store(core::ProgramRunningRegister, 0);
    } else {
        m_programDone = true;
    }
}

// Group 0 types (798/800): 0 off, 1 low, 2 high, 3 outside the limits, 4 the running step's
// event output; limits relative to setpoint 1 with the deviation option. Groups 1 and 2 use
// their own type lists (4128-4130, 18197/18198).
bool Instrument::alarmActive(int alarm) const
{
    const double d = divisor();
    const double pv = (m_pv + m_noise);
    const int lowReg = alarm == 3 ? 4136 : 261 + 2 * alarm;
    double low = stored(lowReg) / d;
    double high = stored(lowReg + 1) / d;
    const double sv = stored(core::Setpoint1Register) / d;
    if (m_setup.group == 0) {
        const int type = stored(alarm == 1 ? core::Alarm1TypeRegister : core::Alarm2TypeRegister);
        if (stored(alarm == 1 ? core::Alarm1OptionsRegister : core::Alarm2OptionsRegister) & 4) {
            low += sv;
            high += sv;
        }
        switch (type) {
        case 1:
            return pv < low;
        case 2:
            return pv > high;
        case 3:
            return pv < low || pv > high;
        case 4: {
            if (stored(core::ProgramRunningRegister) == 0 || m_step >= StepCount)
                return false;
            const int word = stored(m_step < 8 ? 350 : 351);
            const int j = m_step % 8;
            return (word >> (alarm == 1 ? 15 - 2 * j : 14 - 2 * j)) & 1;
        }
        default:
            return false;
        }
    }
    const int typeReg = m_setup.group == 1 ? 4127 + alarm : 18196 + alarm;
    switch (stored(typeReg)) {
    case 1:
    case 8:
        return pv < sv - low || pv > sv + high;
    case 2:
    case 9:
    case 11:
        return pv > sv + high;
    case 3:
    case 10:
    case 12:
        return pv < sv - low;
    case 4:
        return pv >= sv - low && pv <= sv + high;
    case 5:
        return pv < low || pv > high;
    case 6:
        return pv > high;
    case 7:
        return pv < low;
    default:
        return false;
    }
}

bool Instrument::alarmEnergised(int alarm) const
{
    const bool active = alarmActive(alarm);
    if (m_setup.group != 0)
        return active;
    // A fail-safe output (option bit 1) is energised while the alarm is not active.
    const bool failSafe =
        stored(alarm == 1 ? core::Alarm1OptionsRegister : core::Alarm2OptionsRegister) & 2;
    return has(alarm == 1 ? core::Alarm1TypeRegister : core::Alarm2TypeRegister) &&
           (active != failSafe);
}

int Instrument::outputByte() const
{
    return (m_output1 ? 1 : 0) | (alarmEnergised(1) ? 4 : 0) | (alarmEnergised(2) ? 8 : 0);
}

int Instrument::rampSoakStatus() const
{
    return (stored(core::TimeBaseRegister) & 1) |
           (stored(core::ProgramRunningRegister) != 0 ? 2 : 0) |
           (stored(core::ProgramHeldRegister) != 0 ? 4 : 0) |
           (std::clamp(m_programDone ? m_step - 1 : m_step, 0, StepCount - 1) << 4);
}

int Instrument::statusWord() const
{
    const double shown = (m_pv + m_noise) * divisor();
    switch (m_setup.group) {
    case 0: {
        int s = (shown < -0.5 ? 1 : 0) | (valueFieldUnits() & 6) | (decimals() << 4);
        s |= m_output1 ? 0x100 : 0;
        s |= alarmEnergised(2) ? 0x400 : 0;
        s |= alarmEnergised(1) ? 0x800 : 0;
        s |= stored(core::ProgramRunningRegister) != 0 ? 0x1000 : 0;
        s |= stored(core::ProgramHeldRegister) != 0 ? 0x2000 : 0;
        s |= stored(805) == 1 ? 0x4000 : 0;
        s |= m_manual ? 0x8000 : 0;
        return s;
    }
    case 1: {
        const bool analog = stored(core::InputTypeRegister) >= 13;
        const int units = stored(core::ErrorWordRegister) != 0 ? 3
                          : analog                             ? 0
                          : stored(2065) == 1                  ? 1
                                                               : 2;
        int s = (m_output1 ? 1 : 0) | (alarmActive(2) ? 2 : 0) | (units << 2);
        s |= alarmActive(1) ? 0x10 : 0;
        s |= has(4130) && alarmActive(3) ? 0x20 : 0;
        s |= stored(2067) != 0 ? 0x80 : 0;
        s |= stored(core::ProgramRunningRegister) != 0 ? 0x100 : 0;
        s |= stored(core::ProgramHeldRegister) != 0 ? 0x200 : 0;
        s |= stored(2064) == 1 ? 0x4000 : 0;
        s |= stored(4101) == 2 ? 0x8000 : 0;
        return s;
    }
    default: {
        const int units = stored(core::ErrorWordRegister) != 0 ? 3 : stored(18199) == 1 ? 2 : 1;
        int s = (m_output1 ? 1 : 0) | (units << 2);
        s |= alarmActive(2) ? 0x10 : 0;
        s |= alarmActive(1) ? 0x20 : 0;
        s |= stored(18217) != 0 ? 0x40 : 0;
        s |= stored(18201) == 1 ? 0x80 : 0;
        s |= stored(18202) == 1 ? 0x4000 : 0;
        s |= stored(18193) == 2 ? 0x8000 : 0;
        return s;
    }
    }
}

void Instrument::advance(double seconds, std::mt19937 &random)
{
    advanceProgram(seconds);
    const bool manual =
        m_setup.group == 0 ? m_manual : stored(m_setup.group == 1 ? 4101 : 18193) == 2;
    const double target = workingSetpoint();
    if (manual) {
        // Nobody controls the process: it wanders slowly.
        std::normal_distribution<double> drift(0.0, 0.05 * std::sqrt(seconds));
        m_pv += drift(random);
    } else {
        m_pv += (target - m_pv) * (1.0 - std::exp(-seconds / m_setup.lagSeconds));
    }
    m_output1 = !manual && m_pv < target;
    std::uniform_real_distribution<double> noise(-m_setup.noise, m_setup.noise);
    m_noise = m_setup.noise > 0 ? noise(random) : 0;
}

} // namespace vanta::sim
