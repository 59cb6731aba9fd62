// Prints what one simulated key press and one clock tick cost.
#include <chrono>
#include <cstdio>

#include "project/project.h"
#include "project/text.h"
#include "simulator/key_codes.h"
#include "simulator/simulator.h"

namespace {

using namespace appgen;
using namespace appgen::simulator;

class FixedClock : public LocalClock {
public:
    LocalDateTime now() override { return {2026, 3, 5, 9, 7, 30}; }
};

class NullHost : public SimulatorHost {
public:
    void warningBox(const std::string&, const std::string&) override {}
    void postCommand(int) override {}
};

template <typename F>
double nanosecondsEach(long n, F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    for (long i = 0; i < n; ++i) f(i);
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(t1 - t0).count() / static_cast<double>(n);
}

}  // namespace

int main() {
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    FormDef& f = p.forms[0];
    for (int i = 0; i < kFormLines; ++i) {
        f.lineType[i] = i == 7 ? kLinePrevious : kLineText;
        setSlotText(f.prompt[i], "Field:");
        f.maxLen[i] = 30;
        f.inputMark[i] = '_';
    }
    f.recordAction = 3;
    f.stampPosition = 2;
    FixedClock clock;
    NullHost host;
    NoRepaint repaint;
    Simulator sim(p, host, clock, repaint);
    sim.start();
    sim.pressKey(1);

    // Thirty digits and Enter per field, so that entries scroll and records complete.
    const long keys = 2'000'000;
    const double perKey = nanosecondsEach(keys, [&](long i) {
        const long k = i % 31;
        sim.pressKey(k == 30 ? kKeyEnter : static_cast<int>(1 + k % 9));
    });
    sim.pressKey(kCommandReset);
    const double perTick = nanosecondsEach(keys, [&](long) { sim.tick(); });
    std::printf("simulator: %.0f ns a key press on a form (%ld presses, %d records)\n", perKey, keys,
                sim.display().recordCount);
    std::printf("simulator: %.0f ns a clock tick on the main screen\n", perTick);
    return 0;
}
