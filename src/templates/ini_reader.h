#pragma once
// Parameter files read the way the Windows profile-string reader reads them: section and
// key names compared without regard to case, the first match wins, a missing file,
// section or key reads as empty text. The file is GBK text.
#include <QByteArray>
#include <QString>
#include <vector>

namespace solvane {

class IniFile {
 public:
  IniFile() = default;
  // Parses text bytes (GBK, or UTF-8 with a BOM).
  static IniFile parse(const QByteArray& bytes);
  // A file that cannot be read gives an empty IniFile, like a missing file.
  static IniFile load(const QString& path);

  QString value(const QString& section, const QString& key) const;

 private:
  struct Entry {
    QString section;  // case-folded
    QString key;      // case-folded
    QString value;
  };
  std::vector<Entry> entries_;
};

}  // namespace solvane
