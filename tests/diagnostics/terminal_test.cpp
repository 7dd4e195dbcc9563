// The terminal: batches of received characters, the 16,000-character rollover, insertion at the
// caret, keys sent without echo, and the port loan while active.
#include "diagnostics/frmTerminal.h"
#include "monitor/status_rig.h"
#include "support/window_controls.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

class FrmTerminalTest : public ::testing::Test
{
protected:
    QPlainTextEdit *box() { return findControl<QPlainTextEdit>(window, "txtReply"); }
    QString text() { return box()->toPlainText(); }
    void type(int key, const QString &keyText)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keyText);
        QCoreApplication::sendEvent(box(), &press);
    }

    StatusRig rig{0};
    ui::Navigator navigator{rig.app, rig.link};
    diagnostics::frmTerminal window{navigator.context()};
};

TEST_F(FrmTerminalTest, ShowsABurstInBatchesWhileActive)
{
    window.activated();
    EXPECT_TRUE(rig.app.PortBorrowed());
    rig.line.queueInput(QByteArray(200, 'a'));
    EXPECT_EQ(text().size(), diagnostics::TerminalBatchSize); // the rest after window events
    for (int pass = 0; pass < 10 && rig.line.inBufferCount() > 0; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(text(), QString(200, 'a'));

    window.deactivated();
    EXPECT_FALSE(rig.app.PortBorrowed());
    rig.line.queueInput(QByteArrayLiteral("xy"));
    EXPECT_EQ(text().size(), 200); // waits in the port until the next activation
    window.activated();
    EXPECT_TRUE(text().endsWith(QStringLiteral("xy")));
}

TEST_F(FrmTerminalTest, FullBoxEmptiesBeforeTheNextCharacterAndInsertsAtTheCaret)
{
    window.activated();
    box()->setPlainText(QString(diagnostics::MaxReceivedChars - 1, 'a'));
    rig.line.queueInput(QByteArrayLiteral("bc"));
    EXPECT_EQ(text(), QStringLiteral("c"));

    box()->setPlainText(QStringLiteral("1234"));
    QTextCursor caret = box()->textCursor();
    caret.setPosition(2);
    box()->setTextCursor(caret);
    rig.line.queueInput(QByteArrayLiteral("x\r\ny"));
    EXPECT_EQ(text(), QStringLiteral("12x\ny34"));
}

TEST_F(FrmTerminalTest, TypedKeysAreSentNotShownAndNothingGoesOutOnAClosedPort)
{
    window.activated();
    type(Qt::Key_A, QStringLiteral("A"));
    type(Qt::Key_Return, QStringLiteral("\r"));
    ASSERT_EQ(rig.line.requests.size(), 2U);
    EXPECT_EQ(rig.line.requests[0], QByteArrayLiteral("A"));
    EXPECT_EQ(rig.line.requests[1], QByteArrayLiteral("\r"));
    EXPECT_EQ(text(), QString());

    rig.line.setPortOpen(false);
    type(Qt::Key_B, QStringLiteral("B"));
    EXPECT_EQ(rig.line.requests.size(), 2U);
    EXPECT_EQ(text(), QString());
    EXPECT_TRUE(rig.user.boxes.empty());
}

} // namespace
} // namespace vanta::test
