// Whether a focus change leaves a field: Qt also takes the focus from a field while one of the
// program's own message boxes or menus is open, or while another application is in front, and
// that is no leaving of the field.
#pragma once

class QEvent;

namespace vanta::ui {

// True for a FocusOut event that moves the focus to another control of the window (Tab, a click,
// the program), false for every other event and for window activation or pop-ups.
bool isLeavingField(const QEvent *event);

} // namespace vanta::ui
