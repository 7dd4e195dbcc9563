// The Enter-as-Tab key filter.
#include "ui/enter_as_tab.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace vanta::ui {

namespace {

constexpr char FilterName[] = "vantaEnterAsTab";
constexpr char KeepsEnter[] = "vantaKeepsEnter";

class EnterAsTabFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget == nullptr || !takesEnterAsTab(widget))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &tab);
        return true;
    }

private:
    static bool takesEnterAsTab(const QWidget *widget)
    {
        return qobject_cast<const QAbstractButton *>(widget) == nullptr &&
               qobject_cast<const QPlainTextEdit *>(widget) == nullptr &&
               qobject_cast<const QTextEdit *>(widget) == nullptr &&
               widget->focusPolicy() != Qt::NoFocus && !widget->property(KeepsEnter).toBool();
    }
};

} // namespace

void installEnterAsTab(QWidget *window)
{
    if (window == nullptr)
        return;
    auto *filter = window->findChild<EnterAsTabFilter *>(QLatin1String(FilterName),
                                                         Qt::FindDirectChildrenOnly);
    if (filter == nullptr) {
        filter = new EnterAsTabFilter(window);
        filter->setObjectName(QLatin1String(FilterName));
    }
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        // Removing first keeps one filter per widget when installing again.
        widget->removeEventFilter(filter);
        widget->installEventFilter(filter);
    }
}

void keepOwnEnter(QWidget *field)
{
    if (field != nullptr)
        field->setProperty(KeepsEnter, true);
}

} // namespace vanta::ui
