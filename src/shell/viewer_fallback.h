// The upload offers to show the received data and goes on whatever the viewer
// did. When none could show them the operator learns where the data are, and
// is offered their folder only where a folder opener is known to work: never
// through the opener that has just failed. Every other call goes through
// unchanged (the connecting window and Cancel among them).
#pragma once

#include <functional>
#include <string>

#include "ui/forwarding_services.h"

namespace appgen::shell {

using FolderOpener = std::function<bool(const std::string& folder)>;

class ViewerFallback : public ui::ForwardingServices {
public:
    // folderOpener is asked for only when the viewer failed; it gives an
    // empty function when no folder opener is known to work.
    ViewerFallback(ui::Services& inner, std::function<FolderOpener()> folderOpener)
        : ForwardingServices(inner), folderOpener_(std::move(folderOpener)) {}

    bool launchViewer(const std::string& path) override;

private:
    std::function<FolderOpener()> folderOpener_;
};

}  // namespace appgen::shell
