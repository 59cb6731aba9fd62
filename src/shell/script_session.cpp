#include "shell/script_session.h"

#include <charconv>
#include <filesystem>

#include "shell/json_writer.h"
#include "project/utf8_path.h"

namespace appgen::shell {
namespace {

std::optional<int> toInt(const std::string& s) {
    int v = 0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    if (r.ec != std::errc() || r.ptr != end) return std::nullopt;
    return v;
}

const char* answerName(ui::Answer a) {
    switch (a) {
        case ui::Answer::Ok: return "ok";
        case ui::Answer::Cancel: return "cancel";
        case ui::Answer::Yes: return "yes";
        case ui::Answer::No: return "no";
        case ui::Answer::Retry: return "retry";
    }
    return "?";
}

std::optional<ui::Answer> answerOf(const std::string& s) {
    if (s == "yes") return ui::Answer::Yes;
    if (s == "no") return ui::Answer::No;
    if (s == "cancel") return ui::Answer::Cancel;
    if (s == "ok") return ui::Answer::Ok;
    if (s == "retry") return ui::Answer::Retry;
    return std::nullopt;
}

}  // namespace

ScriptSession::ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                             std::string helpFile, std::FILE* out, std::FILE* err)
    : ScriptSession(std::move(lines), now, std::move(helpFile), out, err, port_, ticks_) {}

ScriptSession::ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                             std::string helpFile, std::FILE* out, std::FILE* err,
                             link::SerialPort& port, link::TickClock& ticks, ui::HeadlessServices& windows)
    : ScriptSession(std::move(lines), now, std::move(helpFile), out, err, port, ticks, &windows) {}

ScriptSession::ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                             std::string helpFile, std::FILE* out, std::FILE* err,
                             link::SerialPort& port, link::TickClock& ticks)
    : ScriptSession(std::move(lines), now, std::move(helpFile), out, err, port, ticks, nullptr) {}

ScriptSession::ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                             std::string helpFile, std::FILE* out, std::FILE* err,
                             link::SerialPort& port, link::TickClock& ticks,
                             ui::HeadlessServices* windows)
    : lines_(std::move(lines)),
      out_(out),
      err_(err),
      ui_(windows ? *windows : ownUi_),
      clock_(now),
      ports_([this] { return devices_ ? *devices_ : platform::SystemPortDirectory().devices(); }),
      app_(shell::Environment{ui_, port, ticks, clock_, repaint_, std::move(helpFile), {}, &ports_}) {
    ui_.setScript(this);
    ui_.onEvent = [this](const ui::RecordedEvent& e) { printEvent(e); };
    ui_.onUnanswered = [this](const ui::MessageBoxRequest& box) {
        fail("the message box \"" + box.caption + ": " + box.text +
             "\" offers a choice and no answer is queued");
        return box.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Cancel;
    };
}

bool ScriptSession::run() {
    app_.start();
    std::vector<ScriptWord> words;
    while (!failed_ && !app_.closed() && nextLine(words)) {
        if (queueLine(words)) continue;
        mainWindowLine(words);
    }
    if (app_.closed() && !failed_) {
        // Whatever follows the close would go to a window that is gone.
        while (nextLine(words)) {
            std::fprintf(err_, "appgen-cli script: line %zu: the main window is closed; the rest "
                               "of the script is not run\n", lineNo_);
            break;
        }
    }
    return !failed_;
}

bool ScriptSession::nextLine(std::vector<ScriptWord>& words) {
    while (!failed_ && lineNo_ < lines_.size()) {
        const std::string& line = lines_[lineNo_++];
        std::string why;
        auto split = splitScriptLine(line, &why);
        if (!split) {
            fail(why);
            return false;
        }
        if (split->empty()) continue;
        words = std::move(*split);
        return true;
    }
    return false;
}

bool ScriptSession::queueLine(const std::vector<ScriptWord>& w) {
    const std::string& verb = w[0].utf8;
    if (verb == "answer") {
        const auto a = w.size() == 2 ? answerOf(w[1].utf8) : std::nullopt;
        if (!a) {
            fail("answer takes yes, no, cancel or ok");
            return true;
        }
        ui_.queueAnswer(*a);
        return true;
    }
    if (verb == "device") {
        // The serial devices the session sees instead of the machine's:
        // "device none" for none, "device PATH ["PRODUCT"] [STABLE-NAME]" one a line.
        if (w.size() == 2 && w[1].utf8 == "none") {
            devices_.emplace();
            return true;
        }
        if (w.size() < 2 || w.size() > 4 || w[1].utf8.empty()) {
            fail("device takes none, or PATH [\"PRODUCT\"] [STABLE-NAME]");
            return true;
        }
        link::SerialDevice d;
        d.path = w[1].utf8;
        if (w.size() > 2) d.product = w[2].utf8;
        if (w.size() > 3) d.byId.push_back(w[3].utf8);
        if (!devices_) devices_.emplace();
        devices_->push_back(std::move(d));
        return true;
    }
    if (verb == "press-cancel") {
        // The Cancel button of a transfer's window: "press-cancel connecting"
        // as soon as it waits for the terminal, "press-cancel N" once the
        // progress (percent, or records) reaches N.
        const auto n = w.size() == 2 ? toInt(w[1].utf8) : std::nullopt;
        if (w.size() == 2 && w[1].utf8 == "connecting")
            ui_.queueCancel({ui::CancelPress::When::Connecting, 0});
        else if (n && *n >= 0)
            ui_.queueCancel({ui::CancelPress::When::Progress, *n});
        else
            fail("press-cancel takes connecting or a progress value");
        return true;
    }
    if (verb == "file") {
        if (w.size() != 2) {
            fail("file takes a path or cancel");
            return true;
        }
        if (w[1].utf8 == "cancel")
            ui_.queueFile(std::nullopt);
        else
            ui_.queueFile(w[1].utf8);
        return true;
    }
    return false;
}

void ScriptSession::mainWindowLine(const std::vector<ScriptWord>& w) {
    const std::string& verb = w[0].utf8;
    if (verb == "command") {
        const auto id = w.size() == 2 ? toInt(w[1].utf8) : std::nullopt;
        if (!id) return fail("command takes a command number");
        app_.command(*id);
    } else if (verb == "key") {
        const auto token = w.size() == 2 ? parseKeyToken(w[1].utf8) : std::nullopt;
        if (!token) return fail("key takes one key token (1..9 0 - . ALPHA POWER FN ENTER ...)");
        if (token->kind == KeyToken::Kind::Ticks) {
            for (int i = 0; i < token->value; ++i) {
                clock_.advanceMs(100);
                app_.tick();
            }
        } else {
            app_.clickKey(token->value);
        }
    } else if (verb == "tick") {
        const auto n = w.size() == 2 ? toInt(w[1].utf8) : std::nullopt;
        if (!n || *n < 0) return fail("tick takes a number of ticks");
        for (int i = 0; i < *n; ++i) {
            clock_.advanceMs(100);
            app_.tick();
        }
    } else if (verb == "dump") {
        print(simulatorStateJson(app_.simulator(), {}));
    } else if (verb == "type" || verb == "click" || verb == "select" || verb == "ok" ||
               verb == "cancel" || verb == "page") {
        fail(verb + ": no dialog is open");
    } else {
        fail("unknown line '" + verb + "'");
    }
}

ui::ScriptAction ScriptSession::next() {
    std::vector<ScriptWord> words;
    while (!failed_ && nextLine(words)) {
        if (queueLine(words)) continue;
        const ui::ScriptAction a = dialogLine(words);
        if (failed_) break;
        return a;
    }
    return ui::ScriptAction::end();
}

ui::ScriptAction ScriptSession::dialogLine(const std::vector<ScriptWord>& w) {
    using A = ui::ScriptAction;
    const std::string& verb = w[0].utf8;
    const auto arg = [&](std::size_t i) { return i < w.size() ? toInt(w[i].utf8) : std::nullopt; };
    if (verb == "ok" && w.size() == 1) return A::ok();
    if (verb == "cancel" && w.size() == 1) return A::cancel();
    if (verb == "dump" && w.size() == 1) return A::dump();
    if (verb == "type" && w.size() == 3 && arg(1)) return A::type(*arg(1), w[2].cp1251);
    if (verb == "click" && w.size() == 2 && arg(1)) return A::click(*arg(1));
    if (verb == "click" && w.size() == 4 && arg(1) && arg(2) && arg(3))
        return A::clickAt(*arg(1), *arg(2), *arg(3));
    if (verb == "select" && w.size() == 3 && arg(1) && arg(2)) return A::select(*arg(1), *arg(2));
    if (verb == "page" && w.size() == 2) {
        if (const auto n = arg(1)) return A::page(*n);
        return A::page(w[1].utf8);
    }
    if (verb == "command" || verb == "key" || verb == "tick")
        fail(verb + ": the main window takes no input while a dialog is open");
    else
        fail("'" + verb + "' with these arguments is not a dialog action");
    return A::end();
}

void ScriptSession::rejected(const ui::ScriptAction&, const std::string& why) { fail(why); }

void ScriptSession::fail(const std::string& why) {
    if (failed_) return;
    failed_ = true;
    std::fprintf(err_, "appgen-cli script: line %zu: %s\n", lineNo_, why.c_str());
}

void ScriptSession::print(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), out_);
    std::fputc('\n', out_);
}

void ScriptSession::printEvent(const ui::RecordedEvent& e) {
    using K = ui::RecordedEvent::Kind;
    JsonWriter w;
    w.beginObject();
    switch (e.kind) {
        case K::Box:
            w.key("event").value("box").key("caption").value(e.caption).key("text").value(e.text);
            if (!e.detail.empty()) w.key("detail").value(e.detail);
            w.key("answer").value(answerName(e.answer));
            break;
        case K::File:
            w.key("event").value("file").key("kind").value(e.caption).key("answer");
            if (e.answer == ui::Answer::Cancel) w.raw("null");
            else w.value(e.text);
            break;
        case K::DialogOpen: w.key("event").value("open").key("dialog").value(e.caption); break;
        case K::DialogClose:
            w.key("event").value("close").key("dialog").value(e.caption).key("result").value(e.value);
            break;
        case K::Launch: w.key("event").value("launch").key("command").value(e.caption); break;
        case K::Help:
            // The file name only: the folder depends on where the program runs.
            w.key("event").value("help").key("file");
            w.value(utf8String(utf8Path(e.caption).filename()));
            w.key("finder").value(e.text == "finder");
            break;
        case K::ProgressOpen:
            w.key("event").value("progress").key("caption").value(e.caption).key("text").value(e.text);
            break;
        case K::Connecting:
            w.key("event").value("connecting");
            if (e.value == 0) {
                w.key("closed").value(true);
                break;
            }
            w.key("caption").value(e.caption).key("text").value(e.text).key("detail").value(e.detail);
            break;
        case K::ProgressSet: w.key("event").value("progress").key("value").value(e.value); break;
        case K::ProgressClose: w.key("event").value("progress").key("closed").value(true); break;
        case K::Post: w.key("event").value("post").key("command").value(e.value); break;
        case K::Dump: print(e.text); return;
        case K::Cancel: w.key("event").value("cancel"); break;
        case K::Rejected: return;  // reported by rejected()
    }
    w.endObject();
    print(w.text());
}

}  // namespace appgen::shell
