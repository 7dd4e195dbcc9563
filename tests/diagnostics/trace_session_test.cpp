// The protocol trace window against vantasim: for each protocol a read whose first reply has a
// bad check (answered right on the retry) and a write the instrument refuses, decoded row by row.
#include "diagnostics/frmTrace.h"
#include "integration/sim_line.h"
#include "support/window_controls.h"
#include "ui/navigator.h"

#include <QAbstractItemModel>
#include <QTableView>

namespace vanta::test {
namespace {

struct SimSessionCase
{
    const char *instrument;
    int group;
    const char *protocol;
    const char *goodCheck;
    const char *badCheck;
    const char *refusal; // the end of the refused write's meaning
};

const SimSessionCase SimSessionCases[] = {
    {"vl", 0, "L", "checksum good", "checksum bad", "negative acknowledge 03 Illegal Data Value"},
    {"rtu", 1, "R", "CRC good", "CRC bad", "exception 03 Illegal Data Value"},
    {"ascii", 2, "A", "LRC good", "LRC bad", "exception 03 Illegal Data Value"},
};

const QByteArray SimLine = "[instrument vl]\ngroup = 0\nprotocol = L\naddress = 01\nmodel = Z9\n"
                           "settings = 9600,N,8,1\n"
                           "[instrument rtu]\ngroup = 1\nprotocol = R\naddress = 1\nmodel = XK\n"
                           "settings = 9600,N,8,1\n"
                           "[instrument ascii]\ngroup = 2\nprotocol = A\naddress = 1\nmodel = XW\n"
                           "settings = 9600,N,8,1\n";

constexpr int MeaningColumn = 7;
constexpr int CheckColumn = 8;

QString cell(const QAbstractItemModel &rows, int row, int column)
{
    return rows.data(rows.index(row, column)).toString();
}

QString dump(const QAbstractItemModel &rows)
{
    QString text;
    for (int row = 0; row < rows.rowCount(); ++row) {
        for (int column = 0; column < rows.columnCount(); ++column)
            text += cell(rows, row, column) + QLatin1Char('|');
        text += QLatin1Char('\n');
    }
    return text;
}

TEST(FrmTrace, ShowsASimulatedSessionOfEachProtocol)
{
    for (const SimSessionCase &c : SimSessionCases) {
        SCOPED_TRACE(c.protocol);
        SimulatorProcess sim(SimLine,
                             {"--fault", QStringLiteral("@%1 badcheck next 1").arg(c.instrument)});
        ASSERT_TRUE(sim.ready());
        ApplicationSide side(sim.link(), 300);
        ASSERT_TRUE(side.open(QStringLiteral("9600,N,8,1")));
        comms::TraceRing ring(side.clock);
        side.link.trace = ring.hook();
        EXPECT_EQ(side.read(c.group, c.protocol, 1, 2).status, 0);
        EXPECT_EQ(side.write(c.group, c.protocol, 1, 258, -5000).status, 3);

        ui::Navigator navigator(side.app, side.link);
        diagnostics::frmTrace window(navigator.context(), ring);
        window.show();
        const QAbstractItemModel &rows = *findControl<QTableView>(window, "grdTrace")->model();
        const std::string all = dump(rows).toStdString();
        ASSERT_EQ(rows.rowCount(), 6)
            << all; // the read twice, its two replies, the write, its reply
        EXPECT_EQ(cell(rows, 1, CheckColumn), QString::fromLatin1(c.badCheck)) << all;
        EXPECT_EQ(cell(rows, 2, 9), QStringLiteral("attempt 2")) << all;
        EXPECT_EQ(cell(rows, 3, CheckColumn), QString::fromLatin1(c.goodCheck)) << all;
        EXPECT_TRUE(cell(rows, 5, MeaningColumn).endsWith(QLatin1String(c.refusal))) << all;
        side.link.trace = nullptr;
    }
}

} // namespace
} // namespace vanta::test
