// Telling a field left apart from a window that lost the focus.
#include "ui/field_focus.h"

#include <QFocusEvent>

namespace vanta::ui {

bool isLeavingField(const QEvent *event)
{
    if (event == nullptr || event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace vanta::ui
