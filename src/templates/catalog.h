#pragma once
// Loading the template catalogs from the installed library, in four steps run once at
// start-up in this order: Button1Click (scan and pair the packages), Button2Click (read
// every parameter package into ListView_mobancanshu), Button5Click (class marks and the
// landscape, portrait and mixed catalogs), Button11Click (slot counts).
#include <QString>
#include <QStringList>

#include "model/job.h"

namespace solvane {

struct Project;
class Workspace;

// "读取模板参数": recreates the catalog scratch folder, lists every package of the
// parameter folder and then of the movie folder (each walked in ascending name order,
// sub-folders where they are met) and pairs them by position. Throws Error when the two
// folders hold different numbers of packages. An empty library pairs nothing.
void Button1Click(Project& project, const Workspace& workspace);
// "解压全部模板": one ListView_mobancanshu row per pair. Throws Error naming the package
// when a parameter package is damaged or lacks the validity marker; the rows read before
// it stay and later packages are not read.
void Button2Click(Project& project, const Workspace& workspace, const JobControl& job = {});
// "处理模板1": sets class_mark and fills ListView_hengzhaopian, ListView_shuzhaopian and
// ListView_gaojimoban.
void Button5Click(Project& project);
// "处理模板2": landscape_count and portrait_count of every catalog row.
void Button11Click(Project& project);

// The four steps in order.
void loadTemplateCatalogs(Project& project, const Workspace& workspace,
                          const JobControl& job = {});

// Every package file (name ending exactly ".rar" or ".RAR") below `folder`, in walk order.
QStringList findPackages(const QString& folder);
// The class mark of an orientation bar list: "heng", "shu", "shuheng", "gaojimoban", or
// empty text when the list holds no item.
QString classMarkOf(const QString& orientation);

}  // namespace solvane
