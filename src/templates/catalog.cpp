#include "templates/catalog.h"

#include <algorithm>
#include <set>

#include <QDir>
#include <QFileInfo>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/work_paths.h"
#include "model/workspace.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/package.h"
#include "templates/parameter_file.h"

namespace solvane {
namespace {

QString withoutTrailingSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

bool isPackageName(const QString& name) {
  return name.endsWith(QLatin1String(".rar")) || name.endsWith(QLatin1String(".RAR"));
}

// Files and sub-folders interleaved in one ascending name order, so the parameter and
// movie folders, laid out alike, are walked alike. `visited` keeps a linked folder from
// being walked twice (or forever).
void walk(const QString& folder, QStringList& found, std::set<QString>& visited) {
  if (!visited.insert(QFileInfo(folder).canonicalFilePath()).second) return;
  QStringList names = QDir(folder).entryList(
      QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
      QDir::NoSort);
  std::sort(names.begin(), names.end());
  for (const QString& name : names) {
    const QString path = folder + QLatin1Char('/') + name;
    const QFileInfo info(path);
    if (info.isDir()) walk(path, found, visited);
    else if (isPackageName(name)) found.append(path);
  }
}

QStringList catalogRowOf(const QStringList& paramRow) {
  QStringList row = paramRow.mid(param_col::tpl_type, param_col::tpl_seq + 1);
  row << QStringLiteral("0") << QStringLiteral("0") << paramRow.value(param_col::frame_count);
  return row;
}

qsizetype countOf(const QStringList& items, QLatin1String word) {
  return std::count(items.begin(), items.end(), word);
}

// landscape_count / portrait_count: a "shuheng" slot counts for the catalog's own side.
void countSlots(Table& catalog, bool shuhengIsLandscape) {
  for (int i = 0; i < catalog.count(); ++i) {
    const QStringList items = split_bar_list(catalog.cell(i, catalog_col::orientation));
    const qsizetype heng = countOf(items, word::heng);
    const qsizetype shu = countOf(items, word::shu);
    const qsizetype either = countOf(items, word::shuheng);
    catalog.setCell(i, catalog_col::landscape_count,
                    QString::number(shuhengIsLandscape ? heng + either : heng));
    catalog.setCell(i, catalog_col::portrait_count,
                    QString::number(shuhengIsLandscape ? shu : shu + either));
  }
}

}  // namespace

QStringList findPackages(const QString& folder) {
  QStringList found;
  std::set<QString> visited;
  const QString root = withoutTrailingSlash(folder);
  if (QFileInfo(root).isDir()) walk(root, found, visited);
  return found;
}

QString classMarkOf(const QString& orientation) {
  const QStringList items = split_bar_list(orientation);
  if (items.isEmpty()) return {};
  for (QLatin1String mark : {word::heng, word::shu, word::shuheng})
    if (countOf(items, mark) == items.size()) return mark;
  return word::gaojimoban;
}

void Button1Click(Project& p, const Workspace& ws) {
  ClearFolder(ws.WorkPath(work_path::catalog_scratch));
  EnsureFolder(ws.WorkPath(work_path::catalog_scratch));

  p.ListBox_saomiaomobanwenjian.clear();
  p.ListBox_saomiaomobanwenjian_bianhao.clear();
  p.ListBox_saomiaomobanwenjian_ini.clear();
  p.ListBox_saomiaomobanwenjian_swf.clear();

  const QStringList parameters = findPackages(ws.LibraryPath(work_path::library_parameters));
  const QStringList movies = findPackages(ws.LibraryPath(work_path::library_movies));
  p.ListBox_saomiaomobanwenjian = parameters + movies;
  // Pairing is by position, so a missing or extra package would shift every later
  // template onto another template's movie.
  if (parameters.size() != movies.size())
    throw Error(QStringLiteral("The template library is incomplete: %1 holds %2 parameter "
                               "packages but %3 holds %4 movie packages")
                    .arg(withoutTrailingSlash(ws.LibraryPath(work_path::library_parameters)))
                    .arg(parameters.size())
                    .arg(withoutTrailingSlash(ws.LibraryPath(work_path::library_movies)))
                    .arg(movies.size()));

  const qsizetype pairs = parameters.size();
  for (qsizetype a = 0; a < pairs; ++a) {
    p.ListBox_saomiaomobanwenjian_bianhao.append(
        QStringLiteral("%1=   %2   %3").arg(a + 1).arg(2 * a).arg(2 * a + 1));
    p.ListBox_saomiaomobanwenjian_ini.append(p.ListBox_saomiaomobanwenjian[a]);
    p.ListBox_saomiaomobanwenjian_swf.append(p.ListBox_saomiaomobanwenjian[a + pairs]);
  }
}

void Button2Click(Project& p, const Workspace& ws, const JobControl& job) {
  p.ListView_mobancanshu.clear();
  const QStringList& packages = p.ListBox_saomiaomobanwenjian_ini;
  for (qsizetype i = 0; i < packages.size(); ++i) {
    job.checkStop();
    const QString& package = packages[i];
    // The payload is unwrapped in memory: the scratch files of the file-by-file unpacking
    // would only be written and deleted again.
    const IniFile ini = IniFile::parse(read_package_file(package));
    if (!hasParameterMarker(ini))
      throw Error(QStringLiteral("%1: not a valid template parameter package (the marker "
                                 "\"%2\" is missing); template loading stopped")
                      .arg(package, param_key::marker_value));
    const TemplateParameters t = readTemplateParameters(ini);
    p.ListView_mobancanshu.append({t.type, t.category, t.photoCount, t.photoWidth,
                                   t.photoHeight, t.orientation, t.jpgName,
                                   p.ListBox_saomiaomobanwenjian_swf.value(i), QString(),
                                   QString::number(i), t.frameCount});
    job.report(i + 1, packages.size());
  }
}

void Button5Click(Project& p) {
  p.ListView_hengzhaopian.clear();
  p.ListView_shuzhaopian.clear();
  p.ListView_gaojimoban.clear();
  Table& params = p.ListView_mobancanshu;
  for (int i = 0; i < params.count(); ++i)
    params.setCell(i, param_col::class_mark, classMarkOf(params.cell(i, param_col::orientation)));
  for (int i = 0; i < params.count(); ++i) {
    const QString mark = params.cell(i, param_col::class_mark);
    const QStringList row = catalogRowOf(params.row(i));
    if (mark == word::heng) {
      p.ListView_hengzhaopian.append(row);
    } else if (mark == word::shu) {
      p.ListView_shuzhaopian.append(row);
    } else if (mark == word::shuheng) {
      p.ListView_hengzhaopian.append(row);
      p.ListView_shuzhaopian.append(row);
    } else if (mark == word::gaojimoban) {
      p.ListView_gaojimoban.append(row);
    }
  }
}

void Button11Click(Project& p) {
  countSlots(p.ListView_hengzhaopian, true);
  countSlots(p.ListView_shuzhaopian, false);
  countSlots(p.ListView_gaojimoban, true);
}

void loadTemplateCatalogs(Project& project, const Workspace& workspace, const JobControl& job) {
  Button1Click(project, workspace);
  Button2Click(project, workspace, job);
  Button5Click(project);
  Button11Click(project);
}

}  // namespace solvane
