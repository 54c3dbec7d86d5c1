#include "templates/catalog.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/workspace.h"
#include "support/fixtures.h"
#include "support/template_fixtures.h"
#include "templates/package.h"

namespace solvane {
namespace {

using test::LibraryTemplate;
using test::ScratchDir;
using test::templateWithSlots;

QString expectError(const std::function<void()>& run) {
  try {
    run();
  } catch (const Error& e) {
    return e.message();
  }
  ADD_FAILURE() << "no error";
  return {};
}

// One template per orientation list, with where it must end up and its slot counts.
struct ClassCase {
  QString orientation;
  QString mark;
  // landscape_count/portrait_count per catalog, or empty when not listed there.
  QString inHeng, inShu, inGaoji;
};

const ClassCase kClassCases[] = {
    {"|heng|", "heng", "1/0", "", ""},
    {"|shu|shu|", "shu", "", "0/2", ""},
    {"|shuheng|shuheng|", "shuheng", "2/0", "0/2", ""},
    {"|heng|shuheng|", "gaojimoban", "", "", "2/0"},
    {"|heng|shu|shuheng|", "gaojimoban", "", "", "2/1"},
    {"heng|shu|", "shu", "", "0/1", ""},
    {"heng", "", "", "", ""},
    {"|Heng|", "gaojimoban", "", "", "0/0"},
    {"|heng||", "gaojimoban", "", "", "1/0"},
};

class CatalogLoading : public testing::Test {
 protected:
  ScratchDir dir;
  Workspace workspace{dir.qpath() + "/work", dir.qpath() + "/lib"};
  Project project;

  QString lib() const { return workspace.libraryRoot(); }
  void load() { loadTemplateCatalogs(project, workspace); }
  // "landscape/portrait" of the catalog row of template `seq`, or empty when absent.
  static QString countsOf(const Table& catalog, int seq) {
    for (int i = 0; i < catalog.count(); ++i)
      if (catalog.cell(i, catalog_col::tpl_seq) == QString::number(seq))
        return catalog.cell(i, catalog_col::landscape_count) + "/" +
               catalog.cell(i, catalog_col::portrait_count);
    return {};
  }
};

TEST_F(CatalogLoading, ClassMarksAndSlotCountsFollowTheOrientationLists) {
  std::vector<LibraryTemplate> templates;
  for (size_t i = 0; i < std::size(kClassCases); ++i)
    templates.push_back({QString("t%1.rar").arg(i, 2, 10, QChar('0')),
                         templateWithSlots(kClassCases[i].orientation)});
  test::writeTemplateLibrary(lib(), templates);
  load();

  ASSERT_EQ(project.ListView_mobancanshu.count(), static_cast<int>(std::size(kClassCases)));
  for (int i = 0; i < static_cast<int>(std::size(kClassCases)); ++i) {
    const ClassCase& c = kClassCases[i];
    SCOPED_TRACE(c.orientation.toStdString());
    EXPECT_EQ(project.ListView_mobancanshu.cell(i, param_col::class_mark), c.mark);
    EXPECT_EQ(countsOf(project.ListView_hengzhaopian, i), c.inHeng);
    EXPECT_EQ(countsOf(project.ListView_shuzhaopian, i), c.inShu);
    EXPECT_EQ(countsOf(project.ListView_gaojimoban, i), c.inGaoji);
  }
}

TEST_F(CatalogLoading, RowsCarryTheParametersThePairedMovieAndTheirSequence) {
  TemplateParameters third = templateWithSlots("|shuheng|heng|", "浪漫婚礼");
  third.jpgName = "p1.jpg|p2.jpg";
  third.frameCount = "375";
  test::writeTemplateLibrary(lib(), {{"a.rar", templateWithSlots("|heng|")},
                                     {"b.rar", templateWithSlots("|shu|")},
                                     {"c.rar", third}});
  load();

  const QStringList row = project.ListView_mobancanshu.row(2);
  EXPECT_EQ(row, (QStringList{"浪漫婚礼", "测试", "2", "|800|800|", "|600|600|",
                              "|shuheng|heng|", "p1.jpg|p2.jpg",
                              test::moviePackagePath(lib(), "c.rar"), "gaojimoban", "2", "375"}));
  ASSERT_EQ(project.ListView_gaojimoban.count(), 1);
  EXPECT_EQ(project.ListView_gaojimoban.row(0),
            (QStringList{"浪漫婚礼", "测试", "2", "|800|800|", "|600|600|", "|shuheng|heng|",
                         "p1.jpg|p2.jpg", test::moviePackagePath(lib(), "c.rar"), "gaojimoban",
                         "2", "2", "0", "375"}));
  EXPECT_EQ(project.ListView_shuzhaopian.cell(0, catalog_col::tpl_seq), "1");
}

TEST_F(CatalogLoading, PackagesAreFoundInNameOrderWithSubfoldersInPlace) {
  const QStringList names = {"1.rar", "2/inner.rar", "2/z/deep.rar", "3.rar", "ab.RAR"};
  std::vector<LibraryTemplate> templates;
  for (const QString& name : names) templates.push_back({name, templateWithSlots("|heng|", name)});
  test::writeTemplateLibrary(lib(), templates);
  // Not packages: a capital R with lower-case "ar", other endings.
  for (const char* side : {"wjj_02", "wjj_01"}) {
    for (const char* other : {"aa.Rar", "ab.rAR", "readme.txt", "2/x.rar.bak"})
      test::writeFile(dir / "lib/smxcwjj/wj_0_or_2" / side / other, "not a package");
  }
  load();

  QStringList parameters, movies;
  for (const QString& name : names) {
    parameters << test::parameterPackagePath(lib(), name);
    movies << test::moviePackagePath(lib(), name);
  }
  EXPECT_EQ(project.ListBox_saomiaomobanwenjian, parameters + movies);
  EXPECT_EQ(project.ListBox_saomiaomobanwenjian_ini, parameters);
  EXPECT_EQ(project.ListBox_saomiaomobanwenjian_swf, movies);
  EXPECT_EQ(project.ListBox_saomiaomobanwenjian_bianhao.value(4), "5=   8   9");
  ASSERT_EQ(project.ListView_mobancanshu.count(), names.size());
  for (int i = 0; i < names.size(); ++i) {
    EXPECT_EQ(project.ListView_mobancanshu.cell(i, param_col::tpl_type), names[i]);
    EXPECT_EQ(project.ListView_mobancanshu.cell(i, param_col::location), movies[i]);
  }
}

TEST_F(CatalogLoading, AnEmptyLibraryGivesEmptyCatalogsAndAFreshScratchFolder) {
  test::writeFile(dir / "work/smxcwjj/wj_0_or_2/wjj_00_j_y/wjj_00_j_y.ini", "stale");
  load();
  EXPECT_TRUE(project.ListView_mobancanshu.empty());
  EXPECT_TRUE(project.ListView_hengzhaopian.empty());
  EXPECT_TRUE(project.ListBox_saomiaomobanwenjian_ini.isEmpty());
  const QDir scratch(dir.qpath() + "/work/smxcwjj/wj_0_or_2/wjj_00_j_y");
  EXPECT_TRUE(scratch.exists());
  EXPECT_TRUE(scratch.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(CatalogLoading, UnequalPackageCountsAreAnErrorInsteadOfAMispairing) {
  test::writeTemplateLibrary(lib(), {{"a.rar", templateWithSlots("|heng|")},
                                     {"b.rar", templateWithSlots("|shu|")}});
  QFile::remove(test::moviePackagePath(lib(), "a.rar"));
  const QString message = expectError([&] { load(); });
  EXPECT_TRUE(message.contains("2 parameter packages")) << message.toStdString();
  EXPECT_TRUE(message.contains("1 movie packages")) << message.toStdString();
  EXPECT_TRUE(project.ListView_mobancanshu.empty());
}

// A bad parameter package stops loading: the rows before it stay, later ones are not read,
// and the message names the package.
struct BadPackage {
  const char* name;
  std::function<QByteArray()> bytes;
  const char* reason;
};

void PrintTo(const BadPackage& c, std::ostream* os) { *os << c.name; }

class BadParameterPackage : public CatalogLoading,
                            public testing::WithParamInterface<BadPackage> {};

TEST_P(BadParameterPackage, StopsLoadingWithAnErrorNamingThePackage) {
  test::writeTemplateLibrary(lib(), {{"a.rar", templateWithSlots("|heng|")},
                                     {"b.rar", templateWithSlots("|heng|")},
                                     {"c.rar", templateWithSlots("|heng|")}});
  test::writeFile(dir / "lib/smxcwjj/wj_0_or_2/wjj_02/b.rar", GetParam().bytes());

  const QString message = expectError([&] { load(); });
  EXPECT_TRUE(message.contains(test::parameterPackagePath(lib(), "b.rar"))) << message.toStdString();
  EXPECT_TRUE(message.contains(GetParam().reason)) << message.toStdString();
  ASSERT_EQ(project.ListView_mobancanshu.count(), 1);
  EXPECT_EQ(project.ListView_mobancanshu.cell(0, param_col::tpl_seq), "0");
}

QByteArray damagedPackage() {
  QByteArray bytes = wrap_package(writeParameterFile(templateWithSlots("|heng|")));
  bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x5a);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadParameterPackage,
    testing::Values(
        BadPackage{"ZeroBytes", [] { return QByteArray(); }, "s_y_l_x"},
        BadPackage{"NoMarker",
                   [] { return wrap_package("[1]\r\nmblx=x\r\nszhz=|heng|\r\n"); }, "s_y_l_x"},
        BadPackage{"WrongMarker",
                   [] { return wrap_package("[l_x_w_j_s_y]\r\nl_x_w_j_s_y=S_Y_L_X\r\n"); },
                   "s_y_l_x"},
        BadPackage{"DamagedLayer", damagedPackage, "damaged package"},
        BadPackage{"TruncatedPackage",
                   [] { return wrap_package("[1]\r\n").left(20); }, "damaged package"}),
    [](const testing::TestParamInfo<BadPackage>& info) { return std::string(info.param.name); });

TEST(ClassMark, MatchesTheWholeList) {
  EXPECT_EQ(classMarkOf("|heng|heng|"), "heng");
  EXPECT_EQ(classMarkOf("|shuheng|"), "shuheng");
  EXPECT_EQ(classMarkOf("|shu|heng|"), "gaojimoban");
  EXPECT_EQ(classMarkOf("||"), "gaojimoban");
  EXPECT_EQ(classMarkOf(""), "");
}

}  // namespace
}  // namespace solvane
