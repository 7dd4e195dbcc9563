// Refresh-rate items and captions.
#include "monitor/poll_rates.h"

#include "core/number_format.h"

namespace vanta::monitor {

QStringList pollRateItems()
{
    return {QStringLiteral(".05 Sec."), QStringLiteral(".1 Sec."),  QStringLiteral(".25 Sec."),
            QStringLiteral(".5 Sec."),  QStringLiteral("1 Sec."),   QStringLiteral("2 Sec."),
            QStringLiteral("5 Sec."),   QStringLiteral("10 Sec."),  QStringLiteral("30 Sec."),
            QStringLiteral("60 Sec."),  QStringLiteral("300 Sec."), QStringLiteral("Never")};
}

float pollRateOf(const QString &item)
{
    return static_cast<float>(core::leadingNumber(item));
}

QString rateMenuTitle(RateMenu menu)
{
    return menu == RateMenu::ProcessVariables ? QStringLiteral("Process Variables")
                                              : QStringLiteral("Setpoints");
}

QString rateMenuCaption(RateMenu menu, float rate)
{
    return rateMenuTitle(menu) + QStringLiteral(" (Now=") + core::compactNumberText(rate) +
           QStringLiteral(" Sec.)");
}

} // namespace vanta::monitor
