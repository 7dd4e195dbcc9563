// The data file reader, its number conversions, and the field, cross-reference and password
// loaders.
#include "core/table_files.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/data_file_reader.h"
#include "support/scripted_interaction.h"
#include "support/temp_program_folder.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

using namespace vanta::core;
using vanta::test::ScriptedInteraction;
using vanta::test::TempProgramFolder;

namespace {

QStringList readAllValues(const QByteArray &content)
{
    DataFileReader reader(content);
    QStringList values;
    while (!reader.atEnd())
        values << reader.readValue();
    return values;
}

TEST(DataFileReader, SplitsValuesAtCommasAndLineEnds)
{
    struct Case
    {
        QByteArray content;
        QStringList values;
    };
    const Case cases[] = {
        {"1,2\r\n3\n4\r5", {"1", "2", "3", "4", "5"}},
        {"  a b  , \"c, d\" ,e\t\r\n", {"a b", "c, d", "e"}},
        {"\"quoted\"junk,next\r\n", {"quoted", "next"}},
        {"\"open quote\r\nnext", {"open quote", "next"}},
        {"1,,3\r\n", {"1", "", "3"}},
        {"1,\r\n2\r\n", {"1", "", "2"}}, // the line end after the comma ends an empty value
        {"1\r\n\r\n   \r\n2\r\n\r\n", {"1", "2"}}, // blank lines hold no values
        {"\"\"\r\n", {""}},
        {"caf\xe9", {QStringLiteral("caf\u00e9")}}, // Latin-1
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content.constData());
        EXPECT_EQ(readAllValues(c.content), c.values);
    }
}

TEST(DataFileReader, ReportsMissingValuesAndLines)
{
    DataFileReader trailingComma("1,2,");
    trailingComma.readValue();
    trailingComma.readValue();
    EXPECT_TRUE(trailingComma.atEnd());
    EXPECT_EQ(trailingComma.readValue(), ""); // the comma promised one more value
    try {
        trailingComma.readValue();
        FAIL() << "read past the end";
    } catch (const AppError &error) {
        EXPECT_EQ(error.number, 62);
        EXPECT_EQ(error.description, "Input past end of file");
    }

    DataFileReader headers("one\r\ntwo\r\n");
    EXPECT_EQ(headers.readLine(), "one");
    EXPECT_THROW(headers.skipLines(2), AppError);
}

TEST(DataFileReader, ConvertsNumbersStrictly)
{
    struct Case
    {
        std::function<qint64()> convert;
        const char *text;
        qint64 value; // when error is 0
        int error;
    };
    const auto reg = [](const char *t) { return [t] { return parseRegisterText(t); }; };
    const auto hex = [](const char *t) { return [t] { return qint64(parseHexText(t)); }; };
    const auto int16 = [](const char *t) { return [t] { return qint64(parseInt16Text(t)); }; };
    const Case cases[] = {
        {reg("1A2H"), "1A2H", 418, 0}, {reg(" 1a2h "), "1a2h", 418, 0},
        {reg("258"), "258", 258, 0},   {reg("-5"), "-5", -5, 0},
        {reg(""), "empty", 0, 0},      {reg("99999"), "99999", 99999, 0},
        {reg("12x"), "12x", 0, 13},    {reg("H"), "H", 0, 13},
        {reg("0x10"), "0x10", 0, 13},  {reg("99999999999999999999"), "huge", 0, 6},
        {hex("2A0"), "2A0", 672, 0},   {hex("ffff"), "ffff", 0xFFFF, 0},
        {hex("10000"), "10000", 0, 6}, {hex("-1"), "-1", 0, 13},
        {hex("0A h"), "0A h", 0, 13},  {int16("-32768"), "-32768", -32768, 0},
        {int16("+7"), "+7", 7, 0},     {int16("32768"), "32768", 0, 6},
        {int16("1.5"), "1.5", 0, 13},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            EXPECT_EQ(c.convert(), c.value);
            EXPECT_EQ(c.error, 0);
        } catch (const AppError &error) {
            EXPECT_EQ(error.number, c.error);
        }
    }
    EXPECT_TRUE(isNoneText(" ?? "));
    EXPECT_TRUE(isNoneText(""));
    EXPECT_FALSE(isNoneText("?"));
}

class TableFilesTest : public ::testing::Test
{
protected:
    TempProgramFolder folder;
    AppState app{folder.path()};
    ScriptedInteraction ui;

    static QString invalidRegisterText(const QString &number, const QString &file)
    {
        return QStringLiteral("The Modbus Register ") + number + QStringLiteral(" in file >") +
               file + QStringLiteral(" is invalid.  This may cause improper configuration data.");
    }
    void expectInvalidRegisterBoxes(const QStringList &numbers, const QString &file) const
    {
        ASSERT_EQ(ui.boxes.size(), size_t(numbers.size()));
        for (int i = 0; i < numbers.size(); ++i) {
            EXPECT_EQ(ui.boxes[i].title, "Invalid Modbus Register");
            EXPECT_EQ(ui.boxes[i].icon, MsgIcon::Critical);
            EXPECT_EQ(ui.boxes[i].text, invalidRegisterText(numbers[i], file));
        }
    }
};

TEST_F(TableFilesTest, VantaXrefReadsHexCommandsAndSkipsInvalidRegisters)
{
    app.Tables.setVantaXref(5, 1, 2); // from an earlier read: gone after this one
    folder.writeDataFile("VantaXref.TXT", "1794,0A,??\r\n"
                                          "0,01,0201\r\n"
                                          "\"258\",\"0101\",\"0201\"\r\n"
                                          "2,00,\r\n"
                                          "20481,01,02\r\n"
                                          "330H,FFFF,\r\n");

    ReadVantaXrefFile(app, ui);

    expectInvalidRegisterBoxes({"0", "20481"}, "VantaXref.TXT");
    EXPECT_EQ(app.Tables.VantaXref(1794, 1), 10);
    EXPECT_EQ(app.Tables.VantaXref(1794, 2), -1);
    EXPECT_EQ(app.Tables.VantaXref(258, 1), 0x101);
    EXPECT_EQ(app.Tables.VantaXref(258, 2), 0x201);
    EXPECT_EQ(app.Tables.VantaXref(2, 1), 0);
    EXPECT_EQ(app.Tables.VantaXref(2, 2), -1);
    EXPECT_EQ(app.Tables.VantaXref(0x330, 1), 0xFFFF); // never mistaken for "none"
    EXPECT_EQ(app.Tables.VantaXref(5, 1), -1);
}

TEST_F(TableFilesTest, WireRegisterTablesSetTheirIdentityRanges)
{
    folder.writeDataFile("xxKXref.TXT", "1A2H,2A0\r\n2,1000\r\n3,??\r\n2064,0\r\n0,5\r\n");
    folder.writeDataFile("xxWXref.TXT", "2,4700\r\n4700H,1\r\n4800H,\r\n");

    ReadxxKXrefFile(app, ui);
    ReadxxWXrefFile(app, ui);

    expectInvalidRegisterBoxes({"0"}, "xxKXref.TXT");
    EXPECT_EQ(app.Tables.KXref(418), 672);
    EXPECT_EQ(app.Tables.KXref(2), 0x1000);
    EXPECT_EQ(app.Tables.KXref(3), -1);
    EXPECT_EQ(app.Tables.KXref(4), -1);
    EXPECT_EQ(app.Tables.KXref(2063), -1);
    EXPECT_EQ(app.Tables.KXref(2064), 2064);
    EXPECT_EQ(app.Tables.KXref(20480), 20480);
    EXPECT_EQ(app.Tables.WXref(2), 0x4700);
    EXPECT_EQ(app.Tables.WXref(18175), -1);
    EXPECT_EQ(app.Tables.WXref(18176), 18176);
    EXPECT_EQ(app.Tables.WXref(0x4800), 0x4800);
}

TEST_F(TableFilesTest, CfgFieldSkipsBitFieldsWithoutBoxesAndInvalidRegisters)
{
    folder.writeDataFile("CfgField.TXT", "258,1,-9999,9999\r\n"
                                         "794,2,0,2\r\n"
                                         "797,3,0,15\r\n"
                                         "350,3,0,16\r\n"
                                         "351,3,-1,7\r\n"
                                         "1000H,1,0,0\r\n"
                                         "0,1,0,0\r\n");

    ReadCfgFieldFile(app, ui);

    expectInvalidRegisterBoxes({"350", "351", "0"}, "CfgField.TXT");
    EXPECT_EQ(app.Tables.CfgField(258, 1), 1);
    EXPECT_EQ(app.Tables.CfgField(258, 2), -9999);
    EXPECT_EQ(app.Tables.CfgField(258, 3), 9999);
    EXPECT_EQ(app.Tables.CfgField(794, 3), 2);
    EXPECT_EQ(app.Tables.CfgField(797, 3), 15);
    EXPECT_EQ(app.Tables.CfgField(350, 1), 0);
    EXPECT_EQ(app.Tables.CfgField(351, 1), 0);
    EXPECT_EQ(app.Tables.CfgField(0x1000, 1), 1);
}

TEST_F(TableFilesTest, ThousandsOfBadRowsRaiseFiveBoxesAndOneThatCountsTheRest)
{
    const struct
    {
        int badRows;
        const char *summary;
    } cases[] = {
        {10000, "9995 more rows of CfgField.TXT were skipped with errors."},
        {6, "1 more row of CfgField.TXT was skipped with errors."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.badRows);
        ui.boxes.clear();
        folder.writeDataFile("CfgField.TXT",
                             "258,1,0,10\r\n" + QByteArray("0,1,0,0\r\n").repeated(c.badRows));

        ReadCfgFieldFile(app, ui);

        ASSERT_EQ(ui.boxes.size(), 6u);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(ui.boxes[i].text, invalidRegisterText("0", "CfgField.TXT"));
        EXPECT_EQ(ui.boxes[5].title, "Invalid Modbus Register");
        EXPECT_EQ(ui.boxes[5].text, c.summary);
        EXPECT_EQ(app.Tables.CfgField(258, 3), 10);
    }
}

TEST_F(TableFilesTest, PasswordIsTheFirstValueAfterTheHeaders)
{
    folder.writeDataFile("Password.txt", "\"Open, Sesame \"\r\nignored\r\n");
    ReadPasswordFile(app, ui);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(app.Tables.RawWritePassword, "Open, Sesame ");
}

// Each loader's own file name and routine in the file error report.
struct Loader
{
    void (*read)(AppState &, Interaction &);
    const char *fileName;
    const char *routine;
    QByteArray firstRecord; // a good record, kept when a later one fails
    std::function<bool(const AppState &)> firstRecordKept;
};

TEST_F(TableFilesTest, FileFailuresAreReportedAndTheTableKeepsWhatWasRead)
{
    const Loader loaders[] = {
        {ReadCfgFieldFile, "CfgField.TXT", "modVanta.ReadCfgFieldFile", "258,1,0,10\r\n",
         [](const AppState &a) { return a.Tables.CfgField(258, 3) == 10; }},
        {ReadVantaXrefFile, "VantaXref.TXT", "modVanta.ReadVantaXrefFile", "258,01,0201\r\n",
         [](const AppState &a) { return a.Tables.VantaXref(258, 2) == 0x201; }},
        {ReadxxKXrefFile, "xxKXref.TXT", "modVanta.ReadxxKXrefFile", "2,1000\r\n",
         [](const AppState &a) { return a.Tables.KXref(2) == 0x1000; }},
        {ReadxxWXrefFile, "xxWXref.TXT", "modVanta.ReadxxWXrefFile", "2,4700\r\n",
         [](const AppState &a) { return a.Tables.WXref(2) == 0x4700; }},
    };
    struct Failure
    {
        QByteArray badRecord; // empty: the file is missing
        const char *error;
    };
    const Failure failures[] = {
        {{}, "53 - File not found"},
        {"x2,1,1,1\r\n", "13 - Type mismatch"},
        {"3", "62 - Input past end of file"},
    };
    for (const Loader &loader : loaders) {
        for (const Failure &failure : failures) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(loader.fileName, failure.error).toStdString());
            AppState state(folder.path());
            ui.boxes.clear();
            folder.remove(loader.fileName);
            if (!failure.badRecord.isEmpty())
                folder.writeDataFile(loader.fileName, loader.firstRecord + failure.badRecord);

            loader.read(state, ui);

            ASSERT_EQ(ui.boxes.size(), 1u);
            EXPECT_EQ(ui.boxes[0].title, "Application Error");
            EXPECT_EQ(ui.boxes[0].text,
                      QStringLiteral("An application error has occurred reading ") +
                          loader.fileName + QStringLiteral(" file:\rError Code ") + failure.error +
                          QStringLiteral("\rRoutine - ") + loader.routine);
            if (!failure.badRecord.isEmpty()) {
                EXPECT_TRUE(loader.firstRecordKept(state));
            }
        }
    }
}

TEST_F(TableFilesTest, IdentityRangesSurviveAMissingFileAndPasswordFailuresAreReported)
{
    ReadxxKXrefFile(app, ui);
    ReadxxWXrefFile(app, ui);
    ReadPasswordFile(app, ui);
    folder.writeDataFile("Password.txt", "");
    ReadPasswordFile(app, ui);

    EXPECT_EQ(app.Tables.KXref(4097), 4097);
    EXPECT_EQ(app.Tables.WXref(18177), 18177);
    ASSERT_EQ(ui.boxes.size(), 4u);
    EXPECT_EQ(ui.boxes[2].text, "An application error has occurred reading Password.txt file:"
                                "\rError Code 53 - File not found"
                                "\rRoutine - modVanta.ReadPasswordFile");
    EXPECT_TRUE(ui.boxes[3].text.contains("Error Code 62 - Input past end of file"));
    EXPECT_TRUE(app.Tables.RawWritePassword.isEmpty());
}

TEST_F(TableFilesTest, FileNamesAreFoundRegardlessOfLetterCase)
{
    folder.writeDataFile("VANTAXREF.txt", "1794,0A,??\r\n");
    ReadVantaXrefFile(app, ui);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(app.Tables.VantaXref(1794, 1), 10);
}

} // namespace
