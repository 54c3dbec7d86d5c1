#pragma once
// The smallest real template library: one template of `frames` frames with one slot for a
// photograph of either orientation (box 360,140 1200×800 over a dark background) and a
// 100-frame closing movie, built by the library tool as the program's build does.
#include <filesystem>

#include <QByteArray>
#include <QString>

namespace solvane::test {

// The movie source of the one template (over a plain `background`) and of the closing movie,
// for tests that build libraries of their own.
QByteArray tinyTemplateSource(int frames, const QString& background = QStringLiteral("#202020"));
QByteArray tinyClosingSource();

// Builds the library below `folder` and returns its root (`folder`/library); an empty text
// when the tool is missing or failed (`why` says how).
QString buildTinyLibrary(const std::filesystem::path& folder, int frames, QString* why = nullptr);

}  // namespace solvane::test
