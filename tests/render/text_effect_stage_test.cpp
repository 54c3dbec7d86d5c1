// The text-effect window's preview against the album: a caption previewed over the 1920 ×
// 1080 canvas stands, frame for frame, where the album overlay puts it, and the three style
// boxes change what the album draws.
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "effects/text_effect_catalog.h"
#include "effects/text_effect_editor.h"
#include "model/columns.h"
#include "model/frame_clock.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "render/frame_overlay.h"
#include "render/text_effect_stage.h"
#include "support/overlay_fixtures.h"

namespace solvane {
namespace {

TextEffectForm captionForm(int entry, const QString& second) {
  TextEffectForm form = DefaultTextEffectForm();
  form.text = QStringLiteral("生日快乐 Happy");
  form.fontSize = QStringLiteral("24");
  form.effectEntry = entry;
  form.secondEntry = second + QStringLiteral("  秒");
  return form;
}

TEST(TextEffectStage, EveryEntryStandsWhereTheAlbumPutsItFrameForFrame) {
  for (int entry = 1; entry <= kEffectEntryCount; ++entry) {
    for (const QString& second : {QStringLiteral("00"), QStringLiteral("02")}) {
      SCOPED_TRACE(testing::Message() << "entry " << entry << " at 00:" << second.toStdString());
      Project project;
      TextEffectEditor editor(project);
      editor.open(kCanvasWidth, kCanvasHeight);
      ASSERT_FALSE(editor.add(captionForm(entry, second)).has_value());
      editor.close(project);

      TextEffectStage stage;
      stage.load(editor.rows());
      ASSERT_FALSE(editor.startAllPreview(stage.labelSizes()).has_value());
      FrameOverlay album(project);
      album.start();
      const OverlayLabel& drawn = album.panel().textEffectLabel(0);
      ASSERT_EQ(drawn.size(), stage.label(0).size());

      int frame = 0;
      bool appeared = false;
      while (frame < 3000) {
        ++frame;
        const bool running = editor.preview().tick();
        album.advance(FrameClockText(frame));
        if (!running) break;
        const MovingLabel& shown = editor.preview().labels().at(0);
        ASSERT_EQ(shown.visible, drawn.visible()) << "frame " << frame;
        if (!shown.visible) continue;
        if (!appeared) {
          EXPECT_EQ(frame, second.toInt() * 25 + (second == "00" ? 1 : 0))
              << "appears when the clock first reads its start";
        }
        appeared = true;
        ASSERT_EQ(QPoint(shown.left, shown.top), drawn.pos()) << "frame " << frame;
      }
      EXPECT_TRUE(appeared);
      EXPECT_LT(frame, 3000) << "the preview ends by itself";
      EXPECT_EQ(project.ListView_Label.cell(0, label_col::state), word::tingzhi)
          << "the album's caption stops on the frame the preview ends";
    }
  }
}

QImage albumFrameWith(const QString& bold, const QString& italic, const QString& underline) {
  Project project;
  project.ListView_Label.append({QStringLiteral("生日快乐"), "00:00", "暂无", "tingzhi",
                                 motion::congzuoxiangyou, "0", "400", "从左下到右下", "clWhite",
                                 "黑体", "30", bold, italic, underline, "16777215"});
  FrameOverlay album(project);
  album.start();
  for (int frame = 1; frame <= 300; ++frame) album.advance(FrameClockText(frame));
  QImage picture = test::grey(kCanvasWidth, kCanvasHeight, 60);
  album.composite(picture);
  return picture;
}

TEST(TextEffectOverlay, BoldItalicAndUnderlineChangeTheDrawnPixels) {
  const QImage regular = albumFrameWith("0", "0", "0");
  const int white = test::countColour(regular, regular.rect(), qRgb(255, 255, 255), 8);
  ASSERT_GT(white, 500) << "the caption is on the frame";
  const struct {
    const char* style;
    QImage picture;
  } styled[] = {{"bold", albumFrameWith("cuti", "0", "0")},
                {"italic", albumFrameWith("0", "xieti", "0")},
                {"underline", albumFrameWith("0", "0", "xiahuaxian")}};
  for (const auto& s : styled) {
    EXPECT_NE(s.picture, regular) << s.style;
    const int styledWhite = test::countColour(s.picture, s.picture.rect(), qRgb(255, 255, 255), 8);
    if (std::string(s.style) != "italic") {
      EXPECT_GT(styledWhite, white) << s.style << " adds ink";
    }
  }
}

TEST(TextEffectStage, PaintsTheCanvasScaledIntoThePictureArea) {
  Project project;
  project.ListView_Label.append({QStringLiteral("生日快乐"), "00:00", "暂无", "tingzhi",
                                 motion::congzuoxiangyou, "0", "400", "从左下到右下", "clRed",
                                 "黑体", "30", "0", "0", "0", "255"});
  TextEffectStage stage;
  stage.setBackground(test::grey(800, 600, 90));
  ASSERT_EQ(stage.background().size(), QSize(kCanvasWidth, kCanvasHeight));
  stage.load(project.ListView_Label);
  stage.place({{960, 540, stage.label(0).size().width(), stage.label(0).size().height(), true}});

  QImage area(480, 270, QImage::Format_RGB32);
  QPainter painter(&area);
  stage.paint(painter, area.rect());
  painter.end();
  // A quarter of the canvas: the caption's box starts at (240, 135).
  const QSize box = stage.label(0).size() / 4;
  EXPECT_GT(test::countColour(area, QRect(QPoint(240, 135), box), qRgb(255, 0, 0), 40), 20);
  EXPECT_EQ(test::countColour(area, QRect(0, 0, 240, 135), qRgb(255, 0, 0), 40), 0);
  EXPECT_EQ(QColor(area.pixel(10, 10)).red(), 90) << "over the sample photograph";
}

}  // namespace
}  // namespace solvane
