#pragma once
// The window tests' fixture: a tiny real template library (built once per test program by
// the library tool), a fresh working tree per test, a session answered by ScriptedQuestions
// and the main window over it, started the way the program starts it.
#include <filesystem>
#include <memory>
#include <string>

#include <QColor>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include "lyrics/playback.h"
#include "support/fixtures.h"
#include "ui/main/main_window.h"
#include "ui/scripted_questions.h"
#include "ui/shared/session.h"

namespace solvane::test {

// Frames of the one template of the test library (a single photograph of either orientation
// over a dark background, box 360,140 1200×800); the closing movie has 100.
inline constexpr int kTestTemplateFrames = 20;

class UiTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // The installed library every test reads.
  static QString libraryRoot();

  // A JPEG photograph of one colour with a white top-left quarter.
  QString photo(const std::string& name, int width, int height, const QColor& colour);
  // A generated tone as MP3.
  QString song(const std::string& name, double seconds);
  // A text file (lyrics) written as given.
  QString textFile(const std::string& name, const QByteArray& bytes);

  // Adds photographs through the "添加相片" command with the chooser answered.
  void addPhotos(const QStringList& files);

  ScratchDir dir;
  ScriptedQuestions questions;
  std::unique_ptr<ui::Session> session;
  std::unique_ptr<ui::MainWindow> window;
  QStringList openedFolders;
  // The player of the last preview window opened: its clock moves when a test says so.
  ScriptedPlayback* playback = nullptr;
  QList<QUrl> openedPages;

 private:
  static std::unique_ptr<ScratchDir> library_;
};

}  // namespace solvane::test
