// A link on the fake port and the virtual clock, with scripted services
// behind the shell's operator panel, as the front ends have them.
#pragma once

#include <string>
#include <vector>

#include "fake_line.h"
#include "link/link_context.h"
#include "shell/services_operator_panel.h"
#include "ui/headless_services.h"

namespace appgen::link::testing {

// Keeps every message box request whole: icon, buttons, owner and detail.
class RecordingServices : public ui::HeadlessServices {
public:
    ui::Answer messageBox(const ui::MessageBoxRequest& r) override {
        requests.push_back(r);
        return HeadlessServices::messageBox(r);
    }
    std::vector<ui::MessageBoxRequest> requests;
};

struct LinkHarness {
    VirtualClock clock;
    FakePort port{clock};
    RecordingServices ui;
    shell::ServicesOperatorPanel panel{ui};
    LinkState state;
    LinkContext link{port, clock, panel, state};

    // "caption: text" of every message box, in order.
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& e : ui.events())
            if (e.kind == ui::RecordedEvent::Kind::Box) out.push_back(e.caption + ": " + e.text);
        return out;
    }
    std::vector<ui::RecordedEvent> eventsOf(ui::RecordedEvent::Kind k) const {
        std::vector<ui::RecordedEvent> out;
        for (const auto& e : ui.events())
            if (e.kind == k) out.push_back(e);
        return out;
    }
};

}  // namespace appgen::link::testing
