// The register and Vanta Link windows: routing, the write password, remembered fields, the
// refusals of malformed input and the messages received.
#include "diagnostics/frmRegister.h"
#include "diagnostics/frmVantaLink.h"
#include "monitor/status_rig.h"
#include "support/window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace vanta::test {
namespace {

// The function code of a Modbus request as sent: RTU byte 1, ASCII the second hex pair.
int functionCode(const QByteArray &request, const QString &protocol)
{
    if (protocol == QLatin1String("R"))
        return static_cast<quint8>(request.at(1));
    return request.mid(3, 2).toInt(nullptr, 16);
}

template <typename Window>
struct RawWindowRig
{
    RawWindowRig(int group, const QString &protocol) : rig(group, protocol)
    {
        rig.app.Tables.RawWritePassword = QStringLiteral("Secret");
    }
    std::unique_ptr<Window> open()
    {
        auto window = std::make_unique<Window>(navigator.context(), memory);
        window->activated();
        return window;
    }
    void set(Window &window, const char *name, const QString &text)
    {
        findControl<QLineEdit>(window, name)->setText(text);
    }
    QString error(const Window &window)
    {
        return findControl<QLabel>(window, "lblErrorMessageText")->text();
    }

    StatusRig rig;
    ui::Navigator navigator{rig.app, rig.link};
    std::shared_ptr<diagnostics::RawAccessMemory> memory =
        std::make_shared<diagnostics::RawAccessMemory>();
};

using RegisterRig = RawWindowRig<diagnostics::frmRegister>;
using CommandRig = RawWindowRig<diagnostics::frmVantaLink>;

struct RoutingCase
{
    int group;
    const char *protocol;
    bool native;
    const char *registerText;
    int function;
};

TEST(FrmRegisterTest, RoutesByModeGroupAndProtocol)
{
    const RoutingCase cases[] = {
        {0, "R", false, "2", 3},   {0, "R", true, "2", 3}, // group 0 is always cross-referenced
        {1, "R", true, "12", 103}, {1, "R", true, "810", 2}, {1, "R", true, "1000", 3},
        {1, "A", true, "13", 103}, {1, "R", false, "2", 3},  {2, "A", true, "1000", 3},
    };
    for (const RoutingCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << c.protocol << c.native << c.registerText);
        RegisterRig rig(c.group, QString::fromLatin1(c.protocol));
        const int address = c.group == 0 ? 50 : 1;
        auto words = std::make_shared<RegisterMap>(
            RegisterMap{{0x12, 1}, {0x13, 1}, {0x810, 1}, {0x1000, 77}, {1, 77}});
        rig.rig.answerWith(c.protocol[0] == 'R' ? modbusRtuInstrument(address, words)
                                                : modbusAsciiInstrument(address, words));
        auto window = rig.open();
        EXPECT_EQ(findControl<QRadioButton>(*window, "optUseNative_0")->isEnabled(), c.group != 0);
        findControl<QRadioButton>(*window, c.native ? "optUseNative_0" : "optUseNative_1")
            ->setChecked(true);
        rig.set(*window, "txtRegisterNumber", QString::fromLatin1(c.registerText));
        window->cmdRead_Click();
        ASSERT_FALSE(rig.rig.line.requests.empty());
        EXPECT_EQ(functionCode(rig.rig.line.requests.front(), QString::fromLatin1(c.protocol)),
                  c.function);
    }
}

TEST(FrmRegisterTest, NativeBitRegisterIsWrittenAsACoil)
{
    RegisterRig rig(1, QStringLiteral("R"));
    rig.rig.answerWith(
        modbusRtuInstrument(1, std::make_shared<RegisterMap>(RegisterMap{{0x810, 0}})));
    auto window = rig.open();
    findControl<QRadioButton>(*window, "optUseNative_0")->setChecked(true);
    rig.set(*window, "txtRegisterNumber", QStringLiteral("810"));
    rig.set(*window, "txtValue", QStringLiteral("1"));
    rig.set(*window, "txtPassword", QStringLiteral("  sECRET "));
    window->cmdWrite_Click();
    ASSERT_EQ(rig.rig.line.requests.size(), 1U);
    EXPECT_EQ(functionCode(rig.rig.line.requests.front(), QStringLiteral("R")), 5);
    EXPECT_EQ(rig.error(*window), QString());
    EXPECT_TRUE(rig.rig.user.boxes.empty());
}

TEST(FrmRegisterTest, WrongPasswordWritesNothingAndKeepsTheCaption)
{
    RegisterRig rig(1, QStringLiteral("R"));
    rig.rig.answerWith(silentInstrument());
    auto window = rig.open();
    rig.set(*window, "txtRegisterNumber", QStringLiteral("2"));
    window->cmdRead_Click();
    const QString previous = rig.error(*window);
    ASSERT_FALSE(previous.isEmpty());
    rig.rig.line.requests.clear();
    rig.set(*window, "txtValue", QStringLiteral("5"));
    rig.set(*window, "txtPassword", QStringLiteral("secrets"));
    window->cmdWrite_Click();
    EXPECT_TRUE(rig.rig.line.requests.empty());
    EXPECT_EQ(rig.error(*window), previous);
    ASSERT_EQ(rig.rig.user.boxes.size(), 1U);
    EXPECT_EQ(rig.rig.user.boxes[0].title, QStringLiteral("Password Incorrect"));
    EXPECT_EQ(rig.rig.user.boxes[0].text,
              QStringLiteral("The password entered is not correct to allow writes."));
}

struct RefusalCase
{
    int group;
    const char *protocol;
    bool native;
    const char *address;
    const char *registerText;
    const char *value; // null: a read
    const char *text;
};

TEST(FrmRegisterTest, RefusesMalformedInputWithoutSending)
{
    const RefusalCase cases[] = {
        {0, "R", false, "1FF", "2", "5", "Address 1FF:Invalid instrument address"},
        {1, "R", false, "0", "2", "5", "Address 000:Invalid instrument address"},
        {1, "R", false, "001", "2", "", "Address 001:Value to write is not a number > (empty)"},
        {1, "R", false, "001", "2", "abc", "Address 001:Value to write is not a number > abc"},
        {1, "R", false, "001", "99999999999", nullptr,
         "Address 001:Invalid instrument Read Register > 99999999999"},
        {1, "R", false, "001", "70000", "1",
         "Address 001:Invalid instrument write Register > 70000"},
        {1, "R", true, "001", "FFFFFFFFF", nullptr,
         "Address 001:Invalid Modbus Register > FFFFFFFFF"},
        {1, "R", true, "001", "12G", "1", "Address 001:Invalid Modbus Register > 12G"},
        {1, "L", true, "001", "1000", nullptr,
         "Address 001:Invalid protocol code > L for controller group 1"},
        {2, "R", true, "001", "1000", "1",
         "Address 001:Invalid protocol code > R for controller group 2"},
        {1, "X", true, "001", "1000", nullptr, "Address 001:Invalid protocol code >X"},
    };
    for (const RefusalCase &c : cases) {
        SCOPED_TRACE(c.text);
        RegisterRig rig(c.group, QString::fromLatin1(c.protocol));
        auto window = rig.open();
        findControl<QRadioButton>(*window, c.native ? "optUseNative_0" : "optUseNative_1")
            ->setChecked(true);
        findControl<QComboBox>(*window, "cbxAddress")->setEditText(QString::fromLatin1(c.address));
        rig.set(*window, "txtRegisterNumber", QString::fromLatin1(c.registerText));
        rig.set(*window, "txtPassword", QStringLiteral("secret"));
        if (c.value != nullptr) {
            rig.set(*window, "txtValue", QString::fromLatin1(c.value));
            window->cmdWrite_Click();
        } else {
            window->cmdRead_Click();
        }
        EXPECT_TRUE(rig.rig.line.requests.empty());
        EXPECT_EQ(rig.error(*window), QString::fromLatin1(c.text));
    }
}

TEST(FrmRegisterTest, RemembersFieldsOnlyWithinTheSameGroup)
{
    RegisterRig rig(1, QStringLiteral("R"));
    {
        auto window = rig.open();
        findControl<QComboBox>(*window, "cbxAddress")->setEditText(QStringLiteral("005"));
        rig.set(*window, "txtRegisterNumber", QStringLiteral("12"));
        findControl<QRadioButton>(*window, "optUseNative_0")->setChecked(true);
    }
    {
        auto window = rig.open();
        EXPECT_EQ(findControl<QComboBox>(*window, "cbxAddress")->currentText(), "005");
        EXPECT_EQ(findControl<QLineEdit>(*window, "txtRegisterNumber")->text(), "12");
        EXPECT_TRUE(findControl<QRadioButton>(*window, "optUseNative_0")->isChecked());
    }
    rig.rig.app.Config.ControllerGroup = 2;
    auto window = rig.open();
    EXPECT_EQ(findControl<QLineEdit>(*window, "txtRegisterNumber")->text(), QString());
    EXPECT_EQ(findControl<QComboBox>(*window, "cbxAddress")->currentText(), "001");
}

TEST(FrmRegisterTest, DemoModeReadsZeroWithoutSending)
{
    RegisterRig rig(0, QStringLiteral("L"));
    rig.rig.app.setDemoMode(true);
    auto window = rig.open();
    EXPECT_FALSE(findControl<QLabel>(*window, "lblDemoMode")->isHidden());
    rig.set(*window, "txtRegisterNumber", QStringLiteral("2"));
    window->cmdRead_Click();
    EXPECT_EQ(findControl<QLineEdit>(*window, "txtValue")->text(), QStringLiteral("0"));
    EXPECT_TRUE(rig.rig.line.requests.empty());
}

TEST(FrmVantaLinkTest, ShowsValueAndOneLinePerMessage)
{
    CommandRig rig(0, QStringLiteral("L"));
    rig.rig.answerWith(vantaLinkInstrument(50, {{0, QByteArrayLiteral("0C000123")}}));
    {
        auto window = rig.open();
        EXPECT_EQ(findControl<QComboBox>(*window, "cbxAddress")->currentText(), "32");
        EXPECT_EQ(findControl<QLineEdit>(*window, "txtCommand")->text(), QString());
        rig.set(*window, "txtCommand", QStringLiteral("00"));
        window->cmdRead_Click();
        window->cmdRead_Click();
        EXPECT_EQ(rig.error(*window), QString());
        EXPECT_EQ(findControl<QLineEdit>(*window, "txtValue")->text(), QStringLiteral("123"));
        const QStringList lines =
            findControl<QPlainTextEdit>(*window, "txtReply")->toPlainText().split('\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_FALSE(lines[0].isEmpty());
        EXPECT_EQ(lines[0], lines[1]);
        EXPECT_TRUE(lines[0].contains(QStringLiteral("0C000123")));
        findControl<QComboBox>(*window, "cbxAddress")->setEditText(QStringLiteral("0A"));
    }
    auto window = rig.open();
    EXPECT_EQ(findControl<QComboBox>(*window, "cbxAddress")->currentText(), "0A");
    EXPECT_EQ(findControl<QLineEdit>(*window, "txtCommand")->text(), "00");
}

struct CommandWriteCase
{
    const char *command;
    const char *value;
    bool hex;
    const char *data; // sent in the frame; null: nothing is sent
    const char *text;
};

TEST(FrmVantaLinkTest, WritesHexadecimalAndDecimalValues)
{
    const CommandWriteCase cases[] = {
        {"200", "FFFF", true, "FFFF00", ""},
        {"200", "1234", true, "123400", ""},
        {"200", "-1", false, "0001FF", ""},
        {"200", "4660", false, "466000", ""},
        {"200", "12345", true, nullptr,
         "Address 32:Value to write is not four hexadecimal digits > 12345"},
        {"200", "", false, nullptr, "Address 32:Value to write is not a number > (empty)"},
        {"2G0", "1", false, nullptr, "Address 32:Invalid Vanta Link command code > 2G0"},
    };
    for (const CommandWriteCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << c.hex);
        CommandRig rig(0, QStringLiteral("L"));
        rig.rig.answerWith(vantaLinkInstrument(50, {}));
        auto window = rig.open();
        rig.set(*window, "txtCommand", QString::fromLatin1(c.command));
        rig.set(*window, "txtValue", QString::fromLatin1(c.value));
        rig.set(*window, "txtPassword", QStringLiteral("SECRET"));
        findControl<QCheckBox>(*window, "chkHexadecimal")->setChecked(c.hex);
        window->cmdWrite_Click();
        EXPECT_EQ(rig.error(*window), QString::fromLatin1(c.text));
        if (c.data == nullptr) {
            EXPECT_TRUE(rig.rig.line.requests.empty());
            continue;
        }
        ASSERT_EQ(rig.rig.line.requests.size(), 1U);
        EXPECT_TRUE(rig.rig.line.requests[0].contains(c.data)) << rig.rig.line.requests[0].data();
    }
}

TEST(FrmVantaLinkTest, ReadOfAWriteCommandIsRefusedAndDemoListsNothing)
{
    CommandRig rig(0, QStringLiteral("L"));
    auto window = rig.open();
    rig.set(*window, "txtCommand", QStringLiteral("200"));
    window->cmdRead_Click();
    EXPECT_FALSE(rig.error(*window).isEmpty());
    EXPECT_TRUE(rig.rig.line.requests.empty());

    rig.rig.app.setDemoMode(true);
    rig.set(*window, "txtCommand", QStringLiteral("00"));
    window->cmdRead_Click();
    EXPECT_EQ(rig.error(*window), QString());
    EXPECT_EQ(findControl<QLineEdit>(*window, "txtValue")->text(), QStringLiteral("0"));
    EXPECT_EQ(findControl<QPlainTextEdit>(*window, "txtReply")->toPlainText(), QString());
    EXPECT_TRUE(rig.rig.line.requests.empty());
}

} // namespace
} // namespace vanta::test
