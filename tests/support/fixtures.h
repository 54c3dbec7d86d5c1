#pragma once
// Shared helpers of the test programs: a scratch folder per test and small file tools.
#include <filesystem>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

namespace solvane::test {

// Runs before the QGuiApplication exists (font aliases must be loaded by then).
void prepareTestEnvironment();

// A fresh folder under the system temp dir, removed when the object goes away.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  QString qpath() const { return QString::fromStdString(path_.string()); }
  std::filesystem::path operator/(const std::string& rel) const { return path_ / rel; }

 private:
  std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const QByteArray& bytes);
QByteArray readFile(const std::filesystem::path& path);
// Every regular file below `folder` (recursively), sorted.
std::vector<std::filesystem::path> findFiles(const std::filesystem::path& folder);

}  // namespace solvane::test
