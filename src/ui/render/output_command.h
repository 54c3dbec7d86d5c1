#pragma once
// The main window's output commands ("VCD", "SVCD", "DVD", "AVI", "序列图"): the core's
// checks and output path, with the output-size window, the save dialog and the lyric-type
// choice asked through the session, then the make-album window, then what became of the
// album told in the message window.
#include <QString>

class QWidget;

namespace solvane::ui {

struct Session;

void runOutputCommand(Session& session, QWidget* parent, const QString& kind);

}  // namespace solvane::ui
