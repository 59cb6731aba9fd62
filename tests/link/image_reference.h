// A second compile, written straight from the record's byte offsets, that the
// image tests hold the real one against.
#pragma once

#include <cstdint>
#include <vector>

#include "project/project.h"

namespace appgen::test {

using Bytes = std::vector<std::uint8_t>;

struct ReferenceCompile {
    Bytes project;  // the 18942 record bytes after the compile
    Bytes image;    // the 20000 image bytes
};

Bytes recordBytes(const Project& p);
ReferenceCompile referenceCompile(Bytes record);

}  // namespace appgen::test
