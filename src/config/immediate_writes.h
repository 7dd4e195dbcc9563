// Writes that a few configuration fields offer the moment they are changed: live numbers such
// as setpoints, the PID group (with a re-read), run/stop, the instrument's address and its
// serial settings, which the program then adopts to keep talking to the instrument.
#pragma once

#include "config/config_transfer.h"

namespace vanta::config {

class ConfigModel;

class ImmediateWrites
{
public:
    ImmediateWrites(ConfigModel &model, comms::CommLink &link, const TransferHooks &hooks);

    // After the number of `reg` was left: asks whether to send it now when `reg` is one of the
    // live numbers. An empty or non-numeric field is not offered.
    void offerNumber(int reg);
    // After the user chose an entry of list `reg`; `wasPending` is ChangesPending before the
    // choice. Lists without an immediate write are left alone.
    void offerList(int reg, bool wasPending);

private:
    void offerPidGroup(bool wasPending);
    void offerAddress();
    void offerCommSetting(int reg);
    QString commSettingQuestion(int reg) const;
    void offerListEntry(int reg);
    bool mayTalk();
    bool ask(const QString &title, const QString &text, core::MsgResult defaultButton);
    // Writes `value` to `reg` with the progress text; a failure shows the warning with
    // `failureNote` after the result text. True when the write succeeded.
    bool write(int reg, double value, const QString &failureNote = {});
    void adoptCommSetting(int reg);

    ConfigModel &m_model;
    comms::CommLink &m_link;
    const TransferHooks &m_hooks;
};

} // namespace vanta::config
