// The monitor's two refresh-rate menus: their items, the rate an item stands for and the
// caption that shows the rate in use.
#pragma once

#include <QString>
#include <QStringList>

namespace vanta::monitor {

// ".05 Sec." .. "300 Sec.", "Never": the items of both submenus, in menu order.
QStringList pollRateItems();
// The rate of an item: its leading number in seconds; "Never" (and any other text) gives 0.
float pollRateOf(const QString &item);

enum class RateMenu
{
    ProcessVariables, // mnuTemperatures, TempPollRate
    Setpoints         // mnuSetpoints, SPPollRate
};
// "Process Variables" or "Setpoints": the submenu caption before a rate was chosen.
QString rateMenuTitle(RateMenu menu);
// "Process Variables (Now=.05 Sec.)", "Setpoints (Now=0 Sec.)": the rate in its shortest form.
QString rateMenuCaption(RateMenu menu, float rate);

} // namespace vanta::monitor
