#include "common/gui/shipped_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace tvx::gui {
namespace {

TEST(ShippedFolder, InstalledTreeUsesShareFolderOfTheProgram) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin"));
    ASSERT_TRUE(root.mkpath("share/tavolex/help"));
    const QString bin = root.filePath("bin");
    EXPECT_EQ(ShippedFolderFor(bin, "tavolex"), root.filePath("share/tavolex"));
    // Another program in the same bin folder has no share folder yet: its own folder.
    EXPECT_EQ(ShippedFolderFor(bin, "quorlin"), bin);
}

TEST(ShippedFolder, BuildTreeUsesTheProgramsOwnFolder) {
    QTemporaryDir build;
    ASSERT_TRUE(build.isValid());
    QDir root(build.path());
    ASSERT_TRUE(root.mkpath("apps/tavolex/help"));
    const QString dir = root.filePath("apps/tavolex");
    EXPECT_EQ(ShippedFolderFor(dir, "tavolex"), dir);
    // An empty program name never picks "<dir>/../share/".
    ASSERT_TRUE(root.mkpath("apps/share"));
    EXPECT_EQ(ShippedFolderFor(dir, ""), dir);
    // A file (not a folder) of that name is not a shipped folder.
    ASSERT_TRUE(root.mkpath("share"));
    QFile file(root.filePath("share/tavolex"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ShippedFolderFor(root.filePath("apps"), "tavolex"), root.filePath("apps"));
}

}  // namespace
}  // namespace tvx::gui
