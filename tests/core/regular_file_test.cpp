// What stands in place of a data or settings file: anything but a regular file of sane size is
// refused at once with the file error report, never opened blocking or read without a bound.
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/regular_file.h"
#include "core/system_config_file.h"
#include "core/table_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vanta::core;
using vanta::test::ScriptedInteraction;
using vanta::test::TempProgramFolder;

namespace {

struct Impostor
{
    const char *what;
    std::function<bool(const QString &path)> make;
};

const Impostor Impostors[] = {
    {"fifo", [](const QString &path) { return ::mkfifo(QFile::encodeName(path), 0600) == 0; }},
    {"link to /dev/zero",
     [](const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); }},
    {"folder", [](const QString &path) { return QDir().mkdir(path); }},
    {"oversized file", // sparse: no time or disk spent on its size
     [](const QString &path) {
         QFile file(path);
         return file.open(QIODevice::WriteOnly) && file.resize(MaxDataFileBytes + 1);
     }},
};

struct Loader
{
    const char *fileName;
    void (*read)(AppState &, Interaction &);
    const char *routine;
};

const Loader Loaders[] = {
    {"CfgField.TXT", ReadCfgFieldFile, "modVanta.ReadCfgFieldFile"},
    {"VantaLnk3.cfg", ReadSystemConfig, "modVanta.ReadSystemConfig"},
};

TEST(HostileFiles, AreRefusedAtOnceWithTheFileErrorReport)
{
    for (const Loader &loader : Loaders) {
        for (const Impostor &impostor : Impostors) {
            SCOPED_TRACE(std::string(loader.fileName) + " as " + impostor.what);
            const TempProgramFolder folder;
            ASSERT_TRUE(impostor.make(folder.filePath(QLatin1String(loader.fileName))));
            AppState app(folder.path());
            ScriptedInteraction ui;

            loader.read(app, ui);

            ASSERT_EQ(ui.boxes.size(), 1u);
            EXPECT_EQ(ui.boxes[0].text,
                      QStringLiteral("An application error has occurred reading ") +
                          loader.fileName +
                          QStringLiteral(" file:\rError Code 75 - Path/File access error"
                                         "\rRoutine - ") +
                          loader.routine);
        }
    }
}

// The error number the read throws, 0 when it succeeds.
int readError(const QString &path, qint64 maxBytes)
{
    try {
        readRegularFile(path, maxBytes);
        return 0;
    } catch (const AppError &error) {
        return error.number;
    }
}

TEST(RegularFile, ReadsUpToItsLimitAndNotAByteMore)
{
    const TempProgramFolder folder;
    const QString ten = folder.filePath(QStringLiteral("ten"));
    folder.writeRaw(QStringLiteral("ten"), "0123456789");
    EXPECT_EQ(readRegularFile(ten, 10), "0123456789");
    EXPECT_EQ(readError(ten, 9), ErrorNumber::PathFileAccessError);

    const QString gone = folder.filePath(QStringLiteral("gone"));
    const QString dangling = folder.filePath(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(gone, dangling));
    EXPECT_EQ(readError(gone, 10), ErrorNumber::FileNotFound);
    EXPECT_EQ(readError(dangling, 10), ErrorNumber::FileNotFound);
}

} // namespace
