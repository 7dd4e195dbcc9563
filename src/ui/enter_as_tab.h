// Enter in a field moves the focus to the next field, as Tab does.
#pragma once

class QWidget;

namespace vanta::ui {

// Makes Enter (Return or keypad Enter, without modifiers) act as Tab in every field of `window`
// that exists now. Multi-line text boxes and buttons keep their own Enter. Call it again after
// adding fields; fields are never filtered twice.
void installEnterAsTab(QWidget *window);
// Leaves Enter to `field` itself (a field that sends its value on Enter), before or after
// installEnterAsTab.
void keepOwnEnter(QWidget *field);

} // namespace vanta::ui
