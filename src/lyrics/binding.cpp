#include "lyrics/binding.h"

#include <algorithm>

#include "lyrics/binding_key.h"
#include "lyrics/display_lists.h"
#include "lyrics/lyric_words.h"
#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

Table& music(Project& p) { return p.ListView_daoru_yinyue; }
Table& lyrics(Project& p) { return p.ListView_daoru_LRC; }

QString musicKey(const Project& p, int m) {
  return p.ListView_daoru_yinyue.cell(m, music_col::bound_lyric);
}
QString lyricKey(const Project& p, int g) {
  return p.ListView_daoru_LRC.cell(g, lyric_col::bound_music);
}

void unbindMusic(Project& p, int m, const QString& marker) {
  music(p).setCell(m, music_col::bound_lyric, word::wu);
  music(p).setCell(m, music_col::bound_lyric_name, word::wu);
  showMusicBinding(p, m, marker);
}

void unbindLyric(Project& p, int g, const QString& marker) {
  lyrics(p).setCell(g, lyric_col::bound_music, word::wu);
  lyrics(p).setCell(g, lyric_col::bound_music_name, word::wu);
  showLyricBinding(p, g, marker);
}

void setMusicBinding(Project& p, int m, const QString& key, int g) {
  music(p).setCell(m, music_col::bound_lyric, key);
  music(p).setCell(m, music_col::bound_lyric_name, lyrics(p).cell(g, lyric_col::file_name));
  showMusicBinding(p, m, marker::unbound_music);
}

void setLyricMusicName(Project& p, int g, const QString& name) {
  lyrics(p).setCell(g, lyric_col::bound_music_name, name);
  showLyricBinding(p, g, marker::unbound_music);
}

bool validRow(const Table& table, int row) { return row >= 0 && row < table.count(); }

BindingCheck message(const QString& text) {
  return {BindingCheck::Outcome::Message, text, {}, {}, {}, -1};
}

BindingCheck confirm(const QString& title, const QString& question, QLatin1String operation,
                     int row) {
  return {BindingCheck::Outcome::Confirm, {}, title, question, QString(operation), row};
}

}  // namespace

bool isMusicBound(const Project& project, int musicRow) {
  return musicKey(project, musicRow) != word::wu;
}

bool isLyricBound(const Project& project, int lyricRow) {
  return lyricKey(project, lyricRow) != word::wu;
}

void bindPair(Project& project, int musicRow, int lyricRow, int suffix) {
  const QString key = makeBindingKey(suffix);
  music(project).setCell(musicRow, music_col::bound_lyric, key);
  music(project).setCell(musicRow, music_col::bound_lyric_name,
                         lyrics(project).cell(lyricRow, lyric_col::file_name));
  lyrics(project).setCell(lyricRow, lyric_col::bound_music, key);
  lyrics(project).setCell(lyricRow, lyric_col::bound_music_name,
                          music(project).cell(musicRow, music_col::file_name));
}

void UnbindAll(Project& project) {
  for (int m = 0; m < music(project).count(); ++m) unbindMusic(project, m, marker::unbound_music);
  for (int g = 0; g < lyrics(project).count(); ++g) unbindLyric(project, g, marker::unbound_lyric);
}

std::optional<QString> AutoBind(Project& project) {
  UnbindAll(project);
  for (int i = 0; i < music(project).count() && i < lyrics(project).count(); ++i) {
    if (isMusicBound(project, i) || isLyricBound(project, i)) continue;
    bindPair(project, i, i, i + 1);
    showMusicBinding(project, i, marker::unbound_music);
    showLyricBinding(project, i, marker::unbound_lyric);
  }
  int unbound = 0;
  for (int m = 0; m < music(project).count(); ++m)
    if (musicKey(project, m) == word::wu &&
        music(project).cell(m, music_col::bound_lyric_name) == word::wu)
      ++unbound;
  if (unbound == 0) return std::nullopt;
  return QStringLiteral("添加的歌词数量与添加的音乐数量不一致,还有 ") + QString::number(unbound) +
         QStringLiteral(" 个音乐没有绑定");
}

void UnbindMusicRow(Project& project, int musicRow) {
  const QString key = musicKey(project, musicRow);
  unbindMusic(project, musicRow, marker::unbound_music);
  for (int g = 0; g < lyrics(project).count(); ++g) {
    if (lyricKey(project, g) != key) continue;
    // An unbound row has the key "wu" like every unbound lyric: those are only marked again.
    if (key == word::wu)
      unbindLyric(project, g, marker::unbound_music);
    else
      RecountLyricBinding(project, g);
  }
}

void UnbindLyricRow(Project& project, int lyricRow) {
  const QString key = lyricKey(project, lyricRow);
  unbindLyric(project, lyricRow, marker::unbound_music);
  for (int m = 0; m < music(project).count(); ++m)
    if (musicKey(project, m) == key) unbindMusic(project, m, marker::unbound_music);
}

void BindMusicToLyric(Project& project, int musicRow, int lyricRow) {
  if (!isLyricBound(project, lyricRow))
    lyrics(project).setCell(lyricRow, lyric_col::bound_music, makeBindingKey(1));
  setLyricMusicName(project, lyricRow, music(project).cell(musicRow, music_col::file_name));
  setMusicBinding(project, musicRow, lyricKey(project, lyricRow), lyricRow);
  RecountLyricBindings(project);
}

void BindLyricToMusic(Project& project, int lyricRow, int musicRow) {
  const QString key =
      isLyricBound(project, lyricRow) ? lyricKey(project, lyricRow) : makeBindingKey(1);
  setMusicBinding(project, musicRow, key, lyricRow);
  lyrics(project).setCell(lyricRow, lyric_col::bound_music, key);
  setLyricMusicName(project, lyricRow, music(project).cell(musicRow, music_col::file_name));
  RecountLyricBindings(project);
}

void RecountLyricBindings(Project& project) {
  for (int g = 0; g < lyrics(project).count(); ++g) RecountLyricBinding(project, g);
}

void RecountLyricBinding(Project& project, int lyricRow) {
  const QString key = lyricKey(project, lyricRow);
  int holders = 0;
  int holder = -1;
  for (int m = 0; m < music(project).count(); ++m)
    if (key != word::wu && musicKey(project, m) == key) {
      ++holders;
      holder = m;
    }
  if (holders == 0)
    unbindLyric(project, lyricRow, marker::unbound_music);
  else if (holders == 1)
    setLyricMusicName(project, lyricRow, music(project).cell(holder, music_col::file_name));
  else
    setLyricMusicName(project, lyricRow,
                      QStringLiteral("绑定") + QString::number(holders) + QStringLiteral("个音乐"));
}

Table karaokePairingView(const Project& project) {
  Table view(QStringLiteral("karaoke_pairing"),
             {QStringLiteral("seq"), QStringLiteral("music"), QStringLiteral("pairs_with"),
              QStringLiteral("karaoke")},
             {QStringLiteral("序号"), QStringLiteral("音乐文件"), QStringLiteral("对应"),
              QStringLiteral("歌词文件")});
  const Table& songs = project.ListView_daoru_yinyue;
  const Table& karaoke = project.suiListView_ksc;
  const int rows = std::max(songs.count(), karaoke.count());
  for (int i = 0; i < rows; ++i)
    view.append({QString::number(i + 1),
                 i < songs.count() ? songs.cell(i, music_col::file_name) : QString(),
                 QStringLiteral("<--->"),
                 i < karaoke.count() ? karaoke.cell(i, ksc_col::lyric_name) : QString()});
  return view;
}

int selectedPaneRow(const Project& project, Pane pane) {
  const Table& data =
      pane == Pane::Music ? project.ListView_daoru_yinyue : project.ListView_daoru_LRC;
  if (project.Edit_tubiao_liebiao == word::liebiao) {
    const Table& list =
        pane == Pane::Music ? project.suiListView_yinyue_liebiao : project.suiListView_geci_liebiao;
    if (validRow(list, list.focused()) && list.selected(list.focused())) return list.focused();
    for (int i = 0; i < list.count(); ++i)
      if (list.selected(i)) return validRow(data, i) ? i : -1;
    return -1;
  }
  if (project.Edit_xiangpian_down_id == word::wu) return -1;
  bool ok = false;
  const int row = project.Edit_xiangpian_down_id.toInt(&ok);
  return ok && validRow(data, row) ? row : -1;
}

BindingCheck checkBindingCommand(const Project& project, Pane pane, BindingCommand command) {
  const bool musicPane = pane == Pane::Music;
  const bool ownEmpty =
      musicPane ? project.ListView_daoru_yinyue.empty() : project.ListView_daoru_LRC.empty();
  const bool otherEmpty =
      musicPane ? project.ListView_daoru_LRC.empty() : project.ListView_daoru_yinyue.empty();
  if (command == BindingCommand::UnbindAll) {
    if (ownEmpty || otherEmpty) return {};
    return confirm(QStringLiteral("全部解绑"), QStringLiteral("确定全部解除绑定吗？"),
                   word::quanbujiebang, -1);
  }
  if (ownEmpty) return {};
  if (otherEmpty)
    return message(musicPane ? QStringLiteral("没有找到歌词文件！")
                             : QStringLiteral("没有找到音乐文件！"));
  if (command == BindingCommand::AutoBind)
    return confirm(
        QStringLiteral("自动绑定"),
        QStringLiteral("自动绑定会先解绑所有的绑定,然后按顺序重新自动绑定。确定自动绑定吗？"),
        word::zidongbangding, -1);
  const int row = selectedPaneRow(project, pane);
  if (row < 0)
    return message(musicPane ? QStringLiteral("没有选中音乐文件！")
                             : QStringLiteral("没有选中歌词文件！"));
  if (command == BindingCommand::Bind)
    return {BindingCheck::Outcome::ChooseOther,
            {},
            {},
            {},
            QString(musicPane ? word::yinyue_bangding : word::geci_bangding),
            row};
  return confirm(QStringLiteral("解除绑定"), QStringLiteral("确定解除绑定吗？"),
                 musicPane ? word::dangejiechubangding_yinyue : word::dangejiechubangding_geci,
                 row);
}

Table bindingChoiceList(const Project& project, Pane pane) {
  const bool musicPane = pane == Pane::Music;
  const Table& other = musicPane ? project.ListView_daoru_LRC : project.ListView_daoru_yinyue;
  Table list(QStringLiteral("binding_choice"),
             {QStringLiteral("seq"), QStringLiteral("file_name"), QStringLiteral("file_type")},
             musicPane ? QStringList{QStringLiteral("序号"), QStringLiteral("歌词文件名"),
                                     QStringLiteral("歌词类型")}
                       : QStringList{QStringLiteral("序号"), QStringLiteral("音乐文件名"),
                                     QStringLiteral("音乐类型")});
  // Both tables keep seq, file_name and file_type in their first three columns.
  for (int i = 0; i < other.count(); ++i)
    list.append({other.cell(i, 0), other.cell(i, music_col::file_name),
                 other.cell(i, music_col::file_type)});
  return list;
}

void runBindingChoice(Project& project, Pane pane, int selectedRow, int chosen) {
  if (pane == Pane::Music) {
    if (validRow(music(project), selectedRow) && validRow(lyrics(project), chosen))
      BindMusicToLyric(project, selectedRow, chosen);
  } else if (validRow(lyrics(project), selectedRow) && validRow(music(project), chosen)) {
    BindLyricToMusic(project, selectedRow, chosen);
  }
}

std::optional<QString> runBindingOperation(Project& project, const QString& operation,
                                           int selectedRow) {
  if (operation == word::quanbujiebang) {
    UnbindAll(project);
  } else if (operation == word::zidongbangding) {
    return AutoBind(project);
  } else if (operation == word::dangejiechubangding_yinyue) {
    if (validRow(music(project), selectedRow)) UnbindMusicRow(project, selectedRow);
  } else if (operation == word::dangejiechubangding_geci) {
    if (validRow(lyrics(project), selectedRow)) UnbindLyricRow(project, selectedRow);
  }
  return std::nullopt;
}

}  // namespace solvane
