#include "win/error_guard.h"

#include <utility>

namespace ondrix::win {
namespace {

ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}

}  // namespace

void SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

void ReportError(std::exception_ptr error) noexcept {
  try {
    // A copy: the reporter may install another one while it runs.
    const ErrorReporter reporter = Reporter();
    if (reporter) reporter(std::move(error));
  } catch (...) {
  }
}

}  // namespace ondrix::win
