#include "templates/package.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "model/error.h"
#include "model/text_codec.h"
#include "support/fixtures.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"

namespace solvane {
namespace {

using test::ScratchDir;

QByteArray layerWithStatedLength(qint32 stated, const QByteArray& content) {
  QByteArray layer = wrap_layer(content);
  memcpy(layer.data(), &stated, 4);
  return layer;
}

TEST(Package, RoundTripThroughFilesGivesThePayloadAndRemovesTheIntermediate) {
  ScratchDir dir;
  const QByteArray payload = QByteArray("[1]\nmblx=test\n").repeated(50);
  const QString pkg = dir.qpath() + "/p.rar";
  write_package(pkg, payload);
  test::writeFile(dir / "mid.rar", "stale intermediate");
  test::writeFile(dir / "out.ini", "stale destination");
  EXPECT_NE(test::readFile(dir / "p.rar"), payload);
  unpack_package(pkg, dir.qpath() + "/mid.rar", dir.qpath() + "/out.ini");
  EXPECT_EQ(test::readFile(dir / "out.ini"), payload);
  EXPECT_FALSE(std::filesystem::exists(dir / "mid.rar"));
}

TEST(Package, TwentyThreeLayersEachAStandaloneZlibFile) {
  QByteArray current = wrap_package("payload");
  for (int i = 0; i < kPackageLayers; ++i) {
    ASSERT_GE(current.size(), 6);
    EXPECT_EQ(static_cast<unsigned char>(current[4]) & 0x0f, 8) << "zlib deflate header";
    current = unwrap_layer(current);
  }
  EXPECT_EQ(current, "payload");
}

TEST(Package, ZeroBytesUnwrapToZeroBytes) {
  ScratchDir dir;
  test::writeFile(dir / "empty.rar", {});
  unpack_package(dir.qpath() + "/empty.rar", dir.qpath() + "/mid", dir.qpath() + "/out");
  EXPECT_TRUE(test::readFile(dir / "out").isEmpty());
}

TEST(Package, DamagedLayersAreRejectedWithTheFileName) {
  QByteArray corrupt = wrap_layer(QByteArray(1000, 'a'));
  corrupt[10] = static_cast<char>(corrupt[10] ^ 0x55);
  struct Case {
    const char* name;
    QByteArray layer;
  } cases[] = {
      {"corrupt stream", corrupt},
      {"absurd length", layerWithStatedLength(512 * 1024 * 1024, "abc")},
      {"more than deflate can expand to", layerWithStatedLength(100 * 1024 * 1024, "abc")},
      {"cut short", wrap_layer(QByteArray(1000, 'a')).left(9)},
      {"negative length", layerWithStatedLength(-5, "abc")},
      {"length too small", layerWithStatedLength(2, "abcdef")},
      {"length too large", layerWithStatedLength(10, "abcdef")},
      {"three bytes", QByteArray("abc")},
  };
  for (const Case& c : cases) {
    try {
      unwrap_layer(c.layer, "wjj_7.rar");
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains("wjj_7.rar")) << c.name << ": " << e.what();
    }
  }
}

TEST(Package, LargeIncompressiblePayloadsRoundTrip) {
  QByteArray payload(300 * 1024, Qt::Uninitialized);
  quint32 x = 12345;
  for (char& c : payload) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  EXPECT_EQ(unwrap_package(wrap_package(payload)), payload);
}

TEST(Package, AFailedUnpackLeavesNoDestinationBehind) {
  ScratchDir dir;
  QByteArray damaged = wrap_package("payload");
  damaged.chop(3);
  test::writeFile(dir / "bad.rar", damaged);
  test::writeFile(dir / "out", "stale destination");
  EXPECT_THROW(unpack_package(dir.qpath() + "/bad.rar", dir.qpath() + "/m", dir.qpath() + "/out"),
               Error);
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

TEST(Package, UnpackOfAMissingPackageNamesIt) {
  ScratchDir dir;
  EXPECT_THROW(unpack_package(dir.qpath() + "/nope.rar", dir.qpath() + "/m", dir.qpath() + "/o"),
               Error);
}

TEST(BarList, ItemsBetweenBars) {
  struct Case {
    QString text;
    QStringList items;
  } cases[] = {
      {"|heng|shu|", {"heng", "shu"}},
      {"heng|shu|", {"shu"}},
      {"heng", {}},
      {"", {}},
      {"|", {}},
      {"||", {""}},
      {"|a||b|tail", {"a", "", "b"}},
      {"|1920|", {"1920"}},
  };
  for (const Case& c : cases) EXPECT_EQ(split_bar_list(c.text), c.items) << c.text.toStdString();
}

TEST(IniFile, CaseInsensitiveNamesFirstMatchAndMissingReadsEmpty) {
  const QByteArray text =
      "; comment\r\n[L_X_W_J_S_Y]\r\nL_x_w_j_s_y = s_y_l_x\r\n[1]\r\nmblx=first\r\n"
      "MBLX=second\r\nxpkd=|800|\r\nquoted=\"a b\"\r\n";
  IniFile ini = IniFile::parse(text);
  EXPECT_EQ(ini.value("l_x_w_j_s_y", "l_x_w_j_s_y"), "s_y_l_x");
  EXPECT_EQ(ini.value("1", "Mblx"), "first");
  EXPECT_EQ(ini.value("1", "xpkd"), "|800|");
  EXPECT_EQ(ini.value("1", "quoted"), "a b");
  EXPECT_EQ(ini.value("1", "missing"), "");
  EXPECT_EQ(ini.value("2", "mblx"), "");
  EXPECT_EQ(IniFile::load("/nonexistent/x.ini").value("1", "mblx"), "");
}

TEST(IniFile, GbkValuesAreDecoded) {
  const QByteArray text = "[1]\r\nmblx=" + encodeGbk(QStringLiteral("浪漫婚礼")) + "\r\n";
  EXPECT_EQ(IniFile::parse(text).value("1", "mblx"), QStringLiteral("浪漫婚礼"));
}

TEST(TextCodec, DecodesByBomThenUtf8ThenGbk) {
  const QString zh = QStringLiteral("月亮代表我的心");
  QByteArray utf16le("\xff\xfe", 2);
  for (QChar c : zh) {
    utf16le.append(static_cast<char>(c.unicode() & 0xff));
    utf16le.append(static_cast<char>(c.unicode() >> 8));
  }
  EXPECT_EQ(decodeTextFile(encodeGbk(zh)), zh);
  EXPECT_EQ(decodeTextFile(zh.toUtf8()), zh);
  EXPECT_EQ(decodeTextFile("\xef\xbb\xbf" + zh.toUtf8()), zh);
  EXPECT_EQ(decodeTextFile(utf16le), zh);
  EXPECT_EQ(decodeTextFile("[00:01.00]abc"), "[00:01.00]abc");
}

}  // namespace
}  // namespace solvane
