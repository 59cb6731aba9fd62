// Timestamped event lines: "12.345 block 7 ok", milliseconds since start.
#pragma once

#include <cstdio>
#include <string>

namespace emulator {

double nowMs();  // monotonic milliseconds since the emulator started

class EventLog {
public:
    explicit EventLog(const std::string& path);
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    void operator()(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    std::FILE* f_ = nullptr;
};

}  // namespace emulator
