// The command line's caption, karaoke and lyric-type options.
#include <functional>

#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "render/overlay_options.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

// Options as the command line collects them: "--text", "--karaoke", "--lyric-type".
OverlayOptions parse(const QStringList& arguments) {
  OverlayOptions options;
  for (int i = 0; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == QLatin1String("--text")) options.texts << arguments[i + 1];
    if (arguments[i] == QLatin1String("--karaoke")) options.karaoke << arguments[i + 1];
    if (arguments[i] == QLatin1String("--lyric-type")) options.lyricType = arguments[i + 1];
  }
  return options;
}

TEST(OverlayOptions, CaptionsBecomeTextEffectRowsOnTheFullPicture) {
  Project project;
  applyOverlayOptions(project, parse({"--text", "00:03|2|生日快乐", "--text",
                                      "01:05|23|Happy|20|clYellow|宋体"}));
  const Table& rows = project.ListView_Label;
  ASSERT_EQ(rows.count(), 2);
  EXPECT_EQ(rows.row(0), (QStringList{"生日快乐", "00:03", "暂无", "tingzhi", "congzuoxiangyou",
                                      "0", "960", "从左下到右下", "clWhite", "黑体", "10", "0",
                                      "0", "0", "16777215"}));
  EXPECT_EQ(rows.cell(1, label_col::start_time), "01:05");
  EXPECT_EQ(rows.cell(1, label_col::y), "540");
  EXPECT_EQ(rows.cell(1, label_col::font_size), "20");
  EXPECT_EQ(rows.cell(1, label_col::color_value), "65535");
  EXPECT_EQ(rows.cell(1, label_col::font_name), "宋体");
}

TEST(OverlayOptions, KaraokeFilesAndTheLyricType) {
  test::ScratchDir dir;
  test::writeFile(dir / "a.ksc", "karaoke.add('00:01.000', '00:02.000', 'x', '500');\n");
  Project project;
  applyOverlayOptions(project, parse({"--karaoke", dir.qpath() + "/a.ksc", "--lyric-type", "ksc"}));
  ASSERT_EQ(project.suiListView_ksc.count(), 1);
  EXPECT_EQ(project.suiListView_ksc.cell(0, ksc_col::position), dir.qpath() + "/a.ksc");
  EXPECT_EQ(project.suiListView_ksc.cell(0, ksc_col::fill_color_value), "16711680");
  EXPECT_EQ(project.Edit1_shiyong_lrc_or_ksc, "shiyong_ksc");
  EXPECT_EQ(Project().Edit1_shiyong_lrc_or_ksc, "shiyong_lrcksc");
}

TEST(OverlayOptions, AWordTimedLrcIsKaraokeAPlainLrcIsRefused) {
  test::ScratchDir dir;
  test::writeFile(dir / "words.LRC", "[00:01.00]<00:01.00>la<00:01.50>la\n");
  test::writeFile(dir / "plain.lrc", "[00:01.00]lala\n");
  Project project;
  applyOverlayOptions(project, parse({"--karaoke", dir.qpath() + "/words.LRC"}));
  EXPECT_EQ(project.suiListView_ksc.cell(0, ksc_col::position), dir.qpath() + "/words.LRC");
  try {
    applyOverlayOptions(project, parse({"--karaoke", dir.qpath() + "/plain.lrc"}));
    ADD_FAILURE() << "a plain LRC was taken as karaoke";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("plain.lrc: the LRC file has no word times"))
        << e.message().toStdString();
  }
  EXPECT_EQ(project.suiListView_ksc.count(), 1);
}

TEST(OverlayOptions, BadValuesAreRefusedWithTheOptionNamed) {
  const struct {
    QStringList arguments;
    const char* mentions;
  } cases[] = {
      {{"--lyric-type", "karaoke"}, "lrc, ksc or both"},
      {{"--text", "3:00|1|x"}, "mm:ss"},
      {{"--text", "00:03|31|x"}, "1 to 30"},
      {{"--text", "00:03|1"}, "TIME|ENTRY|TEXT"},
      {{"--text", "00:03|1|x|9"}, "10 to 40"},
      {{"--text", "00:03|1|x|12|clPurpleRain"}, "unknown colour"},
      {{"--text", "00:03|1|"}, "没有输入文字内容！"},
      {{"--karaoke", "/no/such.ksc"}, "no such file"},
      {{"--text", "00:01|1|ok", "--text", "00:02|1|"}, "没有输入文字内容！"},
  };
  for (const auto& c : cases) {
    Project project;
    try {
      applyOverlayOptions(project, parse(c.arguments));
      ADD_FAILURE() << "accepted " << c.arguments.join(' ').toStdString();
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.mentions)))
          << e.message().toStdString();
    }
    EXPECT_TRUE(project.ListView_Label.empty());
    EXPECT_TRUE(project.suiListView_ksc.empty());
  }
}

}  // namespace
}  // namespace solvane
