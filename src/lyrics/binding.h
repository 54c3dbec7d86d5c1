#pragma once
// Binding lyric rows to music rows by a shared key, and the commands of the two panes that
// make and remove bindings. Every operation keeps the name cells and the pane lists in step
// with the keys.
#include <optional>

#include <QString>

#include "model/project.h"

namespace solvane {

bool isMusicBound(const Project& project, int musicRow);
bool isLyricBound(const Project& project, int lyricRow);

// Binds music row m and lyric row g under a new key (date-time + suffix) and writes both
// name cells. The pane lists are left to the caller.
void bindPair(Project& project, int musicRow, int lyricRow, int suffix);

// "全部解绑": every row unbound.
void UnbindAll(Project& project);
// "自动绑定": unbind all, then bind music row i to lyric row i where both exist. Returns the
// message to show when music rows are left without a lyric.
std::optional<QString> AutoBind(Project& project);
// "解绑" in the music pane. The lyric loses its key only when no other music row holds it;
// otherwise its music name is recounted, so "绑定2个音乐" never outlives the second song.
void UnbindMusicRow(Project& project, int musicRow);
// "解绑" in the lyric pane: the lyric and every music row sharing its key.
void UnbindLyricRow(Project& project, int lyricRow);
// "绑定" in the music pane: music row m takes lyric row g (and its key, made when g had
// none). A key m held before is dropped.
void BindMusicToLyric(Project& project, int musicRow, int lyricRow);
// "绑定" in the lyric pane: music row m takes lyric row g's key (made when g had none).
void BindLyricToMusic(Project& project, int lyricRow, int musicRow);
// After a manual binding: each lyric's music name from the number of music rows holding its
// key ("绑定" + n + "个音乐" when several share it); a lyric no music holds becomes unbound.
void RecountLyricBindings(Project& project);
// The same for lyric row g alone.
void RecountLyricBinding(Project& project, int lyricRow);

// The karaoke window's "查看匹配" list: music row i beside karaoke row i, max(M, K) rows.
Table karaokePairingView(const Project& project);

// --- Command checks of the two panes ---------------------------------------------------

enum class Pane { Music, Lyric };
enum class BindingCommand { Bind, Unbind, AutoBind, UnbindAll };

// What a pane command leads to before anything changes.
struct BindingCheck {
  enum class Outcome { Nothing, Message, ChooseOther, Confirm };
  Outcome outcome = Outcome::Nothing;
  QString message;  // Message: the text to show
  QString title;    // Confirm: window title and question
  QString question;
  QString operation;  // Confirm: operation word; ChooseOther: choice kind word
  int selectedRow = -1;
};

// The pane's selected row: the selected row of its display list in list view, the pressed
// thumbnail (Edit_xiangpian_down_id) in thumbnail view; -1 when none.
int selectedPaneRow(const Project& project, Pane pane);
BindingCheck checkBindingCommand(const Project& project, Pane pane, BindingCommand command);
// The list of the choice window "绑定" for the pane's command: the other kind's rows as
// 序号 | 歌词文件名 | 歌词类型 (music pane) or 序号 | 音乐文件名 | 音乐类型 (lyric pane).
Table bindingChoiceList(const Project& project, Pane pane);
// "确定" of the choice window with row `chosen` of that list: binds the pane's selected row.
void runBindingChoice(Project& project, Pane pane, int selectedRow, int chosen);

// "确定" of the confirmation window: runs the operation word on the selected row. Returns a
// message to show, if any.
std::optional<QString> runBindingOperation(Project& project, const QString& operation,
                                           int selectedRow);

}  // namespace solvane
