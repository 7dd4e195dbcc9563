// What the configuration window's edits do: change tracking, the limits of numeric and time
// fields, the refusals and rescaling of the decimal point and input type lists, the warnings of
// the model list, silent list corrections, and the immediate writes some fields offer. The
// window only tells FieldRules what the user did; the model holds the result.
#pragma once

#include "config/config_transfer.h"

#include <functional>

namespace vanta::config {

class ConfigModel;

class FieldRules
{
public:
    // Messages and beeps go to link.ui; immediate writes to the instrument of
    // model.AddressText. `hooks` show the progress of a write and of the re-read it may start;
    // `showFields` shows the model's fields, so that a question about a value comes with the
    // value on screen that it is about.
    FieldRules(ConfigModel &model, comms::CommLink &link, TransferHooks hooks = {},
               std::function<void()> showFields = {});

    // The user typed into the field of `reg` (number, hours, minutes) or clicked one of its
    // boxes. Fields that decide what others show re-run SetupFormFields; the typed text
    // itself stays as typed until the field is left.
    void fieldEdited(int reg);
    // The user chose an entry of the list of `reg` (cbxParameter, or the cbxReset of a reset
    // value); the model already holds the new position.
    void listChosen(int reg);
    // The focus left the number, hours or minutes of `reg`: limits with a beep, the display
    // format, then the immediate write the field offers. Empty or non-numeric text stays.
    void fieldLeft(int reg);

    // The header lists: `index` is the list position chosen. A refused choice leaves the
    // model's setting as it was, for the window to show again.
    void decimalPointChosen(int index);
    void inputTypeChosen(int position);
    void modelChosen(int position); // 1-based, as SelectedModel

private:
    void setupKeepingText(int reg);
    bool limitNumber(int reg);
    bool limitTime(int reg);
    bool refuseDecimalPoint(int index);
    bool refuseInputType(int position);
    void rescaleAcross(const std::function<void()> &change);
    void warnAboutModel();
    void warn(const QString &title, const QString &text);
    void showFields() const;

    ConfigModel &m_model;
    comms::CommLink &m_link;
    TransferHooks m_hooks;
    std::function<void()> m_showFields;
};

} // namespace vanta::config
