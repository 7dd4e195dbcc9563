// Shared widget helpers: accessible ids, Enter as Tab, message boxes, the handler frame.
#include "core/app_error.h"
#include "support/scripted_interaction.h"
#include "ui/accessible_ids.h"
#include "ui/enter_as_tab.h"
#include "ui/qt_interaction.h"
#include "ui/run_handler.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

void pressKey(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, key == Qt::Key_Tab ? QString() : "\r");
    QCoreApplication::sendEvent(widget, &press);
}

class AccessibleIdsTest : public ::testing::Test
{
protected:
    void TearDown() override { qunsetenv("VANTA_ACCESSIBLE_IDS"); }
};

TEST_F(AccessibleIdsTest, CopiesObjectNamesOnlyWhenAsked)
{
    QWidget window;
    window.setObjectName(QStringLiteral("frmFind"));
    auto *button = new QPushButton(&window);
    button->setObjectName(QStringLiteral("cmdStartSearch"));
    auto *unnamed = new QLineEdit(&window);

    ui::applyAccessibleIds(&window);
    EXPECT_TRUE(button->accessibleDescription().isEmpty());

    qputenv("VANTA_ACCESSIBLE_IDS", "1");
    ui::applyAccessibleIds(&window);
    EXPECT_EQ(window.accessibleDescription(), QStringLiteral("frmFind"));
    EXPECT_EQ(button->accessibleDescription(), QStringLiteral("cmdStartSearch"));
    EXPECT_TRUE(unnamed->accessibleDescription().isEmpty());
}

TEST(EnterAsTab, MovesFocusFromFieldsButNotFromMultiLineText)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *notes = new QPlainTextEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(notes);
    ui::installEnterAsTab(&window);
    ui::installEnterAsTab(&window); // twice: still one step per Enter
    window.show();
    QApplication::setActiveWindow(&window);

    first->setFocus();
    pressKey(first, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());
    pressKey(second, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(notes->hasFocus());
    pressKey(notes, Qt::Key_Return);
    EXPECT_TRUE(notes->hasFocus());
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("\n"));
}

TEST(QtInteraction, FileFiltersTakeQtsForm)
{
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("CSV Files|*.csv")),
              QStringLiteral("CSV Files (*.csv)"));
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Logs|*.csv;*.txt|All Files|*.*")),
              QStringLiteral("Logs (*.csv *.txt);;All Files (*.*)"));
}

// Answers the box that opens next: presses the button with `text`, or closes the box.
void answerNextBox(const QString &text, QString *defaultText)
{
    QTimer::singleShot(0, [text, defaultText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (defaultText != nullptr && box->defaultButton() != nullptr)
            *defaultText = box->defaultButton()->text();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == text) {
                button->click();
                return;
            }
        }
        box->close();
    });
}

TEST(QtInteraction, MessageBoxesAnswerWithTheirButtonsAndDefaults)
{
    ui::QtInteraction interaction;
    QString defaultText;
    answerNextBox(QStringLiteral("Yes"), &defaultText);
    EXPECT_EQ(interaction.MsgBox(QStringLiteral("Stop?"), core::MsgButtons::YesNo,
                                 core::MsgIcon::Question, QStringLiteral("Stop Logging?"),
                                 core::MsgResult::No),
              core::MsgResult::Yes);
    EXPECT_EQ(defaultText, QStringLiteral("No"));

    answerNextBox(QString(), nullptr); // closed without a button
    EXPECT_EQ(interaction.MsgBox(QStringLiteral("Stop?"), core::MsgButtons::YesNo,
                                 core::MsgIcon::Question, QStringLiteral("Stop Logging?"),
                                 core::MsgResult::Yes),
              core::MsgResult::No);

    answerNextBox(QStringLiteral("OK"), nullptr);
    EXPECT_EQ(interaction.MsgBox(QStringLiteral("Done"), core::MsgButtons::Ok,
                                 core::MsgIcon::Information, QStringLiteral("Info"),
                                 core::MsgResult::Ok),
              core::MsgResult::Ok);
}

// Runs `answer` on the modal window that opens next and records the window it opened over.
template <typename Dialog, typename Answer>
void onNextDialog(QWidget **openedOver, Answer answer)
{
    QTimer::singleShot(0, [openedOver, answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *openedOver = dialog->parentWidget();
        answer(*dialog);
    });
}

TEST(QtInteraction, BoxesAndDialogsOpenOverTheActiveModalWindow)
{
    QDialog owner;
    owner.setModal(true);
    owner.show();
    ui::QtInteraction interaction;
    QWidget *openedOver = nullptr;

    onNextDialog<QMessageBox>(&openedOver, [](QMessageBox &box) { box.close(); });
    interaction.MsgBox(QStringLiteral("Done"), core::MsgButtons::Ok, core::MsgIcon::Information,
                       QStringLiteral("Info"), core::MsgResult::Ok);
    EXPECT_EQ(openedOver, &owner);

    const QTemporaryDir folder;
    openedOver = nullptr;
    onNextDialog<QFileDialog>(&openedOver, [&folder](QFileDialog &dialog) {
        dialog.setDirectory(folder.path());
        static_cast<QDialog &>(dialog).accept(); // QFileDialog::accept is protected
    });
    const std::optional<QString> chosen =
        interaction.chooseFolder({QStringLiteral("Log Folder"), folder.path()});
    EXPECT_EQ(openedOver, &owner);
    EXPECT_EQ(chosen, std::optional<QString>(folder.path()));

    openedOver = nullptr;
    onNextDialog<QPrintDialog>(&openedOver, [](QPrintDialog &dialog) { dialog.reject(); });
    EXPECT_FALSE(interaction.choosePrintTarget({QStringLiteral("Print Graph"), {}}));
    EXPECT_EQ(openedOver, &owner);
}

TEST(RunHandler, ReportsAFailureUnderTheRoutineAndEndsTheHandler)
{
    ScriptedInteraction user;
    ui::runHandler(user, "frmLogging.cmdStart_Click", [&] {
        const core::BusyPointer busy(user);
        throw core::AppError{core::ErrorNumber::FileNotFound, QStringLiteral("File not found")};
    });
    EXPECT_EQ(user.busyDepth, 0); // the pointer is back to normal
    ASSERT_EQ(user.boxes.size(), 1u);
    EXPECT_EQ(user.boxes[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(user.boxes[0].text, QStringLiteral("An application error has occurred:\r"
                                                 "Error Code 53 - File not found\r"
                                                 "Routine - frmLogging.cmdStart_Click"));

    ui::runHandler(user, "frmLogging.cmdStop_Click", [] {});
    EXPECT_EQ(user.boxes.size(), 1u);
}

} // namespace
} // namespace vanta::test
