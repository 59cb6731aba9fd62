#include "event_log.h"

#include <cstdarg>
#include <ctime>

namespace emulator {
namespace {

double monotonic() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

const double kStart = monotonic();

}  // namespace

double nowMs() { return monotonic() - kStart; }

EventLog::EventLog(const std::string& path) {
    if (!path.empty()) f_ = std::fopen(path.c_str(), "w");
}

EventLog::~EventLog() {
    if (f_) std::fclose(f_);
}

void EventLog::operator()(const char* format, ...) {
    if (!f_) return;
    std::fprintf(f_, "%.3f ", nowMs());
    va_list ap;
    va_start(ap, format);
    std::vfprintf(f_, format, ap);
    va_end(ap);
    std::fputc('\n', f_);
    std::fflush(f_);
}

}  // namespace emulator
