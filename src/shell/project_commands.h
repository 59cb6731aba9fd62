// Open, Save and Save As with their dialogs and messages.
#pragma once

#include "project/project.h"
#include "ui/services.h"

namespace appgen::shell {

// Runs the open dialog and reads the chosen file into ws.project, which the
// caller has reset. True when a file was read; a converted older file leaves
// no file name, so the next save asks for one.
bool openProject(Workspace& ws, ui::Services& ui);
// Writes to the current file, or runs Save As when there is none.
bool saveProject(Workspace& ws, ui::Services& ui);
bool saveProjectAs(Workspace& ws, ui::Services& ui);

// "job" -> "job.TGP"; "job.tgp" stays; "job.tgt" -> "job.tgt.TGP".
std::string withProjectSuffix(const std::string& name);

}  // namespace appgen::shell
