#include "ui/ui_fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include "model/project.h"
#include "support/media_fixtures.h"
#include "support/tiny_library.h"
#include "templates/startup_sequence.h"

namespace solvane::test {
namespace fs = std::filesystem;

std::unique_ptr<ScratchDir> UiTest::library_;


void UiTest::SetUpTestSuite() {
  library_ = std::make_unique<ScratchDir>();
  QString why;
  ASSERT_FALSE(buildTinyLibrary(library_->path(), kTestTemplateFrames, &why).isEmpty()) << why.toStdString();
}

void UiTest::TearDownTestSuite() { library_.reset(); }

QString UiTest::libraryRoot() { return library_->qpath() + QStringLiteral("/library"); }

void UiTest::SetUp() {
  ASSERT_TRUE(library_ && QDir(libraryRoot()).exists()) << "the test library was not built";
  session = std::make_unique<ui::Session>(Workspace(dir.qpath() + "/work", libraryRoot()), questions);
  session->drawSeed = 7;
  session->sampleSongFolder = dir.qpath() + "/samples";
  session->openFolder = [this](const QString& folder) { openedFolders << folder; };
  session->makePlayback = [this] {
    auto player = std::make_unique<ScriptedPlayback>(180'000);
    playback = player.get();
    return player;
  };
  session->openPage = [this](const QUrl& page) { openedPages << page; };
  runStartupSteps(session->project, session->workspace);
  window = std::make_unique<ui::MainWindow>(*session);
  window->resize(1083, 678);
  window->show();
}

void UiTest::TearDown() {
  window.reset();
  EXPECT_TRUE(questions.allAnswered()) << "a scripted answer was never asked for";
}

QString UiTest::photo(const std::string& name, int width, int height, const QColor& colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  QPainter(&picture).fillRect(0, 0, width / 4, height / 4, Qt::white);
  const fs::path path = dir / ("photos/" + name);
  fs::create_directories(path.parent_path());
  const QString file = QString::fromStdString(path.string());
  EXPECT_TRUE(picture.save(file, "JPG", 90));
  return file;
}

QString UiTest::song(const std::string& name, double seconds) {
  const fs::path path = dir / ("songs/" + name);
  fs::create_directories(path.parent_path());
  makeToneMp3(path, seconds, 44100, 2);
  return QString::fromStdString(path.string());
}

QString UiTest::textFile(const std::string& name, const QByteArray& bytes) {
  const fs::path path = dir / ("songs/" + name);
  writeFile(path, bytes);
  return QString::fromStdString(path.string());
}

void UiTest::addPhotos(const QStringList& files) {
  questions.answerFiles(files);
  window->addPhotosCommand();
}

}  // namespace solvane::test
