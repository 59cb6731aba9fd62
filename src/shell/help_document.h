// The operator's help: docs/help.md of the source tree, installed beside the
// program as share/doc/appgen/help.md.
#pragma once

#include <string>

namespace appgen::shell {

// The first of the places the help document may be, seen from the program's
// folder, that holds it; the installed place when none does.
std::string helpDocumentPath(const std::string& programFolder);

}  // namespace appgen::shell
