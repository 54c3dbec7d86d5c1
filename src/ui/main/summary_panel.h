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
  // The help text of the bottom box, one pixel further up every refresh and back at 50
  // pixels from the top once it has scrolled out.
  QLabel* helpText() const { return help_; }

 private:
  Session& session_;
  QList<QLabel*> lines_;
  QLabel* caption_;
  QLabel* picture_;
  QTimer* timer_;
  QWidget* helpBox_;
  QLabel* help_;
};

}  // namespace solvane::ui
