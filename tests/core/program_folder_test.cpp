// The log folder: the configured one when it exists, else Logs in the program folder.
#include "core/program_folder.h"

#include "core/app_state.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;

TEST(LogFolder, MissingConfiguredFoldersFallBackToLogsInTheProgramFolder)
{
    struct Case
    {
        const char *name;
        QString configured; // "<p>" stands for the program folder
        QString expected;   // relative to the program folder
    };
    const Case cases[] = {
        {"existing absolute folder", QStringLiteral("<p>/mine"), QStringLiteral("mine")},
        {"existing relative folder", QStringLiteral("mine"), QStringLiteral("mine")},
        {"delivered Windows folder", QStringLiteral("C:\\VantaLnk3\\Logs\\"),
         QStringLiteral("Logs")},
        {"missing absolute folder", QStringLiteral("<p>/gone/deeper"), QStringLiteral("Logs")},
        {"a file, not a folder", QStringLiteral("<p>/notes.txt"), QStringLiteral("Logs")},
        {"nothing configured", QString(), QStringLiteral("Logs")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempProgramFolder folder;
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("mine")));
        folder.writeRaw(QStringLiteral("notes.txt"), "x");
        core::AppState app(folder.path());
        app.Config.DefaultFolder =
            QString(c.configured).replace(QStringLiteral("<p>"), folder.path());

        const QString chosen = core::LogFolder(app);

        EXPECT_EQ(chosen, folder.filePath(c.expected));
        EXPECT_TRUE(QFileInfo(chosen).isDir()); // the fallback is made when missing
    }
}
