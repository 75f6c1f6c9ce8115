// Where the program keeps its settings, projects and languages.
#include "workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, NamedFolderThenTheExecutablesThenTheUsersData)
{
    QTemporaryDir tmp;
    const QString user = tmp.path() + QStringLiteral("/user/data/orvano");
    const struct
    {
        const char* name;
        QString named;
        QString exeDir;
        QString chosen;
    } cases[] = {
        {"ORVANO_DIR wins, made absolute and clean", tmp.path() + QStringLiteral("/a/../named"), tmp.path(),
         tmp.path() + QStringLiteral("/named")},
        {"a writable executable folder", QString(), tmp.path(), tmp.path()},
        // An installed program: its folder takes no files (not even root's).
        {"a folder nothing can be written to", QString(), QStringLiteral("/proc"), user},
        {"a folder that is not there", QString(), tmp.path() + QStringLiteral("/gone"), user},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseProgramFolder(c.named, c.exeDir, user), c.chosen) << c.name;
    // The user's data folder is made on the first start.
    EXPECT_TRUE(QFileInfo(user).isDir());
    // The probe leaves nothing behind.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("user")});
}

} // namespace
