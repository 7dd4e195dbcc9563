// The trend graph's choice lists and time bases.
#include "logging/trend_choices.h"

#include "core/number_format.h"

namespace vanta::logging {

namespace {

constexpr int FallbackPosition = 4;

const char *const SampleRates[] = {"0.1 Sec.", "0.5 Sec.", "1 Sec.",  "2 Sec.",  "5 Sec.",
                                   "10 Sec.",  "30 Sec.",  "60 Sec.", "2 Min.",  "5 Min.",
                                   "10 Min.",  "30 Min.",  "60 Min.", "2 hours", "3 hours",
                                   "6 hours",  "12 hours", "24 hours"};
const char *const Durations[] = {"10 Sec.",  "30 Sec.",  "60 Sec.",   "2 Min.",  "5 Min.",
                                 "10 Min.",  "30 Min.",  "60 Min.",   "2 hours", "5 hours",
                                 "10 hours", "20 hours", "Never Stop"};
const char *const RefreshRates[] = {"0.5 Sec.", "1 Sec.",  "2 Sec.",   "5 Sec.", "10 Sec.",
                                    "30 Sec.",  "60 Sec.", "120 Sec.", "Never"};

template <size_t N>
QStringList toList(const char *const (&entries)[N])
{
    QStringList list;
    for (const char *entry : entries)
        list << QString::fromLatin1(entry);
    return list;
}

} // namespace

QStringList choiceEntries(ChoiceList list)
{
    switch (list) {
    case ChoiceList::SampleRate:
        return toList(SampleRates);
    case ChoiceList::Duration:
        return toList(Durations);
    case ChoiceList::RefreshRate:
        return toList(RefreshRates);
    }
    return {};
}

int choicePosition(ChoiceList list, int stored)
{
    const int count = static_cast<int>(choiceEntries(list).size());
    return stored >= 0 && stored < count ? stored : FallbackPosition;
}

double choiceSeconds(ChoiceList list, int position)
{
    const QString text = choiceEntries(list).value(choicePosition(list, position));
    const double number = core::leadingNumber(text);
    if (list == ChoiceList::RefreshRate)
        return number;
    const QString upper = text.toUpper();
    if (upper.contains(QLatin1String("MIN")))
        return number * 60;
    if (upper.contains(QLatin1String("HOUR")))
        return number * 3600;
    return number;
}

std::optional<TimeBase> timeBaseFromIndex(int index)
{
    if (index < 0 || index > 2)
        return std::nullopt;
    return static_cast<TimeBase>(index);
}

double secondsPerUnit(TimeBase base)
{
    switch (base) {
    case TimeBase::Seconds:
        return 1;
    case TimeBase::Minutes:
        return 60;
    case TimeBase::Hours:
        return 3600;
    }
    return 1;
}

double timeBaseConversion(TimeBase from, TimeBase to)
{
    return secondsPerUnit(from) / secondsPerUnit(to);
}

QString timeBaseTitle(TimeBase base)
{
    switch (base) {
    case TimeBase::Seconds:
        return QStringLiteral("Time (sec.)");
    case TimeBase::Minutes:
        return QStringLiteral("Time (min.)");
    case TimeBase::Hours:
        return QStringLiteral("Time (hrs.)");
    }
    return {};
}

} // namespace vanta::logging
