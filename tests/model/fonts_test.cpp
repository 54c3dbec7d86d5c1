#include "model/fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

namespace solvane {
namespace {

struct FontCase {
  const char* id;  // test name
  const char* requested;
  QStringList acceptable;  // family prefixes
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.requested; }

class ChineseFontNames : public testing::TestWithParam<FontCase> {};

QImage drawText(const QFont& font, const QString& text) {
  QImage image(120, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, text);
  return image;
}

int inkedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 128;
  return n;
}

TEST(FontAliases, TheAliasFileShipsBesideThePrograms) {
  EXPECT_FALSE(fontAliasFile().isEmpty());
}

TEST_P(ChineseFontNames, ResolveToACjkFontThatHasTheGlyphs) {
  const FontCase& c = GetParam();
  QFont font(QString::fromUtf8(c.requested));
  font.setPixelSize(32);
  const QString used = QFontInfo(font).family();
  bool cjk = false;
  for (const QString& prefix : c.acceptable) cjk |= used.startsWith(prefix);
  EXPECT_TRUE(cjk) << c.requested << " resolves to " << used.toStdString();

  const QRawFont raw = QRawFont::fromFont(font);
  ASSERT_TRUE(raw.isValid());
  for (QChar ch : QStringLiteral("月亮代表我的心")) {
    EXPECT_TRUE(raw.supportsCharacter(ch)) << c.requested << " lacks U+"
                                           << QString::number(ch.unicode(), 16).toStdString();
  }
  // Two different characters draw two different pictures: a missing glyph draws the
  // same box for both.
  const QImage yue = drawText(font, QStringLiteral("月"));
  const QImage xin = drawText(font, QStringLiteral("心"));
  EXPECT_GT(inkedPixels(yue), 20);
  EXPECT_GT(inkedPixels(xin), 20);
  EXPECT_NE(yue, xin);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsNames, ChineseFontNames,
    testing::Values(FontCase{"Heiti", "黑体", {"Noto Sans CJK", "WenQuanYi"}},
                    FontCase{"SimHei", "SimHei", {"Noto Sans CJK", "WenQuanYi"}},
                    FontCase{"Yahei", "微软雅黑", {"Noto Sans CJK", "WenQuanYi"}},
                    FontCase{"MicrosoftYaHei", "Microsoft YaHei", {"Noto Sans CJK", "WenQuanYi"}},
                    FontCase{"Songti", "宋体", {"Noto Serif CJK", "WenQuanYi"}},
                    FontCase{"SimSun", "SimSun", {"Noto Serif CJK", "WenQuanYi"}}),
    [](const testing::TestParamInfo<FontCase>& info) { return std::string(info.param.id); });

}  // namespace
}  // namespace solvane
