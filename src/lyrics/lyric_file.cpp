#include "lyrics/lyric_file.h"

#include "model/error.h"
#include "model/file_io.h"
#include "model/text_codec.h"

namespace solvane {

QString readLyricFile(const QString& path) {
  const QString text =
      decodeTextFile(readWholeFile(path, kMaxLyricFileBytes, QStringLiteral("lyric file")));
  qsizetype lineStart = 0;
  int lineNumber = 1;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != QLatin1Char('\n')) continue;
    if (i - lineStart > kMaxLyricLineLength)
      throw Error(QStringLiteral("%1: line %2 is %3 characters long; a lyric line may hold at "
                                 "most %4")
                      .arg(path).arg(lineNumber).arg(i - lineStart).arg(kMaxLyricLineLength));
    lineStart = i + 1;
    ++lineNumber;
  }
  return text;
}

}  // namespace solvane
