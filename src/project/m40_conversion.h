// Conversion of an older M40 project file into the current record.
#pragma once

#include <cstddef>

#include "project/project.h"

namespace appgen {

// `old` holds the file as read; `size` bytes of it were in the file (at most
// 10510). Blocks the file did not wholly reach are not converted, so the
// fields they feed keep their reset defaults.
void convertM40(const unsigned char* old, std::size_t size, Project& p);

}  // namespace appgen
