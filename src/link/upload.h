// Data upload: ask the terminal for its records, check and answer each, and
// write them to a text file, one record a line.
#pragma once

#include "link/link_context.h"
#include "link/port_choice.h"
#include "link/record_output.h"

namespace appgen::link {

// Results besides a positive record count.
inline constexpr int kUploadNothing = 0;        // no record, or no connection
inline constexpr int kUploadTimedOut = -1;      // the terminal went quiet during the records
inline constexpr int kUploadFileFailed = -2;
inline constexpr int kUploadPortFailed = -3;
inline constexpr int kUploadLineDown = -4;      // the port hung up
inline constexpr int kUploadStopped = -5;       // the operator stopped the program
inline constexpr int kUploadWriteFailed = -6;   // the file took no more records
inline constexpr int kUploadCancelled = -7;     // the operator pressed Cancel
inline constexpr int kUploadPortHeld = -8;      // the port did not send an answer in time

struct UploadOutcome {
    int result = kUploadNothing;  // the record count when the terminal said "OVER"
    int records = 0;              // records taken, also when the transfer did not complete
};

// Commands 3030 (direct) and 3031 (cradle): the operator picks the output
// file in a save dialog; the records go to it through out. Every record
// acknowledged ends up in the file, however the transfer ends.
UploadOutcome upload(LinkContext& link, const PortChoice& choice, bool cradle, RecordOutput& out);

}  // namespace appgen::link
