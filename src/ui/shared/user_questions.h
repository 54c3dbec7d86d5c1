#pragma once
// Everything that asks the user something goes through this one interface: file choosers,
// the save dialog, confirmations, the message window and the modal tool windows. The program
// uses the desktop implementation; tests script the answers.
#include <optional>

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace solvane::ui {

struct FileQuestion {
  QString title;
  QString filter;  // as the system writes it: "添加相片文件(JPG)|*.jpg;"
  QString folder;  // folder the chooser opens on
  QString preset;  // file name preselected, when any
};

class UserQuestions {
 public:
  virtual ~UserQuestions() = default;

  // Several files; empty when cancelled.
  virtual QStringList chooseFiles(QWidget* parent, const FileQuestion& question) = 0;
  // The name typed into the save dialog, or nothing when cancelled.
  virtual std::optional<QString> chooseSaveName(QWidget* parent, const FileQuestion& question) = 0;
  // The message window "提示信息"; returns once the user has read it.
  virtual void showMessage(QWidget* parent, const QString& text) = 0;
  // A confirmation with "确定" and "取消": true for "确定".
  virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
  // A modal tool window whose choices the user makes (settings, output size, lyric type);
  // returns the dialog's result code.
  virtual int showWindow(QDialog& window) = 0;
};

// The system's filter text ("描述|*.a;*.b;") as a Qt name filter ("描述 (*.a *.b)").
QString qtNameFilter(const QString& filter);

// The real dialogs of the desktop.
class DesktopQuestions : public UserQuestions {
 public:
  QStringList chooseFiles(QWidget* parent, const FileQuestion& question) override;
  std::optional<QString> chooseSaveName(QWidget* parent, const FileQuestion& question) override;
  void showMessage(QWidget* parent, const QString& text) override;
  bool confirm(QWidget* parent, const QString& title, const QString& text) override;
  int showWindow(QDialog& window) override;
};

}  // namespace solvane::ui
