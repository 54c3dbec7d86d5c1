#include "model/startup.h"
#include "templates/startup_sequence.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/project.h"
#include "model/work_paths.h"
#include "model/workspace.h"
#include "support/fixtures.h"
#include "support/template_fixtures.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

// Files a run leaves in every kind of working folder.
const char* const kRunLeftovers[] = {
    "smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp",
    "smxcwjj/tp_wj/tp_slt_2/tp_slt_2_1.bmp",
    "smxcwjj/tp_wj/tp_slt_3/tp_slt_3_4.bmp",
    "smxcwjj/tp_wjj/tp_wjj/tp_wjj_1/w_j_1.rar",
    "smxcwjj/tp_wjj/tp_wjj/tp_wjj_1/picture_1.rar",
    "smxcwjj/tp_wjj/tp_wjj/tp_wjj_zuihou/w_j_zuihou.rar",
    "smxcwjj/tp_wjj/tp_wjj/t_p_1.rar",
    "smxcwjj/tp_wjj/pic/picture_0.bmp",
    "smxcwjj/wj_yl_xg_1/wj_yl_xg_1/wj_yl_xg_1/pic/p.bmp",
    "smxcwjj/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/x.bin",
    "smxcwjj/wj_0_or_2/wjj_00_j_y/wjj_00_j_y.ini",
};

bool isEmptyFolder(const fs::path& path) {
  return fs::is_directory(path) && fs::is_empty(path);
}

class Startup : public testing::Test {
 protected:
  ScratchDir dir;
  Workspace workspace{dir.qpath() + "/work", dir.qpath() + "/lib"};
  Project project;

  void SetUp() override {
    test::writeTemplateLibrary(workspace.libraryRoot(),
                               {{"a.rar", test::templateWithSlots("|heng|")},
                                {"b.rar", test::templateWithSlots("|shu|shu|")}});
  }
  fs::path work(const std::string& rel) const { return dir / "work" / rel; }

  void fillLikeAKilledRun() {
    for (const char* rel : kRunLeftovers) test::writeFile(work(rel), "left over");
    for (QLatin1String rel : work_path::leftover_files)
      test::writeFile(workspace.WorkPath(rel).toStdString(), "left over");
  }
};

TEST_F(Startup, EmptiesAWorkspaceLeftFullByAKilledRun) {
  fillLikeAKilledRun();
  test::writeFile(work("smxcwjj/tp_load/not_a_fixed_file.bmp"), "stays");

  const auto lock = runStartup(project, workspace);
  ASSERT_TRUE(lock);

  EXPECT_EQ(project.ListView_mobancanshu.count(), 2);
  EXPECT_EQ(project.ListView_hengzhaopian.count(), 1);
  EXPECT_EQ(project.ListView_shuzhaopian.count(), 1);
  for (const char* thumbs : {"smxcwjj/tp_wj/tp_slt_1", "smxcwjj/tp_wj/tp_slt_2",
                             "smxcwjj/tp_wj/tp_slt_3", "smxcwjj/wj_0_or_2/wjj_00_j_y"})
    EXPECT_TRUE(isEmptyFolder(work(thumbs))) << thumbs;
  for (const char* gone : {"smxcwjj/tp_wjj/tp_wjj", "smxcwjj/tp_wjj/pic", "smxcwjj/wj_yl_xg_1",
                           "smxcwjj/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1"})
    EXPECT_FALSE(fs::exists(work(gone))) << gone;
  for (QLatin1String rel : work_path::leftover_files)
    EXPECT_FALSE(QFileInfo::exists(workspace.WorkPath(rel))) << rel.data();
  EXPECT_TRUE(fs::exists(work("smxcwjj/tp_load/not_a_fixed_file.bmp")));
}

TEST_F(Startup, ExitRemovesWhatTheRunWroteAndLeavesTheLibrary) {
  const auto lock = runStartup(project, workspace);
  ASSERT_TRUE(lock);
  fillLikeAKilledRun();
  runExit(workspace);

  for (const char* gone : {"smxcwjj/tp_wj", "smxcwjj/tp_wjj", "smxcwjj/wj_0_or_2/wjj_00_j_y",
                           "smxcwjj/wj_yl_xg_1", "smxcwjj/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1"})
    EXPECT_FALSE(fs::exists(work(gone))) << gone;
  for (QLatin1String rel : work_path::leftover_files)
    EXPECT_FALSE(QFileInfo::exists(workspace.WorkPath(rel))) << rel.data();
  EXPECT_EQ(test::findFiles(dir / "lib").size(), 4u);
}

TEST_F(Startup, ALibraryInsideTheWorkspaceSurvivesStartUpAndExit) {
  const Workspace shared(dir.qpath() + "/lib", dir.qpath() + "/lib");
  test::writeFile(dir / "lib/smxcwjj/wj_0_or_1/wj_1.rar", "closing movie");
  const auto lock = runStartup(project, shared);
  ASSERT_TRUE(lock);
  EXPECT_EQ(project.ListView_mobancanshu.count(), 2);
  runExit(shared);
  EXPECT_EQ(test::findFiles(dir / "lib/smxcwjj/wj_0_or_2").size(), 4u);
  EXPECT_TRUE(fs::exists(dir / "lib/smxcwjj/wj_0_or_1/wj_1.rar"));
}

TEST_F(Startup, ASecondStartOnTheSameTreeDoesNothing) {
  const auto first = runStartup(project, workspace);
  ASSERT_TRUE(first);
  test::writeFile(work("smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp"), "first copy's thumbnail");

  Project second;
  EXPECT_FALSE(runStartup(second, workspace));
  EXPECT_TRUE(second.ListView_mobancanshu.empty());
  EXPECT_TRUE(fs::exists(work("smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp")));
}

TEST_F(Startup, AFailedLibraryLoadSkipsTheWorkingTreeSteps) {
  test::writeFile(dir / "lib/smxcwjj/wj_0_or_2/wjj_02/b.rar", QByteArray());
  fillLikeAKilledRun();
  EXPECT_THROW(runStartup(project, workspace), Error);
  EXPECT_EQ(project.ListView_mobancanshu.count(), 1);
  EXPECT_TRUE(fs::exists(work("smxcwjj/tp_wjj/pic/picture_0.bmp")));
}

// The instance rule between real processes, through the command line program.
class CommandLine : public Startup {
 protected:
  QString cli = QStringLiteral(SOLVANE_BIN_DIR "/solvane-cli");
  QStringList args() const {
    return {"catalog", "--workspace", workspace.root(), "--library", workspace.libraryRoot()};
  }
  void startHolder(QProcess& holder) {
    if (!QFileInfo(cli).isExecutable()) GTEST_SKIP() << "solvane-cli is not built";
    holder.start(cli, args() << "--hold");
    ASSERT_TRUE(holder.waitForStarted(5000));
    QByteArray out;
    while (!out.contains("ready\n") && holder.waitForReadyRead(10000)) out += holder.readAll();
    ASSERT_TRUE(out.contains("ready\n")) << out.toStdString();
  }
};

TEST_F(CommandLine, ASecondCopyEndsAtOnceWithExitCodeZeroAndLeavesTheFirstCopysTree) {
  QProcess holder;
  startHolder(holder);
  if (IsSkipped() || HasFatalFailure()) return;
  test::writeFile(work("smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp"), "first copy's thumbnail");

  QProcess second;
  second.start(cli, args());
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  EXPECT_TRUE(second.readAllStandardError().isEmpty());
  EXPECT_TRUE(fs::exists(work("smxcwjj/tp_wj/tp_slt_1/tp_slt_1_1.bmp")));

  holder.closeWriteChannel();
  ASSERT_TRUE(holder.waitForFinished(10000));
  EXPECT_EQ(holder.exitCode(), 0);
  EXPECT_FALSE(fs::exists(work("smxcwjj/tp_wj")));
}

TEST_F(CommandLine, AKilledCopyNeitherBlocksNorLittersTheNextStart) {
  QProcess holder;
  startHolder(holder);
  if (IsSkipped() || HasFatalFailure()) return;
  fillLikeAKilledRun();
  holder.kill();
  ASSERT_TRUE(holder.waitForFinished(10000));

  const auto lock = runStartup(project, workspace);
  ASSERT_TRUE(lock);
  EXPECT_TRUE(isEmptyFolder(work("smxcwjj/tp_wj/tp_slt_1")));
  EXPECT_FALSE(fs::exists(work("smxcwjj/tp_wjj/tp_wjj")));
}

TEST_F(CommandLine, ABadParameterPackageEndsWithAMessageAndAFailureStatus) {
  if (!QFileInfo(cli).isExecutable()) GTEST_SKIP() << "solvane-cli is not built";
  test::writeFile(dir / "lib/smxcwjj/wj_0_or_2/wjj_02/b.rar", QByteArray());
  QProcess run;
  run.start(cli, args());
  ASSERT_TRUE(run.waitForFinished(10000));
  EXPECT_NE(run.exitCode(), 0);
  const QString message = QString::fromUtf8(run.readAllStandardError());
  EXPECT_TRUE(message.contains("wjj_02/b.rar")) << message.toStdString();
  EXPECT_TRUE(message.contains("s_y_l_x")) << message.toStdString();
}

}  // namespace
}  // namespace solvane
