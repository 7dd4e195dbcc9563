// Address lists on combo boxes, through the shared address texts.
#include "ui/address_combo.h"

#include "core/address.h"

#include <QComboBox>

namespace vanta::ui {

void FillAddressList(QComboBox &Combo, bool HexMode, bool SetDefault)
{
    Combo.clear();
    Combo.addItems(core::addressListEntries(HexMode));
    if (!SetDefault)
        return;
    const QString text = core::defaultAddressText(HexMode);
    const int index = Combo.findText(text);
    if (Combo.isEditable())
        Combo.setEditText(text);
    if (index >= 0)
        Combo.setCurrentIndex(index);
}

int ParseAddressCombo(const QComboBox &Combo, int ControllerGroup)
{
    return core::ParseAddress(ControllerGroup, Combo.currentText());
}

} // namespace vanta::ui
