// The upload's output on this system's files: the records go to a partial
// file beside the output as they arrive, each handed to the system before it
// is acknowledged, and take the output's place when the upload ends.
#pragma once

#include <memory>

#include "link/record_output.h"

namespace appgen::platform {

std::unique_ptr<link::RecordOutput> makeRecordFile();

}  // namespace appgen::platform
