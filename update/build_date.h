// The date of this release, fixed when the program is built (see
// cmake/BuildDate.cmake): the age warning counts from it.
#pragma once

#include "settings/settings_values.h"

namespace ondrix {

Date ReleaseBuildDate();

}  // namespace ondrix
