#include "effects/text_effect_editor.h"

#include <algorithm>

#include "effects/text_effect_catalog.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

// An empty table with the layout of `like`.
Table emptyLike(const Table& like, const QString& name) {
  return Table(name, like.fields(), like.captions());
}

const QStringList kDisplayFields = {"text", "start_time", "effect_name", "color_name",
                                    "font_name", "font_size", "bold", "italic", "underline",
                                    "color_value"};
const QStringList kDisplayCaptions = {"文字内容", "开始时间", "文字特效名称", "字体颜色",
                                      "字体名称", "字体大小", "粗体字型", "斜体字型",
                                      "下划线字型"};

const QString kEndTimeNotSet = QStringLiteral("暂无");
const QString kStyleNotSet = QStringLiteral("0");
const QString kNone = QStringLiteral("无");

const QLatin1String kPressed{"anxia"};
const QLatin1String kReleased{"songkai"};

QString styleCell(bool on, QLatin1String word) { return on ? QString(word) : kStyleNotSet; }
QString displayStyle(const QString& cell, QLatin1String word, const char* shown) {
  return cell == word ? QString::fromUtf8(shown) : kNone;
}

}  // namespace

int ListRowAt(int y) { return (y - kListHeaderHeight) / kDragRowHeight; }

void DropDraggedRows(Table& rows, Table& scratch, const std::vector<int>& selectedRows, int s,
                     int d) {
  const int n = static_cast<int>(selectedRows.size());
  if (n == 0 || d < 0 || d == s) return;
  const bool beyondLast = d >= rows.count();

  scratch.clear();
  for (int index : selectedRows) scratch.append(rows.row(index));
  for (auto it = selectedRows.rbegin(); it != selectedRows.rend(); ++it) rows.remove(*it);

  // A block picked up above the drop row shifts the drop row up by its own size. A
  // selection that does not start at the pressed row can push d − n below 0 or d past the
  // remaining rows; the block then goes to the nearest end instead of being lost.
  int p = beyondLast ? rows.count() : (s < d ? d - n : d);
  p = std::clamp(p, 0, rows.count());
  while (rows.count() > p) {
    scratch.append(rows.row(p));
    rows.remove(p);
  }
  for (int i = 0; i < scratch.count(); ++i) rows.append(scratch.row(i));
  scratch.clear();
}

TextEffectEditor::TextEffectEditor(const Project& project)
    : ListView_Label(emptyLike(project.ListView_Label, QStringLiteral("ListView_Label"))),
      suiListView_Label_2(QStringLiteral("suiListView_Label_2"), kDisplayFields,
                          kDisplayCaptions),
      ListView_Label_tuodong_linshi(
          emptyLike(project.ListView_Label, QStringLiteral("ListView_Label_tuodong_linshi"))),
      ghost_(QStringLiteral("suiListView_Label_tuodong"), kDisplayFields, kDisplayCaptions),
      preview_(ListView_Label) {}

void TextEffectEditor::open(int pictureWidth, int pictureHeight) {
  area_ = QSize(pictureWidth, pictureHeight);
  ListView_texiao_name = BuildMotionTable(pictureWidth, pictureHeight);
}

void TextEffectEditor::close(Project& project) {
  stopPreview();
  project.ListView_Label.copyRowsFrom(ListView_Label);
}

std::optional<QString> TextEffectEditor::add(const TextEffectForm& form) {
  if (form.text.isEmpty()) return QStringLiteral("没有输入文字内容！");
  if (form.minuteEntry.isEmpty()) return QStringLiteral("(文字出现时间)不能为空！");
  if (form.secondEntry.isEmpty()) return QStringLiteral("(文字出现时间)不能为空！");
  if (form.effectEntry < 1 || form.effectEntry > kEffectEntryCount)
    return QStringLiteral("(文字特效)不能为空！");
  if (form.fontName.isEmpty()) return QStringLiteral("(文字字体)不能为空！");
  if (form.fontSize.isEmpty()) return QStringLiteral("(文字大小)不能为空！");

  const MotionChoice m =
      MotionForEntry(ListView_texiao_name, form.effectEntry, area_.width(), area_.height());
  ListView_Label.append({form.text,
                         form.minuteEntry.left(2) + QLatin1Char(':') + form.secondEntry.left(2),
                         kEndTimeNotSet,
                         word::tingzhi,
                         m.decoration,
                         m.x,
                         m.y,
                         EffectChooserCaptions().at(form.effectEntry - 1),
                         form.colorName,
                         form.fontName,
                         form.fontSize,
                         styleCell(form.bold, word::cuti),
                         styleCell(form.italic, word::xieti),
                         styleCell(form.underline, word::xiahuaxian),
                         form.colorValue});
  rebuildDisplay();
  return std::nullopt;
}

std::optional<QString> TextEffectEditor::removeSelected() {
  const std::vector<int> selected = selectedRows();
  if (selected.empty()) return QStringLiteral("没有选中已添加的特效！");
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    suiListView_Label_2.remove(*it);
    ListView_Label.remove(*it);
  }
  return std::nullopt;
}

void TextEffectEditor::removeAll() {
  ListView_Label.clear();
  suiListView_Label_2.clear();
}

void TextEffectEditor::pressMouse(int y) {
  const std::vector<int> selected = selectedRows();
  if (selected.empty()) return;
  const int row = ListRowAt(y);
  if (y >= kListHeaderHeight && row < ListView_Label.count()) {
    Edit_tuodong_kaiguan = kPressed;
    Edit_tuodong_up_or_dn = QString::number(row);
  } else {
    Edit_tuodong_kaiguan = kReleased;
  }
  ghost_.clear();
  for (int index : selected) ghost_.append(suiListView_Label_2.row(index));
  Edit_tuodong_hangshuo = QString::number(selected.size());
}

void TextEffectEditor::moveMouse(int x, int y, int listWidth, int listHeight) {
  if (Edit_tuodong_kaiguan != kPressed) return;
  const bool outside = x < 0 || y <= kListHeaderHeight - 1 || x > listWidth || y > listHeight;
  if (outside) {
    Edit_tuodong_kaiguan = kReleased;
    ghostVisible_ = false;
    return;
  }
  ghostVisible_ = true;
}

void TextEffectEditor::releaseMouse(int y) {
  Edit_tuodong_kaiguan = kReleased;
  const std::vector<int> selected = selectedRows();
  const bool everyRow = !selected.empty() && static_cast<int>(selected.size()) == ListView_Label.count();
  if (!everyRow && ghostVisible_ && !selected.empty()) {
    DropDraggedRows(ListView_Label, ListView_Label_tuodong_linshi, selected,
                    Edit_tuodong_up_or_dn.toInt(), ListRowAt(y));
    rebuildDisplay();
  }
  ghostVisible_ = false;
}

std::optional<QString> TextEffectEditor::startSinglePreview(const std::vector<QSize>& labelSizes) {
  if (ListView_Label.empty()) return QStringLiteral("没有添加文字特效!");
  int row = suiListView_Label_2.focused();
  if (row < 0 || !suiListView_Label_2.selected(row)) {
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) return QStringLiteral("没有选中已添加的特效！");
    row = selected.front();
  }
  preview_.start(row, area_, labelSizes);
  return std::nullopt;
}

std::optional<QString> TextEffectEditor::startAllPreview(const std::vector<QSize>& labelSizes) {
  if (ListView_Label.empty()) return QStringLiteral("没有添加文字特效!");
  preview_.start(-1, area_, labelSizes);
  return std::nullopt;
}

void TextEffectEditor::stopPreview() { preview_.stop(); }

void TextEffectEditor::rebuildDisplay() {
  suiListView_Label_2.clear();
  for (int i = 0; i < ListView_Label.count(); ++i) {
    const QStringList& r = ListView_Label.row(i);
    suiListView_Label_2.append({r[label_col::text], r[label_col::start_time],
                                r[label_col::effect_name], r[label_col::color_name],
                                r[label_col::font_name], r[label_col::font_size],
                                displayStyle(r[label_col::bold], word::cuti, "粗体"),
                                displayStyle(r[label_col::italic], word::xieti, "斜体"),
                                displayStyle(r[label_col::underline], word::xiahuaxian, "下划线"),
                                r[label_col::color_value]});
  }
}

std::vector<int> TextEffectEditor::selectedRows() const {
  std::vector<int> rows;
  for (int i = 0; i < suiListView_Label_2.count(); ++i)
    if (suiListView_Label_2.selected(i)) rows.push_back(i);
  return rows;
}

}  // namespace solvane
