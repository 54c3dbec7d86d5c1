// Checks every template the build installs: both packages unpack, the parameter file holds
// every key with consistent slot lists, the movie plays with mbdx frames, every photograph
// keeps moving once the previous picture has gone without its zoom and pan cutting into where
// a face would be, and the library has the mix of templates that template assignment draws
// from in every family.
#include <algorithm>
#include <map>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <gtest/gtest.h>

#include "model/sentinels.h"
#include "support/fixtures.h"
#include "support/player_fixtures.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/movie_model.h"
#include "templates/package.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

using test::ScratchDir;

const QString kLibrary = QStringLiteral(SOLVANE_BIN_DIR "/smxcwjj");

QStringList packages(const QString& folder) {
  return QDir(kLibrary + folder).entryList({"*.rar"}, QDir::Files, QDir::Name);
}

struct Shipped {
  QString name;
  QString orientation;  // the szhz text
  int photos = 0;
  bool zeroSlots = false;
  QString family;
};

// Where a photograph layer shows its picture at one frame, as numbers that change when
// anything about it moves: its pose, the zoom and pan inside its box, and the camera.
std::vector<double> placement(const Movie& movie, const Layer& l, int f) {
  const Pose p = l.transform.pose(f);
  const QTransform v = movie.camera.view(f, l.parallax);
  return {p.x, p.y, p.scale * p.scaleX, p.scale * p.scaleY, p.rotation, p.turn,
          l.zoom.at(f), l.panX.at(f), l.panY.at(f), v.m11(), v.dx(), v.dy()};
}

// The first frame after the hand-over at which a photograph on screen has not moved for
// five frames, or -1.
int firstStillFrame(const Movie& movie) {
  for (int f = movie.handoverEnd() + 1; f + 5 < movie.frames; ++f)
    for (const Layer& l : movie.layers) {
      if (l.kind != LayerKind::Picture || l.picture == 0 || !l.drawnAt(f) || !l.drawnAt(f + 5))
        continue;
      const std::vector<double> a = placement(movie, l, f), b = placement(movie, l, f + 5);
      double change = 0;
      for (size_t i = 0; i < a.size(); ++i) change = std::max(change, std::abs(a[i] - b[i]));
      if (change < 1e-4) return f;
    }
  return -1;
}

// The upper middle of a photograph, where people's faces are in most pictures: a zoom and
// pan inside the photograph's box keep all of it in view.
const QRectF kFaceZone(0.3, 0.12, 0.4, 0.38);

// The part of its photograph that a picture layer shows at a frame, in fractions of the
// photograph: the renderer's zoom and pan (the photograph covers the box, or the part of the
// box it fits into).
QRectF shownPart(const Layer& l, int f) {
  const double z = std::max(1.0, l.zoom.at(f));
  const double px = std::clamp(l.panX.at(f), -1.0, 1.0);
  const double py = std::clamp(l.panY.at(f), -1.0, 1.0);
  const double spare = 1 - 1 / z;
  return {spare * (0.5 + 0.5 * px), spare * (0.5 + 0.5 * py), 1 / z, 1 / z};
}

// The first frame at which a photograph's zoom and pan leave part of the face zone out of
// view, or -1.
int firstFaceCut(const Movie& movie) {
  for (const Layer& l : movie.layers) {
    if (l.kind != LayerKind::Picture || l.picture == 0) continue;
    for (int f = std::max(0, l.start); f < movie.frames && l.drawnAt(f); ++f)
      if (!shownPart(l, f).adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(kFaceZone)) return f;
  }
  return -1;
}

TEST(TemplateLibrary, FaceZoneTestSeesACutFromAZoomedPanDownwards) {
  Layer l;
  l.kind = LayerKind::Picture;
  l.picture = 1;
  l.zoom = Animated(1.2);
  Movie movie;
  movie.frames = 10;
  movie.layers = {l};
  movie.layers[0].panY = Animated(0.3);
  EXPECT_EQ(firstFaceCut(movie), -1) << "a pan a little downwards keeps the top 12 % in view";
  movie.layers[0].panY = Animated(1);
  EXPECT_EQ(firstFaceCut(movie), 0) << "the bottom of the photograph alone cuts off the top";
}

TEST(TemplateLibrary, EveryShippedTemplateUnpacksAndMatchesItsMovie) {
  const QStringList params = packages("/wj_0_or_2/wjj_02");
  const QStringList movies = packages("/wj_0_or_2/wjj_01");
  ASSERT_GE(params.size(), 40) << "library not built under " << kLibrary.toStdString();
  ASSERT_EQ(params, movies) << "parameter and movie packages pair by position and name";

  ScratchDir dir;
  const test::StagedMovie stage = test::stageMovie(dir.path(), "");
  test::writeJpeg(stage.openingPicture, {320, 180}, Qt::black);
  std::vector<Shipped> shipped;
  for (const QString& name : params) {
    SCOPED_TRACE(name.toStdString());
    const QString ini = dir.qpath() + "/p.ini";
    unpack_package(kLibrary + "/wj_0_or_2/wjj_02/" + name, dir.qpath() + "/mid.rar", ini);
    const IniFile p = IniFile::load(ini);
    EXPECT_EQ(p.value("l_x_w_j_s_y", "l_x_w_j_s_y"), "s_y_l_x");
    for (const char* k : {"mblx", "mbfl", "xpsl", "xpkd", "xpgd", "szhz", "xpjpgmc", "mbdx"})
      EXPECT_FALSE(p.value("1", k).isEmpty()) << k;

    const int photos = p.value("1", "xpsl").toInt();
    const QStringList widths = split_bar_list(p.value("1", "xpkd"));
    const QStringList heights = split_bar_list(p.value("1", "xpgd"));
    const QStringList orient = split_bar_list(p.value("1", "szhz"));
    EXPECT_EQ(widths.size(), photos);
    EXPECT_EQ(heights.size(), photos);
    ASSERT_EQ(orient.size(), photos);
    for (const QString& o : orient)
      EXPECT_TRUE(o == word::heng || o == word::shu || o == word::shuheng) << o.toStdString();

    unpack_package(kLibrary + "/wj_0_or_2/wjj_01/" + name, dir.qpath() + "/mid.rar",
                   stage.moviePath);
    const QByteArray source = test::readFile(stage.folder / "w_j_1.rar");
    const Movie movie = parse_movie(source, name);
    EXPECT_EQ(firstStillFrame(movie), -1) << "every photograph keeps moving after the hand-over";
    EXPECT_EQ(firstFaceCut(movie), -1) << "zoom and pan keep where a face would be in view";
    const QString family = QJsonDocument::fromJson(source)
                               .object().value("template").toObject().value("family").toString();
    EXPECT_FALSE(family.isEmpty()) << "every template belongs to a family";
    bool zero = true;
    for (int k = 1; k <= photos; ++k) {
      const Layer* slot = movie.slotLayer(k);
      ASSERT_NE(slot, nullptr) << "slot " << k;
      const int w = widths[k - 1].toInt(), h = heights[k - 1].toInt();
      zero = zero && w == 0 && h == 0;
      if (w != 0 || h != 0) {
        EXPECT_EQ(w, qRound(slot->box.width())) << "slot " << k;
        EXPECT_EQ(h, qRound(slot->box.height())) << "slot " << k;
      }
      test::writeJpeg(stage.slotPicture(k), {w ? w / 4 : 480, h ? h / 4 : 270}, Qt::gray);
    }
    TemplatePlayer player;
    player.setSize({320, 180});
    player.setMovie(stage.moviePath);
    EXPECT_TRUE(player.identityOk());
    EXPECT_TRUE(player.missingPictures().isEmpty());
    EXPECT_EQ(p.value("1", "mbdx").toInt(), player.TotalFrames());
    EXPECT_GE(player.TotalFrames(), 100) << "at least 4 seconds";
    // Six photographs featured one after another for 1.5 s each need about 15 seconds.
    EXPECT_LE(player.TotalFrames(), 400) << "at most 16 seconds";
    shipped.push_back({name, p.value("1", "szhz"), photos, zero, family});
  }
  EXPECT_GE(shipped.size(), 80u);

  // Random assignment keeps a family's look whatever photographs come only when every
  // family has a template of every class.
  std::map<QString, QSet<QString>> classes;
  for (const Shipped& s : shipped) {
    const QStringList o = split_bar_list(s.orientation);
    if (o.contains(word::heng) && o.contains(word::shu))
      classes[s.family] << "mixed";
    else if (s.photos > 1)
      classes[s.family] << "several";
    else
      classes[s.family] << o.value(0);
  }
  EXPECT_GE(classes.size(), 6u) << "themed families";
  for (const auto& [family, has] : classes)
    EXPECT_EQ(has, (QSet<QString>{"heng", "shu", "shuheng", "several", "mixed"}))
        << family.toStdString();

  auto count = [&](auto pred) { return std::count_if(shipped.begin(), shipped.end(), pred); };
  auto single = [](const char* o) { return QString("|%1|").arg(o); };
  EXPECT_GE(count([&](const Shipped& s) { return s.orientation == single("heng"); }), 12);
  EXPECT_GE(count([&](const Shipped& s) { return s.orientation == single("shu"); }), 8);
  EXPECT_GE(count([&](const Shipped& s) { return s.orientation == single("shuheng"); }), 4);
  EXPECT_GE(count([](const Shipped& s) { return s.photos == 2; }), 6);
  EXPECT_GE(count([](const Shipped& s) { return s.photos == 3; }), 4);
  EXPECT_GE(count([](const Shipped& s) { return s.photos >= 4 && s.photos <= 6; }), 3);
  EXPECT_GE(count([](const Shipped& s) {
              const QStringList o = split_bar_list(s.orientation);
              return o.contains(word::heng) && o.contains(word::shu);
            }), 2) << "mixed templates";
  EXPECT_GE(count([&](const Shipped& s) { return s.zeroSlots && s.orientation == single("heng"); }), 1);
  EXPECT_GE(count([&](const Shipped& s) { return s.zeroSlots && s.orientation == single("shu"); }), 1);
}

TEST(TemplateLibrary, ClosingMovieCarriesOnFromTheLastPicture) {
  ScratchDir dir;
  const test::StagedMovie stage = test::stageMovie(dir.path(), "");
  unpack_package(kLibrary + "/wj_0_or_1/wj_1.rar", dir.qpath() + "/mid.rar", stage.moviePath);
  const QColor last("#c08040");
  test::writeJpeg(stage.openingPicture, {320, 180}, last);
  TemplatePlayer player;
  player.setSize({320, 180});
  player.setMovie(stage.moviePath);
  EXPECT_TRUE(player.identityOk());
  EXPECT_GE(player.TotalFrames(), 100) << "the closing movie fills the album's last 100 frames";
  player.setFrameNum(-1);
  EXPECT_TRUE(test::closeColour(player.grab().pixel(20, 20), last.rgb()));
  player.setFrameNum(player.TotalFrames() - 1);
  EXPECT_TRUE(test::closeColour(player.grab().pixel(20, 20), qRgb(0, 0, 0)))
      << "ends in black";
}

}  // namespace
}  // namespace solvane
