// Projects full of arbitrary bytes, as a damaged or foreign file may give,
// driven by arbitrary key codes and ticks: every screen stays inside its
// bounds. Run under the sanitizers, this is what finds a stray index.
#include <random>

#include "sim_harness.h"

namespace appgen::simulator::testing {
namespace {

using RandomRuns = SimTest;

void scramble(std::mt19937& rng, void* block, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(rng());
}

TEST_F(RandomRuns, ArbitraryProjectsAndKeysStayInBounds) {
    std::mt19937 rng(4610);
    int onForms = 0, onMenus = 0, errors = 0;
    for (int run = 0; run < 200; ++run) {
        resetProject(project);
        scramble(rng, project.forms, sizeof project.forms);
        scramble(rng, project.menus, sizeof project.menus);
        if (run % 2 == 0) {
            // Plausible forms too: small types, so that fields really take input.
            for (auto& f : project.forms)
                for (auto& t : f.lineType) t = static_cast<u8>(rng() % 13);
        }
        project.terminal.startWith = static_cast<u8>(rng() % 2);
        project.terminal.separator1 = static_cast<u8>(rng());
        sim.start();
        for (int k = 0; k < 400; ++k) {
            const unsigned r = rng() % 100;
            if (r < 10)
                sim.tick();
            else if (r < 12)
                sim.clickKey(1);  // back into the run
            else
                sim.clickKey(static_cast<int>(rng() % 26));
            const DisplayModel& d = sim.display();
            onForms += d.state == SimState::FormScreen;
            onMenus += d.state == SimState::MenuScreen;
            errors += d.state == SimState::ErrorScreen;
            for (const auto& l : d.screenLines) ASSERT_LE(l.size(), 20u);
            ASSERT_GE(d.cursorCol, 0);
            ASSERT_LE(d.cursorCol, 19);
            ASSERT_GE(d.cursorRow, 0);
            ASSERT_LE(d.cursorRow, 7);
            ASSERT_LE(sim.recordBuffer().size(), kRecordBufferSize);
            ASSERT_LE(sim.clockLine().size(), 20u);
        }
    }
    // The runs must really have reached the project's screens.
    EXPECT_GT(onForms, 10000);
    EXPECT_GT(onMenus, 1000);
    EXPECT_GT(errors, 1000);
}

}  // namespace
}  // namespace appgen::simulator::testing
