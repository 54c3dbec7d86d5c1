// KSC files are read statement by statement: several karaoke.add statements may share one
// physical line, and a file written on one line reads completely.
#include <gtest/gtest.h>

#include "lyrics/ksc_reader.h"
#include "lyrics/lyric_styles.h"
#include "model/project.h"
#include "support/fixtures.h"
#include "support/lyrics_fixtures.h"

namespace solvane {
namespace {

TEST(KscStatements, SplitAtSemicolonsOutsideStrings) {
  const struct {
    const char* name;
    const char* line;
    QStringList statements;
  } cases[] = {
      {"One", "karaoke.add('a', 'b', 'c', 'd');", {"karaoke.add('a', 'b', 'c', 'd')"}},
      {"NoSemicolon", "karaoke.add('a', 'b')", {"karaoke.add('a', 'b')"}},
      {"TwoWithABlank", "karaoke.add('1');  karaoke.add('2');",
       {"karaoke.add('1')", "karaoke.add('2')"}},
      {"SemicolonAndEscapedQuoteInAString", "karaoke.add('a;b', 'I\\'m; ok');karaoke.add('2');",
       {"karaoke.add('a;b', 'I\\'m; ok')", "karaoke.add('2')"}},
      {"OtherStatementsAreLeftOut", "karaoke.rows := 2; karaoke.clear; karaoke.add('1');",
       {"karaoke.add('1')"}},
      {"CarriageReturnsBetweenStatements", "karaoke.add('1');\rkaraoke.add('2');\r",
       {"karaoke.add('1')", "karaoke.add('2')"}},
      {"ALineStartingWithBlanksIsStillIgnored", "  karaoke.add('1'); karaoke.add('2');",
       {"karaoke.add('2')"}},
      {"Empty", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(kscStatements(c.line), c.statements) << c.name;
}

QString oneLineFile() {
  return QString::fromUtf8(
      "karaoke := CreateKaraokeObject; karaoke.rows := 2; karaoke.clear; "
      "karaoke.add('00:02.000', '00:03.000', '第一行', '300,300,400'); "
      "karaoke.add('00:03.000', '00:04.000', '第二[love]行', '300,300,400');"
      "karaoke.add('00:04.000', '00:05.000', '第三行', '300,300,400');");
}

TEST(KscStatements, AFileOfOnePhysicalLineReadsCompletelyInEveryEncoding) {
  test::ScratchDir dir;
  const std::pair<const char*, QByteArray> files[] = {
      {"gbk.ksc", test::gbkBytes(oneLineFile())},
      {"utf16.ksc", test::utf16LeBomBytes(oneLineFile())},
      {"utf8.ksc", oneLineFile().toUtf8()}};
  Table ksc = Project().suiListView_ksc;
  for (const auto& [name, bytes] : files) {
    test::writeFile(dir / name, bytes);
    const int row = appendKaraokeRow(ksc, test::toQString(dir / name));
    KaraokeTiming timing;
    timing.ReadKscFile(ksc, row, KscVariant::Render);
    ASSERT_EQ(timing.lines().size(), 3u) << name;
    EXPECT_EQ(timing.lines()[1].processed, QString::fromUtf8("第二love行")) << name;
    EXPECT_EQ(timing.lines()[2].slot, "A") << name;
    EXPECT_EQ(timing.appearList(), (QStringList{"00:01", "00:02", "00:03"})) << name;
  }
}

}  // namespace
}  // namespace solvane
