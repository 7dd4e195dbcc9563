// Copying object names into accessible descriptions for acceptance tools.
#include "ui/accessible_ids.h"

#include <QWidget>

namespace vanta::ui {

bool accessibleIdsWanted()
{
    return qEnvironmentVariableIsSet("VANTA_ACCESSIBLE_IDS");
}

void applyAccessibleIds(QWidget *root)
{
    if (root == nullptr || !accessibleIdsWanted())
        return;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : widgets) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            widget->setAccessibleDescription(name);
    }
}

} // namespace vanta::ui
