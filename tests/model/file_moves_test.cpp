// Renames of the working tree as one step: all of them, or none when one fails.
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/file_moves.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

QString make(const test::ScratchDir& dir, const char* name, const QByteArray& bytes) {
  test::writeFile(dir / name, bytes);
  return dir.qpath() + "/" + name;
}

QByteArray read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(FileMoves, AFailedMovePutsTheEarlierOnesBack) {
  test::ScratchDir dir;
  const QString a = make(dir, "a", "A"), b = dir.qpath() + "/b";
  const QString c = make(dir, "c", "C"), d = make(dir, "d", "D");
  const QString kept = make(dir, "kept", "K");
  {
    FileMoves moves;
    moves.setAside(kept, dir.qpath() + "/kept.old");
    moves.move(a, b);
    EXPECT_THROW(moves.move(c, d), Error);  // d is taken
  }
  EXPECT_EQ(read(a), "A");
  EXPECT_FALSE(QFileInfo::exists(b));
  EXPECT_EQ(read(c), "C");
  EXPECT_EQ(read(d), "D");
  EXPECT_EQ(read(kept), "K");
}

TEST(FileMoves, CommittedMovesStayAndSetAsideFilesGo) {
  test::ScratchDir dir;
  const QString a = make(dir, "a", "A"), gone = make(dir, "gone", "G");
  {
    FileMoves moves;
    moves.setAside(gone, dir.qpath() + "/gone.old");
    moves.move(a, dir.qpath() + "/b");
    moves.move(dir.qpath() + "/missing", dir.qpath() + "/x");  // nothing to move
    moves.commit();
  }
  EXPECT_EQ(read(dir.qpath() + "/b"), "A");
  EXPECT_FALSE(QFileInfo::exists(gone));
  EXPECT_FALSE(QFileInfo::exists(dir.qpath() + "/gone.old"));
  EXPECT_FALSE(QFileInfo::exists(dir.qpath() + "/x"));
}

}  // namespace
}  // namespace solvane
