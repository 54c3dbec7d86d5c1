#include "templates/ini_reader.h"

#include <QFile>

#include "model/text_codec.h"

namespace solvane {

IniFile IniFile::parse(const QByteArray& bytes) {
  IniFile ini;
  const QString text = bytes.startsWith("\xef\xbb\xbf") ? QString::fromUtf8(bytes.mid(3))
                                                         : decodeGbk(bytes);
  QString section;
  bool inSection = false;
  for (QString line : text.split(QLatin1Char('\n'))) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      const qsizetype close = line.indexOf(QLatin1Char(']'));
      section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toCaseFolded();
      inSection = true;
      continue;
    }
    if (!inSection) continue;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    QString value = line.mid(eq + 1).trimmed();
    // The profile reader strips one pair of matching surrounding quotes.
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
      value = value.mid(1, value.size() - 2);
    ini.entries_.push_back({section, line.left(eq).trimmed().toCaseFolded(), value});
  }
  return ini;
}

IniFile IniFile::load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return parse(file.readAll());
}

QString IniFile::value(const QString& section, const QString& key) const {
  const QString s = section.toCaseFolded();
  const QString k = key.toCaseFolded();
  for (const Entry& e : entries_)
    if (e.section == s && e.key == k) return e.value;
  return {};
}

}  // namespace solvane
