// The lookup download's reader of a file on the disk, handed to the link by
// each front end as the upload's record file is.
#pragma once

#include <memory>
#include <string>

#include "link/lookup_file.h"

namespace appgen::platform {

// The file by its UTF-8 name; not open (isOpen() false, error() telling
// why) when it cannot be opened.
std::unique_ptr<link::LookupFile> openLookupFile(const std::string& path);

}  // namespace appgen::platform
