// The monitor without its window: entry texts, Monitor.val restore and save (never overwritten
// after a failed restore), row choices, rate menus and a changed instrument list.
#include "monitor/monitor_session.h"

#include "core/number_format.h"
#include "core/safe_file.h"
#include "monitor/monitor_file.h"
#include "monitor_rig.h"

#include <gtest/gtest.h>

namespace vanta::test {
namespace {

using monitor::noneEntryText;

TEST(MonitorRows, EntryTextsDecodeBackToTheirTarget)
{
    struct Case
    {
        const char *address;
        const char *protocol;
        int group;
        const char *entry;
        int decoded;
    };
    const Case cases[] = {
        {"1", "R", 2, "1   R2 Oven", 1},
        {"0A", "L", 0, "0A  L0 Oven", 10},
        {"255", "A", 1, "255 A1 Oven", 255},
        {"1000", "A", 1, "100 A1 Oven", 100}, // only three address characters count
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        core::InstrumentRecord record;
        record.InstAddress = QString::fromLatin1(c.address);
        record.InstName = QStringLiteral("Oven");
        record.InstProtocol = QString::fromLatin1(c.protocol);
        record.InstGroup = qint16(c.group);
        EXPECT_EQ(monitor::entryText(record), QString::fromLatin1(c.entry));
        const monitor::RowTarget target = monitor::decodeEntryText(QString::fromLatin1(c.entry));
        EXPECT_EQ(target.address, c.decoded);
        EXPECT_EQ(target.group, c.group);
        EXPECT_EQ(target.protocol, QString::fromLatin1(c.protocol));
    }
    EXPECT_EQ(noneEntryText(), QStringLiteral("00      [none]"));
    for (const char *text : {"00      [none]", "", "FF", "2Z  R0 Bad"})
        EXPECT_EQ(monitor::decodeEntryText(QString::fromLatin1(text)).address, 0) << text;
}

TEST(MonitorSession, RestoresListedRowsAndSavesThemBack)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("0A"), 0);
    rig.addRow(QStringLiteral("0B"), 0);
    // Line 1 names the second instrument, line 2 an instrument no longer listed, line 3 the
    // first one with a comma field after it.
    QStringList lines{"0B  R0 Zone 0B", "0C  R0 Zone 0C", "0A  R0 Zone 0A,extra"};
    while (lines.size() < monitor::MonitorRowCount)
        lines << noneEntryText();
    rig.folder.writeRaw(QStringLiteral("Monitor.val"), core::latin1Lines(lines));
    ASSERT_TRUE(rig.session.activate());
    const monitor::MonitorRows &rows = rig.session.rows();
    EXPECT_EQ(rows.row(0).Text, QStringLiteral("0B  R0 Zone 0B"));
    EXPECT_EQ(rows.row(1).Text, noneEntryText());
    EXPECT_EQ(rows.row(2).Text, QStringLiteral("0A  R0 Zone 0A"));
    EXPECT_EQ(rows.entries(), (QStringList{"0A  R0 Zone 0A", "0B  R0 Zone 0B", noneEntryText()}));

    rig.session.cbxControl_Click(39, QStringLiteral("0A  R0 Zone 0A"));
    rig.session.deactivate();
    const QStringList saved = rig.folder.lines(QStringLiteral("Monitor.val"));
    ASSERT_EQ(saved.size(), monitor::MonitorRowCount);
    EXPECT_EQ(saved.at(0), QStringLiteral("0B  R0 Zone 0B"));
    EXPECT_EQ(saved.at(1), noneEntryText());
    EXPECT_EQ(saved.at(39), QStringLiteral("0A  R0 Zone 0A"));
    EXPECT_TRUE(rig.user.boxes.empty());
}

TEST(MonitorSession, FailedRestoreReportsAndNeverOverwritesTheFile)
{
    struct Case
    {
        const char *name;
        QByteArray content; // empty: no file
        int lines;
    };
    const Case cases[] = {
        {"missing", {}, 0},
        {"short", "0A  R0 Zone 0A\r\n00      [none]\r\n", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MonitorRig rig;
        rig.addRow(QStringLiteral("0A"), 0);
        rig.folder.remove(QStringLiteral("Monitor.val"));
        if (!c.content.isEmpty())
            rig.folder.writeRaw(QStringLiteral("Monitor.val"), c.content);
        EXPECT_FALSE(rig.session.activate());
        ASSERT_EQ(rig.user.boxes.size(), 1u);
        EXPECT_EQ(rig.user.boxes[0].title, QStringLiteral("Application Error"));
        EXPECT_TRUE(rig.user.boxes[0].text.contains(QStringLiteral("mdiMonitor.Form_Activate")));
        EXPECT_TRUE(rig.session.pass().MonitorBusy); // row choices wait for a good activation
        rig.session.deactivate();
        EXPECT_EQ(rig.folder.lines(QStringLiteral("Monitor.val")).size(), c.lines);
    }
}

TEST(MonitorSession, RowChoiceEmptiesTheRowAndForcesAPass)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("0A"), 0);
    ASSERT_TRUE(rig.activate());
    monitor::MonitorRow &row = rig.session.rows().row(0);
    row.TempText = QStringLiteral("24.5 °C");
    row.RowDivisor = 10;
    row.Alarm1Sense = monitor::AlarmSense::Inverted;
    rig.session.pass().LastPvPollTime = 36000;

    rig.session.pass().MonitorBusy = true;
    rig.session.cbxControl_Click(0, noneEntryText());
    EXPECT_EQ(row.Text, QStringLiteral("0A  R0 Zone 0A")); // ignored while busy
    rig.session.pass().MonitorBusy = false;
    rig.session.cbxControl_Click(0, noneEntryText());
    EXPECT_EQ(row.Text, noneEntryText());
    EXPECT_EQ(row.TempText, QString());
    EXPECT_EQ(row.RowDivisor, 0);
    EXPECT_EQ(row.Alarm1Sense, monitor::AlarmSense::Unknown);
    EXPECT_EQ(rig.session.pass().LastPvPollTime, monitor::ForcePass);
}

TEST(MonitorSession, RateItemsSetTheRateCaptionAndSavedConfiguration)
{
    struct Case
    {
        int item;
        float rate;
        const char *caption;
    };
    const Case cases[] = {{0, 0.05f, "Process Variables (Now=.05 Sec.)"},
                          {4, 1, "Process Variables (Now=1 Sec.)"},
                          {10, 300, "Process Variables (Now=300 Sec.)"},
                          {11, 0, "Process Variables (Now=0 Sec.)"}};
    MonitorRig rig;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        rig.session.chooseRate(monitor::RateMenu::ProcessVariables, c.item);
        EXPECT_EQ(rig.app.Config.TempPollRate, c.rate);
        EXPECT_EQ(monitor::rateMenuCaption(monitor::RateMenu::ProcessVariables, c.rate),
                  QString::fromLatin1(c.caption));
        EXPECT_EQ(rig.folder.lines(QStringLiteral("VantaLnk3.cfg")).value(8),
                  core::signOrBlank(c.rate));
    }
    rig.session.chooseRate(monitor::RateMenu::Setpoints, 12); // no such item
    EXPECT_EQ(rig.app.Config.SPPollRate, 5);
    EXPECT_EQ(monitor::rateMenuCaption(monitor::RateMenu::Setpoints, 5),
              QStringLiteral("Setpoints (Now=5 Sec.)"));
}

TEST(MonitorSession, ChangedInstrumentListKeepsRowsStillListed)
{
    MonitorRig rig;
    rig.addRow(QStringLiteral("0A"), 0);
    rig.addRow(QStringLiteral("0B"), 0);
    ASSERT_TRUE(rig.activate());
    rig.app.Config.Instruments.erase(rig.app.Config.Instruments.begin());
    rig.session.instrumentListChanged();
    EXPECT_EQ(rig.session.rows().row(0).Text, noneEntryText());
    EXPECT_EQ(rig.session.rows().row(1).Text, QStringLiteral("0B  R0 Zone 0B"));
    EXPECT_EQ(rig.session.rows().entries().size(), 2);
}

} // namespace
} // namespace vanta::test
