// Start-up as the program runs it: the start-up window over the catalog steps, a library
// that is missing, and a second copy of the program on the same working tree.
#include <QElapsedTimer>
#include <QProcess>

#include "model/project.h"
#include "model/startup.h"
#include "templates/startup_sequence.h"
#include "ui/main/startup_window.h"
#include "ui/scripted_questions.h"
#include "ui/shared/session.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;

TEST_F(UiTest, TheStartupWindowRunsTheFourCatalogStepsAndLeavesACleanTree) {
  ui::Session fresh(Workspace(dir.qpath() + "/second", libraryRoot()), questions);
  test::writeFile(dir / "second/smxcwjj/tp_wjj/tp_wjj/tp_wjj_1/w_j_1.rar", "left by a killed run");
  ui::StartupWindow startup(fresh);
  startup.exec();
  ASSERT_EQ(startup.outcome(), ui::ProgressWindow::Outcome::Succeeded) << startup.failure().toStdString();
  EXPECT_EQ(fresh.project.ListView_mobancanshu.count(), 1);
  EXPECT_EQ(startup.stepTexts(), (QStringList{"✓ 读取模板参数", "✓ 解压全部模板", "✓ 处理模板1",
                                              "▶ 处理模板2"}));
  EXPECT_FALSE(std::filesystem::exists(dir / "second/smxcwjj/tp_wjj/tp_wjj/tp_wjj_1"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "second/smxcwjj/tp_wj/tp_slt_1"));
  EXPECT_FALSE(fresh.busy);
}

TEST_F(UiTest, AMissingLibraryFailsStartupWithAMessageNamingIt) {
  ui::Session fresh(Workspace(dir.qpath() + "/second", dir.qpath() + "/no-library"), questions);
  ui::StartupWindow startup(fresh);
  startup.exec();
  EXPECT_EQ(startup.outcome(), ui::ProgressWindow::Outcome::Failed);
  EXPECT_TRUE(startup.failure().contains(QStringLiteral("no-library"))) << startup.failure().toStdString();
}

TEST_F(UiTest, ASecondCopyOnTheSameTreeEndsAtOnceWithExitCodeZero) {
  // This test's session holds no lock; take it as the running copy would.
  const auto lock = acquireInstanceLock(session->workspace);
  ASSERT_TRUE(lock);
  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  QElapsedTimer clock;
  clock.start();
  second.start(QStringLiteral(SOLVANE_BIN_DIR "/solvane"),
               {"--workspace", dir.qpath() + "/work", "--library", libraryRoot()});
  ASSERT_TRUE(second.waitForFinished(20000)) << "the second copy did not end";
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_TRUE(std::filesystem::exists(dir / "work/smxcwjj/tp_wj/tp_slt_1")) << "the first copy's tree is untouched";
}

}  // namespace
}  // namespace solvane
