// Overlay labels on real pictures: transparent boxes that fit their text, readable glyphs
// with a dark outline, a cached picture drawn once, and fill labels cut to their width.
#include <algorithm>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "lyrics/text_fonts.h"
#include "model/table.h"
#include "render/overlay_label.h"
#include "render/overlay_panel.h"
#include "support/overlay_fixtures.h"

namespace solvane {
namespace {

using test::countColour;
using test::grey;

OverlayLabel makeLabel(const QString& text, QColor colour, int points = 40) {
  OverlayLabel label;
  label.setFont(fontAtPoints(QStringLiteral("黑体"), points));
  label.setColor(colour);
  label.setText(text);
  label.fitToText();
  label.setVisible(true);
  return label;
}

TEST(OverlayLabel, OnlyTheGlyphsCoverThePicture) {
  QImage frame = grey(kCanvasWidth, kCanvasHeight, 200);
  OverlayLabel label = makeLabel(QStringLiteral("月亮代表我的心"), Qt::white);
  label.move(QPoint(100, 200));
  QPainter painter(&frame);
  label.paint(painter);
  painter.end();

  const QRect box(label.pos(), label.size());
  const int white = countColour(frame, box, qRgb(255, 255, 255), 8);
  const int dark = countColour(frame, box, qRgb(0, 0, 0), 90);
  const int untouched = countColour(frame, box, qRgb(200, 200, 200), 0);
  EXPECT_GT(white, 500) << "glyphs in the text colour";
  EXPECT_GT(dark, 200) << "a dark outline keeps white text readable on a light photo";
  EXPECT_GT(untouched, box.width() * box.height() / 3) << "the box itself is transparent";
  // Nothing outside the box changes.
  EXPECT_EQ(countColour(frame, QRect(0, 0, kCanvasWidth, 199), qRgb(200, 200, 200), 0),
            kCanvasWidth * 199);
}

TEST(OverlayLabel, TheBoxFitsItsText) {
  const OverlayLabel shortLabel = makeLabel(QStringLiteral("月"), Qt::white);
  const OverlayLabel longLabel = makeLabel(QStringLiteral("月亮代表我的心"), Qt::white);
  EXPECT_EQ(shortLabel.size().height(), longLabel.size().height());
  EXPECT_GT(longLabel.size().width(), 6 * shortLabel.size().width());
  EXPECT_LT(longLabel.size().width(), 8 * shortLabel.size().width());
  // Every inked pixel, outline included, lies inside the box.
  const QRect ink(longLabel.inkOffset(), longLabel.picture().size());
  EXPECT_TRUE(QRect(QPoint(0, 0), longLabel.size()).contains(ink));
  EXPECT_GT(ink.width(), longLabel.size().width() * 9 / 10);
}

TEST(OverlayLabel, DrawsItsTextOnceAndAgainOnlyWhenItChanges) {
  OverlayLabel label = makeLabel(QStringLiteral("晚风"), Qt::white);
  const qint64 first = label.picture().cacheKey();
  QImage frame = grey(400, 200, 0);
  for (int i = 0; i < 3; ++i) {
    QPainter painter(&frame);
    label.move(QPoint(i * 10, 0));
    label.paint(painter);
  }
  label.setText(QStringLiteral("晚风"));
  label.setColor(Qt::white);
  EXPECT_EQ(label.picture().cacheKey(), first);
  label.setText(QStringLiteral("晚风吹"));
  EXPECT_NE(label.picture().cacheKey(), first);
}

TEST(OverlayLabel, AFillLabelCoversOnlyItsWidth) {
  QImage frame = grey(kCanvasWidth, 300, 0);
  OverlayLabel base = makeLabel(QStringLiteral("我的心"), Qt::white, 60);
  OverlayLabel fill = makeLabel(QStringLiteral("我的心"), QColor(0, 0, 255), 60);
  base.move(QPoint(50, 50));
  fill.move(QPoint(50, 50));
  const int wipe = base.size().width() / 2;
  fill.resize(QSize(wipe, base.size().height()));
  QPainter painter(&frame);
  base.paint(painter);
  fill.paint(painter);
  painter.end();
  const int h = base.size().height();
  EXPECT_GT(countColour(frame, QRect(50, 50, wipe, h), qRgb(0, 0, 255), 8), 200);
  EXPECT_EQ(countColour(frame, QRect(50 + wipe, 50, base.size().width() - wipe, h),
                        qRgb(0, 0, 255), 60), 0);
  EXPECT_GT(countColour(frame, QRect(50 + wipe, 50, base.size().width() - wipe, h),
                        qRgb(255, 255, 255), 8), 200);
}

TEST(OverlayLabel, ALineFarWiderThanTheFrameIsDrawnOnlyWhereItCanBeSeen) {
  OverlayLabel label = makeLabel(QString(4000, QChar(0x25A0)), Qt::red, 60);
  ASSERT_GT(label.size().width(), 50 * kCanvasWidth);
  const int h = label.size().height();
  // Centred as a lyric line is, then slid along as if it scrolled.
  for (int x : {(kCanvasWidth - label.size().width()) / 2, -label.size().width() + 900, 0}) {
    SCOPED_TRACE(x);
    label.move(QPoint(x, 100));
    QImage frame = grey(kCanvasWidth, kCanvasHeight, 0);
    QPainter painter(&frame);
    label.paint(painter);
    painter.end();
    EXPECT_LE(label.picture().width(), 3 * kCanvasWidth) << "the picture stays bounded";
    const int visibleEnd = std::min(kCanvasWidth, x + label.size().width()) - 60;
    EXPECT_GT(countColour(frame, QRect(0, 100, 200, h), qRgb(255, 0, 0), 8), 1000);
    EXPECT_GT(countColour(frame, QRect(visibleEnd - 200, 100, 200, h), qRgb(255, 0, 0), 8), 1000);
  }
}

TEST(OverlayPanel, DrawsInStackingOrderAndHidesEverything) {
  OverlayPanel panel;
  Table none;
  for (OverlayLabel* l : {&panel.Label_LRC, &panel.Label_ksc_A1}) {
    l->setFont(fontAtPoints(QStringLiteral("黑体"), 60));
    l->setText(QStringLiteral("■■■"));
    l->fitToText();
    l->move(QPoint(10, 10));
    l->setVisible(true);
  }
  panel.Label_LRC.setColor(Qt::red);
  panel.Label_ksc_A1.setColor(Qt::green);
  const QPoint probe(10 + panel.Label_LRC.size().width() / 2, 10 + panel.Label_LRC.size().height() / 2);

  QImage frame = grey(400, 200, 0);
  panel.bringToTop(panel.Label_LRC);
  panel.composite(frame);
  EXPECT_EQ(frame.pixel(probe), qRgb(255, 0, 0));
  panel.bringToTop(panel.Label_ksc_A1);
  panel.composite(frame);
  EXPECT_EQ(frame.pixel(probe), qRgb(0, 255, 0));

  panel.hideAll();
  QImage bare = grey(400, 200, 0);
  panel.composite(bare);
  EXPECT_EQ(bare, grey(400, 200, 0));
  panel.showAll(none);
  EXPECT_TRUE(panel.Label_LRC.visible());
}

}  // namespace
}  // namespace solvane
