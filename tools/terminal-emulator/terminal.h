// The terminal's side of the protocols: the handshake, 200 image blocks,
// lookup lines and "OVER\r", and the upload of records after "READ\r", with
// the faults asked for on the command line.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cradle.h"
#include "event_log.h"
#include "options.h"
#include "wire.h"

namespace emulator {

class Terminal {
public:
    Terminal(Options options, Wire& wire, EventLog& log);
    // Serves sessions until the asked number completed or the line stayed
    // quiet too long; the process exit status.
    int run();

private:
    enum class Unit { Data, Handshake, Quiet };

    std::optional<std::uint8_t> nextByte(int timeoutMs);
    void reply(const std::string& text);
    bool answerHandshake();
    Unit readBlock(std::string& out);
    Unit readLine(std::string& out, int timeoutMs);

    // Each returns true when the session completed.
    bool programSession();
    bool lookupSession();
    bool uploadSession();

    // Faults for the unit with this index, taken at most once unless told otherwise.
    bool takeFull(int unit);
    bool takeNak(int unit);
    bool takeDrop(int unit);
    bool takeStall(int unitsDone);
    // Hang-up and exit faults after this many units; true when the line is gone.
    bool takeLineFault(int unitsDone);
    bool takeHalf(int unit);

    void loadRecords();
    void writeStats();
    void complete(const char* what);

    Options o_;
    Wire& wire_;
    EventLog& log_;
    std::unique_ptr<Cradle> cradle_;
    bool idle_ = true;
    int completed_ = 0;
    int units_ = 0;
    std::vector<std::string> records_;
};

}  // namespace emulator
