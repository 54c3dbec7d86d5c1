#pragma once
// "文字特效": writing, placing, ordering and watching the captions of the album. The rows
// live in the window's own working table (the core's TextEffectEditor) and go to the project
// when the window closes. The picture area stands for the album's 1920 × 1080 frame: the
// captions are placed in frame pixels and drawn by the album's own overlay labels over a
// sample photograph, scaled to the area, and the preview runs at the album's 25 frames a
// second against a clock.
#include <QDialog>
#include <QElapsedTimer>

#include "effects/text_effect_editor.h"
#include "render/text_effect_stage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QTableView;
class QTimer;

namespace solvane::ui {

struct Session;
class TableModel;

class TextEffectWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TextEffectWindow(Session& session, QWidget* parent = nullptr);
  ~TextEffectWindow() override;

  // Opening: the choosers back to their first entries and the sample to the form's
  // defaults; the rows stay from the last opening.
  void prepare();
  // Closing: the preview stops and the rows replace the project's text effects. Running it
  // twice writes the same rows again.
  void finish();

  // --- Commands, as the buttons run them ---
  void addEffect();
  void deleteEffects();
  void deleteAll();
  void singlePreview();
  void allPreview();
  void stopPreview();

  // Runs the preview frames that are due by the clock (the timer calls this); `extra`
  // runs that many more at once (tests and the gallery fast-forward with it).
  void runDueFrames(int extra = 0);
  bool previewing() const;

  TextEffectForm form() const;
  TextEffectEditor& editor() { return editor_; }
  const TextEffectStage& stage() const { return stage_; }

  QLineEdit* textField() const { return text_; }
  QComboBox* effectChooser() const { return effect_; }
  QComboBox* minuteChooser() const { return minute_; }
  QComboBox* secondChooser() const { return second_; }
  QComboBox* colourChooser() const { return colour_; }
  QComboBox* fontChooser() const { return font_; }
  QComboBox* sizeChooser() const { return size_; }
  QCheckBox* boldBox() const { return bold_; }
  QCheckBox* italicBox() const { return italic_; }
  QCheckBox* underlineBox() const { return underline_; }
  QTableView* list() const { return list_; }
  QWidget* picture() const { return picture_; }
  QLabel* ghost() const { return ghost_; }
  // The button with this caption ("添加特效", "默认" buttons are "默认特效", "默认颜色",
  // "默认字体", "默认大小", "默认字型" by object name).
  QPushButton* button(const QString& caption) const;

 protected:
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* addButton(const QString& caption, void (TextEffectWindow::*run)());
  void showSample();
  void showRows();
  void syncSelection();
  void startPreview(bool single);
  void setEditing(bool on);
  bool listMouse(QMouseEvent* mouse);
  void report(const std::optional<QString>& message);

  Session& session_;
  TextEffectEditor editor_;
  TextEffectStage stage_;
  TextEffectStage sample_;
  QLineEdit* text_;
  QComboBox* effect_;
  QComboBox* minute_;
  QComboBox* second_;
  QComboBox* colour_;
  QComboBox* font_;
  QComboBox* size_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* underline_;
  QTableView* list_;
  TableModel* rows_;
  QWidget* picture_;
  QLabel* clock_;
  QLabel* ghost_;
  QList<QWidget*> editing_;
  QList<QPushButton*> buttons_;
  QTimer* timer_;
  QElapsedTimer clockStart_;
  long long framesRun_ = 0;
};

}  // namespace solvane::ui
