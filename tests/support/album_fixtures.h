#pragma once
// Small real template libraries for the album tests: movies in the player's text format that
// draw a coloured marker whose position tells which movie frame is shown, staged straight
// into a workspace the way photo import stages them.
#include <QColor>
#include <QImage>
#include <QString>

namespace solvane {
struct Project;
class Workspace;
}  // namespace solvane

namespace solvane::test {

// Markers step this many pixels per movie frame along the marker row.
inline constexpr int kMarkerStep = 16;
inline constexpr int kMarkerRow = 540;

// A movie of `frames` frames: the opening picture full screen, and over it a square of
// `marker` colour at x = kMarkerStep × frame, centred on kMarkerRow.
QByteArray markerMovie(int frames, const QColor& marker);

// Writes `movie` as instance n's staged movie and appends one photo row for it (template
// cells filled, tpl_frame_count = `frames`), raising Edit_mobanleijia_sum to at least n.
void stageInstance(Project& project, const Workspace& workspace, int n, const QByteArray& movie,
                   int frames);
void stageClosingMovie(const Workspace& workspace, const QByteArray& movie);
void addMusicRow(Project& project, const QString& path, int framesNeeded);

// The movie frame a marker of `marker` colour stands for on `picture`, or -1 when the colour is
// not on the marker row. Tolerant of JPEG and scaling noise.
int markerFrame(const QImage& picture, const QColor& marker);
bool isBlack(const QImage& picture);

}  // namespace solvane::test
