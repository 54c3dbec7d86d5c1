#pragma once
// The right-hand panel of the main window: the eight settings lines, refreshed every 50 ms
// (skipped while a job writes the project), and the viewer that shows the thumbnail of the
// row picked last, with its caption.
#include <QWidget>

class QLabel;
class QTimer;

namespace solvane::ui {

struct Session;

class SummaryPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SummaryPanel(Session& session, QWidget* parent = nullptr);

  // The texts shown now, one per line.
  QStringList lines() const;
  void refresh();
  // The viewer: `caption` over the picture in `file`; an empty file hides the picture.
  void showPicture(const QString& caption, const QString& file);
  QLabel* viewerCaption() const { return caption_; }
  QLabel* viewerPicture() const { return picture_; }

 private:
  Session& session_;
  QList<QLabel*> lines_;
  QLabel* caption_;
  QLabel* picture_;
  QTimer* timer_;
};

}  // namespace solvane::ui
