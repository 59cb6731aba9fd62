// Command-line switches of the terminal emulator: what a session carries,
// where the received data goes, pacing, the cradle, and the faults to show.
#pragma once

#include <optional>
#include <string>

namespace emulator {

enum class Mode { Program, Lookup, Upload };

struct Options {
    Mode mode = Mode::Program;
    std::string imageOut;   // program: the received image
    std::string lookupOut;  // lookup: the received lines, each with CR LF
    std::string capture;    // every byte received, raw
    std::string log;        // one timestamped line per event
    std::string stats;      // figures for the benchmark, rewritten after every session
    std::string records;    // upload: one record per line
    int generateCount = 0;  // upload: generated records...
    int generateSize = 0;   // ...of this many bytes
    int firstSeq = 0;
    long paceBaud = 0;       // 0: as fast as the pseudo-terminal goes
    long cradleBaud = 0;     // nonzero: a cradle in front, listening at this speed
    bool cradleNoise = false;  // probes at another speed hear a wrong byte
    long lineBaud = 0;       // nonzero: the terminal hears only bytes sent at this speed
    bool silent = false;
    std::string handshakeReply = "ACK\r";
    int fullAt = -1;
    int nakAt = -1;
    int nakCount = -1;  // -1: every time
    int dropReplyAt = -1;
    int stallAfter = -1;
    int corruptAt = -1;
    int repeatAt = -1;
    int longLineAt = -1;
    int hangUpAfter = -1;  // close the line after K units, then linger until killed
    int exitAfter = -1;    // leave (the process ends) after K units
    int floodAt = -1;      // upload: garbage before record K
    int floodBytes = 4000;
    int halfFrameAt = -1;  // answer unit K (send record K) with half of it first
    int sessions = 0;      // exit after this many completed sessions; 0: until killed
    int idleExitSeconds = 60;
};

// On bad usage prints why to stderr and returns nothing.
std::optional<Options> parseOptions(int argc, char** argv);
// "ACK\r" from the text ACK\r (\r, \n, \xHH and \\ understood).
std::string unescape(const std::string& s);

}  // namespace emulator
