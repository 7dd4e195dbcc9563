// The protocol trace window shows a session of each protocol decoded row by row, bad checks and
// instrument errors included, and filters, pauses and clears.
#include "comms/modbus_ascii.h"
#include "comms/modbus_rtu.h"
#include "comms/vanta_link.h"
#include "diagnostics/frmTrace.h"
#include "monitor/status_rig.h"
#include "support/window_controls.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

struct SessionCase
{
    comms::Protocol protocol;
    const char *good;
    const char *badCheck;
    const char *error;
    const char *checks[4]; // the received rows: good, bad, the retry, the error
    const char *errorMeaning;
};

const SessionCase SessionCases[] = {
    {comms::Protocol::ModbusRtu,
     "01030204d23ad9",
     "01030204d23ad8",
     "018302c0f1",
     {"CRC good", "CRC bad", "CRC good", "CRC good"},
     "03 Read Holding Registers, exception 02 Illegal Data Address"},
    {comms::Protocol::ModbusAscii,
     ":01030204D224\r\n",
     ":01030204D225\r\n",
     ":0183027A\r\n",
     {"LRC good", "LRC bad", "LRC good", "LRC good"},
     "03 Read Holding Registers, exception 02 Illegal Data Address"},
    {comms::Protocol::VantaLink,
     "\x02L0112345AED\x06",
     "\x02L0112345AEE\x06",
     "\x02L01N06\x06",
     {"checksum good", "checksum bad", "checksum good", ""},
     "read 0A, negative acknowledge 06 Undefined command"},
};

QByteArray frame(const SessionCase &c, const char *text)
{
    return c.protocol == comms::Protocol::ModbusRtu ? QByteArray::fromHex(text) : QByteArray(text);
}

void readOnce(StatusRig &rig, comms::Protocol protocol)
{
    QString text;
    qint16 status = 0;
    QVector<float> values;
    comms::VantaLinkValue value;
    if (protocol == comms::Protocol::ModbusRtu)
        comms::ModbusRead_R(rig.link, 1, 0, text, status, 1, 0x701, comms::HoldingRegister, 1,
                            values);
    else if (protocol == comms::Protocol::ModbusAscii)
        comms::ModbusRead_A(rig.link, 1, 0, text, status, 1, 0x701, comms::HoldingRegister, 1,
                            values);
    else
        comms::VantaLinkRead(rig.link, text, status, 1, 10, value, 0);
}

// A good read, a bad check answered right on the retry, and an instrument error.
void runSession(StatusRig &rig, const SessionCase &c)
{
    rig.line.queueReply(frame(c, c.good));
    readOnce(rig, c.protocol);
    rig.line.queueReply(frame(c, c.badCheck));
    rig.line.queueReply(frame(c, c.good));
    readOnce(rig, c.protocol);
    rig.line.queueReply(frame(c, c.error));
    readOnce(rig, c.protocol);
}

QString cell(const QAbstractItemModel &model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

constexpr int MeaningColumn = 7;
constexpr int CheckColumn = 8;

TEST(FrmTrace, ShowsEachProtocolsSessionDecoded)
{
    for (const SessionCase &c : SessionCases) {
        SCOPED_TRACE(c.good);
        StatusRig rig(1);
        comms::TraceRing ring(rig.clock);
        rig.link.trace = ring.hook();
        runSession(rig, c);
        ui::Navigator navigator(rig.app, rig.link);
        diagnostics::frmTrace window(navigator.context(), ring);
        window.show();
        const QAbstractItemModel &rows = *findControl<QTableView>(window, "grdTrace")->model();
        ASSERT_EQ(rows.rowCount(), 8); // four requests (one retried), four replies
        const int received[] = {1, 3, 5, 7};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(cell(rows, received[i], CheckColumn), QString::fromLatin1(c.checks[i])) << i;
        EXPECT_EQ(cell(rows, 7, MeaningColumn), QString::fromLatin1(c.errorMeaning));
        EXPECT_EQ(cell(rows, 4, 9), QStringLiteral("attempt 2"));
    }
}

TEST(FrmTrace, PausesFiltersByAddressAndClears)
{
    StatusRig rig(1);
    comms::TraceRing ring(rig.clock);
    rig.link.trace = ring.hook();
    ui::Navigator navigator(rig.app, rig.link);
    diagnostics::frmTrace window(navigator.context(), ring);
    window.show();
    const QAbstractItemModel &rows = *findControl<QTableView>(window, "grdTrace")->model();

    findControl<QCheckBox>(window, "chkPause")->setChecked(true);
    runSession(rig, SessionCases[0]);
    window.tmrRefresh_Timer();
    EXPECT_EQ(rows.rowCount(), 0);
    findControl<QCheckBox>(window, "chkPause")->setChecked(false);
    window.tmrRefresh_Timer();
    EXPECT_EQ(rows.rowCount(), 8);

    findControl<QLineEdit>(window, "txtAddress")->setText(QStringLiteral("002"));
    EXPECT_EQ(rows.rowCount(), 0);
    findControl<QLineEdit>(window, "txtAddress")->setText(QStringLiteral("001"));
    EXPECT_EQ(rows.rowCount(), 8);

    // Filtering a paused view filters what it shows and takes nothing newer.
    findControl<QCheckBox>(window, "chkPause")->setChecked(true);
    runSession(rig, SessionCases[0]);
    findControl<QLineEdit>(window, "txtAddress")->setText(QStringLiteral(""));
    EXPECT_EQ(rows.rowCount(), 8);
    findControl<QCheckBox>(window, "chkPause")->setChecked(false);
    window.tmrRefresh_Timer();
    EXPECT_EQ(rows.rowCount(), 16);

    findControl<QPushButton>(window, "cmdClear")->click();
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(ring.size(), 0);
}

} // namespace
} // namespace vanta::test
