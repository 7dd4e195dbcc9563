// The colours the windows use for states, and how labels and indicator shapes take them.
#pragma once

#include <QColor>

class QWidget;

namespace vanta::ui {

namespace Colours {
inline const QColor Black{0, 0, 0};
inline const QColor Red{255, 0, 0};
inline const QColor Green{0, 255, 0};     // indicators on, STARTED
inline const QColor AutoGreen{0, 192, 0}; // "Auto" mode text
inline const QColor Yellow{255, 255, 0};  // typed and not sent, program held
inline const QColor White{255, 255, 255};
} // namespace Colours

// The system button face colour: indicators that are off.
QColor buttonFace();

// Text colour of a label (its palette foreground).
void setTextColour(QWidget *label, const QColor &colour);
// Background fill of a shape or label.
void setFillColour(QWidget *shape, const QColor &colour);
// Background of a text box (the palette's base, behind the text).
void setFieldColour(QWidget *field, const QColor &colour);
// An indicator shape: green when on, button face when off.
void setIndicator(QWidget *shape, bool on);

} // namespace vanta::ui
