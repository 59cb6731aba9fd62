#include "shell/simulate_session.h"

#include <cctype>
#include <charconv>
#include <chrono>

#include "shell/json_writer.h"
#include "project/text.h"
#include "simulator/key_codes.h"

namespace appgen::shell {
namespace {

namespace chr = std::chrono;
using simulator::LocalDateTime;

bool parseNumber(std::string_view text, long long& out) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

struct NamedKey {
    const char* name;
    int code;
};
constexpr NamedKey kNamedKeys[] = {
    {"0", simulator::kKey0},         {"-", simulator::kKeyDash},
    {".", simulator::kKeyDot},       {"ALPHA", simulator::kKeyAlpha},
    {"POWER", simulator::kKeyPower}, {"FN", simulator::kKeyFn},
    {"ENTER", simulator::kKeyEnter}, {"RENTER", simulator::kKeyRightEnter},
    {"LEFT", simulator::kKeyLeft},   {"UP", simulator::kKeyUp},
    {"RIGHT", simulator::kKeyRight}, {"ESC", simulator::kKeyEsc},
    {"DOWN", simulator::kKeyDown},   {"BS", simulator::kKeyBackspace},
    {"RESET", simulator::kCommandReset},
};

}  // namespace

LocalDateTime VirtualLocalClock::now() {
    const chr::sys_days day = chr::year{start_.year} / chr::month{static_cast<unsigned>(start_.month)} /
                              chr::day{static_cast<unsigned>(start_.day)};
    const auto t = day + chr::hours{start_.hour} + chr::minutes{start_.minute} +
                   chr::seconds{start_.second} + chr::milliseconds{elapsedMs_};
    const auto midnight = chr::floor<chr::days>(t);
    const chr::year_month_day ymd{midnight};
    const chr::hh_mm_ss hms{chr::floor<chr::seconds>(t - midnight)};
    return {static_cast<int>(ymd.year()),          static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
            static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count())};
}

std::optional<LocalDateTime> parseLocalDateTime(std::string_view text) {
    // Positions of the separators in "YYYY-MM-DDTHH:MM:SS".
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    long long v[6];
    const std::size_t at[6] = {0, 5, 8, 11, 14, 17};
    const std::size_t len[6] = {4, 2, 2, 2, 2, 2};
    for (int i = 0; i < 6; ++i) {
        const std::string_view part = text.substr(at[i], len[i]);
        for (char c : part)
            if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        if (!parseNumber(part, v[i])) return std::nullopt;
    }
    const chr::year_month_day ymd{chr::year{static_cast<int>(v[0])}, chr::month{static_cast<unsigned>(v[1])},
                                  chr::day{static_cast<unsigned>(v[2])}};
    if (!ymd.ok() || v[3] > 23 || v[4] > 59 || v[5] > 59) return std::nullopt;
    return LocalDateTime{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                         static_cast<int>(v[3]), static_cast<int>(v[4]), static_cast<int>(v[5])};
}

std::optional<KeyToken> parseKeyToken(std::string_view token) {
    long long n = 0;
    if (token.size() == 1 && token[0] >= '1' && token[0] <= '9') return KeyToken{KeyToken::Kind::Click, token[0] - '0'};
    for (const auto& k : kNamedKeys)
        if (token == k.name) return KeyToken{KeyToken::Kind::Click, k.code};
    if (token.size() > 1 && token[0] == '#' && parseNumber(token.substr(1), n) && n >= -1000000 && n <= 1000000)
        return KeyToken{KeyToken::Kind::Click, static_cast<int>(n)};
    constexpr std::string_view kTick = "tick:";
    if (token.substr(0, kTick.size()) == kTick && parseNumber(token.substr(kTick.size()), n) && n >= 0 &&
        n <= 100000000)
        return KeyToken{KeyToken::Kind::Ticks, static_cast<int>(n)};
    return std::nullopt;
}

std::optional<std::vector<KeyToken>> parseKeyTokens(std::string_view keys, std::string* bad) {
    std::vector<KeyToken> out;
    std::size_t i = 0;
    while (i < keys.size()) {
        while (i < keys.size() && std::isspace(static_cast<unsigned char>(keys[i]))) ++i;
        std::size_t j = i;
        while (j < keys.size() && !std::isspace(static_cast<unsigned char>(keys[j]))) ++j;
        if (j == i) break;
        const std::string_view word = keys.substr(i, j - i);
        const auto t = parseKeyToken(word);
        if (!t) {
            if (bad) *bad = std::string(word);
            return std::nullopt;
        }
        out.push_back(*t);
        i = j;
    }
    return out;
}

SimulateSession::SimulateSession(Project& project, const LocalDateTime& start)
    : clock_(start), sim_(project, *this, clock_, repaint_) {
    // As the Form page's OK would set it for this project.
    sim_.setUtilitiesEntries(utilitiesEntryCount(project));
    sim_.start();
}

void SimulateSession::apply(const KeyToken& token) {
    if (token.kind == KeyToken::Kind::Click) {
        sim_.clickKey(token.value);
        return;
    }
    for (int i = 0; i < token.value; ++i) {
        clock_.advanceMs(100);
        sim_.tick();
    }
}

void SimulateSession::warningBox(const std::string& text, const std::string& caption) {
    JsonWriter w;
    w.beginObject().key("box").value(text).key("caption").value(caption).endObject();
    events_.push_back(w.text());
}

void SimulateSession::postCommand(int command) {
    JsonWriter w;
    w.beginObject().key("post").value(command).endObject();
    events_.push_back(w.text());
}

std::string simulatorStateJson(const simulator::Simulator& sim, const std::vector<std::string>& events) {
    const simulator::DisplayModel& d = sim.display();
    const simulator::MultiTap& tap = sim.multiTap();
    JsonWriter w;
    w.beginObject();
    w.key("state").value(simulator::stateName(d.state));
    w.key("code").value(simulator::stateCode(d.state));
    w.key("screen").value(d.currentScreen);
    w.key("lines").beginArray();
    for (const auto& l : d.screenLines) w.value(cp1251ToUtf8(l));
    w.endArray();
    w.key("highlight").value(d.highlightLine);
    w.key("wide").value(d.widePitch);
    w.key("cursor").beginArray().value(d.cursorRow).value(d.cursorCol).endArray();
    w.key("alpha").value(d.alphaMode);
    w.key("pending").value(tap.charPending ? cp1251ToUtf8(std::string(1, tap.pendingChar)) : std::string());
    w.key("clock").value(cp1251ToUtf8(sim.clockLine()));
    w.key("records").value(d.recordCount);
    w.key("record").value(cp1251ToUtf8(sim.recordBuffer()));
    w.key("events").beginArray();
    for (const auto& e : events) w.raw(e);
    w.endArray();
    w.endObject();
    return w.text();
}

std::string SimulateSession::stateJson() {
    std::string json = simulatorStateJson(sim_, events_);
    events_.clear();
    return json;
}

}  // namespace appgen::shell
