#include "photos/photo_rows.h"

#include <algorithm>
#include <utility>

#include <QFileInfo>

#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "photos/photo_renderer.h"

namespace solvane {

QSize requestInBox(QSize stored, QSize box) {
  const qint64 pw = std::max(1, stored.width()), ph = std::max(1, stored.height());
  if (pw >= ph) return {box.width(), static_cast<int>(std::max<qint64>(1, ph * box.width() / pw))};
  return {static_cast<int>(std::max<qint64>(1, pw * box.height() / ph)), box.height()};
}

Classification classify(QSize stored, QSize rendered) {
  const int pw = stored.width(), ph = stored.height();
  const int rw = rendered.width(), rh = rendered.height();
  Classification c{pw, ph, rw >= rh ? word::heng_zhao : word::shu_zhao};
  const bool disagree = (rw > rh && pw < ph) || (rw < rh && pw > ph);
  if (disagree) std::swap(c.width, c.height);
  return c;
}

Classification classifyPhoto(QSize stored, QSize upright) {
  return classify(stored, fitInto(upright, requestInBox(stored, kProbeBox)));
}

QString fileNameWithoutExtension(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  // Step back over four characters; a surrogate pair is one character.
  qsizetype end = name.size();
  for (int i = 0; i < 4 && end > 0; ++i) {
    --end;
    if (end > 0 && name[end].isLowSurrogate() && name[end - 1].isHighSurrogate()) --end;
  }
  return name.left(end);
}

QString fileTypeOf(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

QStringList stagingRow(int seq, const QString& path, const Classification& c) {
  QStringList row{QString::number(seq),        path,
                  fileNameWithoutExtension(path), fileTypeOf(path),
                  QString::number(c.width),    QString::number(c.height),
                  QString(c.orientation)};
  while (row.size() < photo_col::staging_count) row << QString();
  return row;
}

void rebuildPhotoDisplayList(Project& project) {
  const Table& photos = project.ListView_daoruxiangpian;
  Table& display = project.suiListView_xiangpian_liebiao;
  display.clear();
  for (int i = 0; i < photos.count(); ++i) {
    const bool landscape = photos.cell(i, photo_col::orientation) == word::heng_zhao;
    display.append({QString::number(i + 1), photos.cell(i, photo_col::file_name),
                    photos.cell(i, photo_col::file_type).toLower(),
                    photos.cell(i, photo_col::width), photos.cell(i, photo_col::height),
                    landscape ? QStringLiteral("横照片") : QStringLiteral("竖照片"),
                    QStringLiteral("已绑定"), photos.cell(i, photo_col::path).toLower()});
  }
}

}  // namespace solvane
