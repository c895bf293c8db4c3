// The product's name, version and web page, for texts the program writes.
#pragma once

#include <string_view>

namespace ondrix {

inline constexpr std::string_view kProductName = "Ondrix";
inline constexpr std::string_view kProductVersionText = "1.6.15";
inline constexpr std::string_view kProductWebPage = "https://www.ondrix.org/";

}  // namespace ondrix
