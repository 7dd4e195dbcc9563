// Test identifiers for outside tools: with VANTA_ACCESSIBLE_IDS set, every widget's object name
// is copied into its accessible description, so tools that drive the program through the
// desktop accessibility interface find controls by their design names ("cmdStartSearch").
#pragma once

class QWidget;

namespace vanta::ui {

// True when the environment variable VANTA_ACCESSIBLE_IDS is set.
bool accessibleIdsWanted();

// Copies the object name of `root` and of every widget below it into its accessible
// description. Widgets without an object name are left alone. Does nothing unless
// accessibleIdsWanted(). Null is ignored.
void applyAccessibleIds(QWidget *root);

} // namespace vanta::ui
