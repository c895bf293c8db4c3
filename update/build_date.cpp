#include "update/build_date.h"

#include "build_date_generated.h"

namespace ondrix {

Date ReleaseBuildDate() { return Date{ONDRIX_BUILD_YEAR, ONDRIX_BUILD_MONTH, ONDRIX_BUILD_DAY}; }

}  // namespace ondrix
