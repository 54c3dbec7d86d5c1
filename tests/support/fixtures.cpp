#include "support/fixtures.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

#include "model/fonts.h"

namespace solvane::test {

void prepareTestEnvironment() {
  // The test programs live in the build's bin folder, beside the copied alias file.
  solvane::loadFontAliases();
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("solvane-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::filesystem::path& path, const QByteArray& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.constData(), bytes.size());
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

QByteArray readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
}

std::vector<std::filesystem::path> findFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace solvane::test
