#pragma once
// Simplified and traditional Chinese, character by character: every character maps to
// one character, so the result always has as many characters as the input (unlike phrase
// conversion, which may rewrite words). Characters without a counterpart stay as they are.
#include <QString>

namespace solvane {

QString ToSimplified(const QString& text);
QString ToTraditional(const QString& text);

// The conversion a karaoke row's script cell asks for: "jianti" → simplified, "fanti" →
// traditional, anything else unchanged.
QString convertToScript(const QString& text, const QString& script);

}  // namespace solvane
