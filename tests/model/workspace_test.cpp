#include "model/workspace.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "model/error.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

TEST(Workspace, PathsUseTheSameComponentsUnderEachRoot) {
  const Workspace ws("/tmp/work", "/opt/solvane/");
  EXPECT_EQ(ws.WorkPath("smxcwjj\\tp_wj\\tp_slt_1\\"), "/tmp/work/smxcwjj/tp_wj/tp_slt_1/");
  EXPECT_EQ(ws.LibraryPath("smxcwjj\\wj_0_or_1\\wj_1.rar"), "/opt/solvane/smxcwjj/wj_0_or_1/wj_1.rar");
  EXPECT_EQ(ws.WorkPath("\\smxcwjj"), "/tmp/work/smxcwjj");
}

TEST(Workspace, DefaultRootsAreTheExecutableFolder) {
  const Workspace ws;
  EXPECT_EQ(ws.root(), executableFolder());
  EXPECT_EQ(ws.libraryRoot(), executableFolder());
  EXPECT_TRUE(QFileInfo(executableFolder() + "/tests_model").exists());
}

TEST(ClearFolder, RemovesTheWholeTreeWhateverTheEntries) {
  ScratchDir dir;
  test::writeFile(dir / "tree/a.bmp", "x");
  test::writeFile(dir / "tree/.hidden", "x");
  test::writeFile(dir / "tree/sub/deeper/b.rar", "x");
  fs::create_directories(dir / "tree/empty");
  test::writeFile(dir / "tree/readonly.jpg", "x");
  fs::permissions(dir / "tree/readonly.jpg", fs::perms::owner_read);
  ClearFolder(dir.qpath() + "/tree\\");
  EXPECT_FALSE(fs::exists(dir / "tree"));
  EXPECT_TRUE(fs::exists(dir.path()));
}

TEST(ClearFolder, RemovesLinksButNeverWhatTheyPointAt) {
  ScratchDir dir;
  test::writeFile(dir / "outside/keep.txt", "keep");
  fs::create_directories(dir / "tree");
  fs::create_directory_symlink(dir / "outside", dir / "tree/link");
  fs::create_directory_symlink(dir / "outside", dir / "linked_tree");
  ClearFolder(dir.qpath() + "/tree");
  ClearFolder(dir.qpath() + "/linked_tree");
  EXPECT_FALSE(fs::exists(dir / "tree"));
  EXPECT_EQ(test::readFile(dir / "outside/keep.txt"), "keep");
}

TEST(ClearFolder, AMissingFolderIsNothingToDo) {
  ScratchDir dir;
  EXPECT_NO_THROW(ClearFolder(dir.qpath() + "/missing"));
  EXPECT_NO_THROW(ClearFolder(QString()));
}

TEST(ClearFolder, WhatCannotBeRemovedStaysWithItsFoldersAndTheRestGoes) {
  if (geteuid() == 0) GTEST_SKIP() << "root may delete anything";
  ScratchDir dir;
  test::writeFile(dir / "tree/locked/kept.txt", "x");
  test::writeFile(dir / "tree/other/gone.txt", "x");
  test::writeFile(dir / "tree/gone.txt", "x");
  fs::permissions(dir / "tree/locked", fs::perms::owner_read | fs::perms::owner_exec);
  ClearFolder(dir.qpath() + "/tree");
  fs::permissions(dir / "tree/locked", fs::perms::owner_all);
  EXPECT_TRUE(fs::exists(dir / "tree/locked/kept.txt"));
  EXPECT_FALSE(fs::exists(dir / "tree/other"));
  EXPECT_FALSE(fs::exists(dir / "tree/gone.txt"));
}

TEST(EnsureFolder, CreatesMissingParentsAndAcceptsAnExistingFolder) {
  ScratchDir dir;
  EnsureFolder(dir.qpath() + "/a\\b\\c\\");
  EXPECT_TRUE(fs::is_directory(dir / "a/b/c"));
  EXPECT_NO_THROW(EnsureFolder(dir.qpath() + "/a/b/c"));
}

TEST(EnsureFolder, AFileInTheWayIsAnErrorNamingTheFolder) {
  ScratchDir dir;
  test::writeFile(dir / "blocked", "a file");
  try {
    EnsureFolder(dir.qpath() + "/blocked/sub");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("blocked/sub")) << e.what();
  }
}

}  // namespace
}  // namespace solvane
