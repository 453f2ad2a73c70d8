// The copy template language: r g b print a channel in decimal, R G B in two or more
// upper-case hex digits, every other byte stands for itself. Pure.
#pragma once

#include <string>

#include "sampling/color_analysis.h"

namespace tintora {

std::string ExpandCopyTemplate(const char* copyTemplate, Channels channels);

}  // namespace tintora
