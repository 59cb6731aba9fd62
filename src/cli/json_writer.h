// The JSON writer lives with the script session in the shell; the commands
// keep their names for it.
#pragma once

#include "shell/json_writer.h"

namespace appgen::cli {
using shell::JsonWriter;
using shell::jsonString;
}  // namespace appgen::cli
