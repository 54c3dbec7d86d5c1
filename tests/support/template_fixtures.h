#pragma once
// Small template libraries built by the tests themselves.
#include <vector>

#include <QString>

#include "templates/parameter_file.h"

namespace solvane::test {

struct LibraryTemplate {
  // Package file name below wjj_02 (parameters) and wjj_01 (movie), e.g. "sub/t01.rar".
  QString fileName;
  TemplateParameters parameters;
};

// Parameters of a template whose slots have the given orientation bar list; widths,
// heights and frame count are filled in to match the number of slots.
TemplateParameters templateWithSlots(const QString& orientation, const QString& type = "t");

// Writes the parameter and movie package of every template under `libraryRoot`.
void writeTemplateLibrary(const QString& libraryRoot, const std::vector<LibraryTemplate>& templates);

// Where the parameter and movie package of `fileName` go below `libraryRoot`.
QString parameterPackagePath(const QString& libraryRoot, const QString& fileName);
QString moviePackagePath(const QString& libraryRoot, const QString& fileName);

}  // namespace solvane::test
