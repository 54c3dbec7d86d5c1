#pragma once
// The photo tables and fields an import or a list edit may change, saved before the work so
// that a failed or stopped run can put them back.
#include <QString>

#include "model/project.h"

namespace solvane {

class PhotoTablesSnapshot {
 public:
  explicit PhotoTablesSnapshot(const Project& p);
  void restore(Project& p) const;
  // Rows of the photo table and the instance counter when the snapshot was taken.
  int photoCount() const { return photos_.count(); }
  int instanceCount() const { return instances_.toInt(); }

 private:
  Table photos_, batch_, display_, drag_, landscapePool_, portraitPool_, landscapeFallback_,
      portraitFallback_;
  QString instances_, pressed_, cells_, resetSwitch_, unpackCounter_, prefix_;
};

}  // namespace solvane
