// Where an error that no handler caught ends. Every entry from the system
// into our code (window procedures, subclassed controls, dialog procedures,
// timer callbacks, the message loop's key preview) runs its work through
// Guard: an exception never unwinds through the system's frames, it is
// handed to the one reporter the program installed, and the program goes on.
#pragma once

#include <exception>
#include <functional>

namespace ondrix::win {

// The process has one reporter; installing one replaces the previous, and an
// empty one drops errors silently.
using ErrorReporter = std::function<void(std::exception_ptr)>;
void SetErrorReporter(ErrorReporter reporter);

// Hands the error to the reporter. Never throws: an error while reporting is
// dropped.
void ReportError(std::exception_ptr error) noexcept;

// Runs `body`; an exception it throws goes to the reporter. False when one did.
template <class Body>
bool Guard(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportError(std::current_exception());
    return false;
  }
}

}  // namespace ondrix::win
