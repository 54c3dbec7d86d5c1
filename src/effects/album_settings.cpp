#include "effects/album_settings.h"

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"

namespace solvane {

void ChoosePhotoLength(Project& project) {
  project.Edit_tongbu_shezhi = word::sui_zhaopian_tongbu;
  project.album_loops.picture_loop = false;
}

void ChooseMusicLength(Project& project) { project.Edit_tongbu_shezhi = word::sui_yinyue_tongbu; }

bool followsMusic(const Project& project) {
  return project.Edit_tongbu_shezhi == word::sui_yinyue_tongbu;
}

void ChooseTvSystem(Project& project, const QString& system) {
  if (system != word::PAL && system != word::NTSC)
    throw Error(QStringLiteral("unknown television system \"%1\" (PAL or NTSC)").arg(system));
  project.Edit_VCDSVCDDVD_zhishi = system;
}

void ChooseQuality(Project& project, const QString& quality) {
  if (quality != word::yiban_huazhi && quality != word::gaoqing_huazhi)
    throw Error(QStringLiteral("unknown picture quality \"%1\"").arg(quality));
  project.Edit_huanmian_zhiliang = quality;
}

QStringList settingsSummary(const Project& project) {
  auto count = [](const Table& t, const char* unit) {
    return QString::number(t.count()) + QString::fromUtf8(unit);
  };
  const bool normal = project.Edit_huanmian_zhiliang == word::yiban_huazhi;
  const bool ntsc = project.Edit_VCDSVCDDVD_zhishi == word::NTSC;
  return {
      QStringLiteral("相片数量:") + count(project.ListView_daoruxiangpian, "张"),
      QStringLiteral("音乐数量:") + count(project.ListView_daoru_yinyue, "个"),
      QStringLiteral("歌词数量:") + count(project.ListView_daoru_LRC, "个"),
      QStringLiteral("文字特效:") + count(project.ListView_Label, "个"),
      QStringLiteral("画面特效:") + count(project.ListView_Image, "个"),
      QStringLiteral("画面质量:") + (normal ? QStringLiteral("一般画质") : QStringLiteral("高清画质")),
      QStringLiteral("电视制式:") + (ntsc ? QStringLiteral("NTSC制式") : QStringLiteral("PAL制式")),
      QStringLiteral("相册长度:") +
          (followsMusic(project) ? QStringLiteral("音乐为准") : QStringLiteral("相片为准")),
  };
}

}  // namespace solvane
