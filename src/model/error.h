#pragma once
// The one error style of the core: a failure carries a message a user can read
// (file, frame, reason) up to whoever shows it. Callers catch solvane::Error.
#include <stdexcept>
#include <string>

#include <QString>

namespace solvane {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
  explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}

  // The message as the windows show it.
  QString message() const { return QString::fromUtf8(what()); }
};

// Thrown when long work stops because the user asked it to. Not a failure to report.
class Cancelled : public Error {
 public:
  Cancelled() : Error(std::string("cancelled")) {}
};

}  // namespace solvane
