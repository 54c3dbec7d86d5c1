// Every file of the fuzz corpus, the seeds and each input that once found a fault, through
// the same bodies the libFuzzer programs run: a fixed fault cannot come back unnoticed.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "fuzz_bodies.h"

namespace solvane {
namespace {

class FuzzCorpus : public testing::TestWithParam<fuzz::Target> {};

TEST_P(FuzzCorpus, EveryFileGoesThroughItsReader) {
  const QDir folder(QStringLiteral(SOLVANE_FUZZ_CORPUS "/") + QString::fromLatin1(GetParam().name));
  const QStringList files = folder.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty()) << "no seeds in " << folder.path().toStdString();
  for (const QString& name : files) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    SCOPED_TRACE(name.toStdString());
    GetParam().run(file.readAll());
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, testing::ValuesIn(fuzz::targets()),
                         [](const testing::TestParamInfo<fuzz::Target>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace solvane
