// Instrument address lists on combo boxes.
#pragma once

class QComboBox;

namespace vanta::ui {

// Clears the list and adds the 255 addresses: 01..FF when HexMode, else 001..255. With
// SetDefault the text becomes "32" (address 50) in hexadecimal mode, else "001".
void FillAddressList(QComboBox &Combo, bool HexMode, bool SetDefault);

// The address in the combo's text for the controller group: hexadecimal for group 0, decimal
// otherwise. Not a number gives 0; numbers outside 1..255 come back as they are, for the caller
// to refuse.
int ParseAddressCombo(const QComboBox &Combo, int ControllerGroup);

} // namespace vanta::ui
