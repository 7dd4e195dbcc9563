// Colouring labels and indicator shapes.
#include "ui/colours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace vanta::ui {

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

void setTextColour(QWidget *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    label->setPalette(palette);
}

void setFillColour(QWidget *shape, const QColor &colour)
{
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, colour);
    shape->setPalette(palette);
    shape->setAutoFillBackground(true);
}

void setFieldColour(QWidget *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

void setIndicator(QWidget *shape, bool on)
{
    setFillColour(shape, on ? Colours::Green : buttonFace());
}

} // namespace vanta::ui
