#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/headless_services.h"
#include "ui/property_sheet.h"
#include "ui/template_parser.h"

namespace appgen::ui {
namespace {

std::vector<DialogTemplate> templates() {
    const auto parse = parseTemplates(
        "P1 DIALOG 100, 50\nCAPTION \"one\"\nBEGIN\n"
        "  EDITTEXT 501, 5, 5, 40, 12\n  PUSHBUTTON \"More\", 201, 5, 20, 40, 14\nEND\n"
        "P2 DIALOG 100, 50\nCAPTION \"two\"\nBEGIN\nEND\n"
        "P3 DIALOG 100, 50\nCAPTION \"three\"\nBEGIN\nEND\n"
        "SUB DIALOG 80, 40\nBEGIN\n  EDITTEXT 502, 5, 5, 40, 12\n"
        "  DEFPUSHBUTTON \"OK\", 1, 5, 20, 30, 14\nEND\n");
    EXPECT_TRUE(parse.ok()) << parse.error;
    return parse.templates;
}

// A page that logs what the sheet tells it.
class LoggingPage : public PageHandler {
public:
    LoggingPage(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void init(Dialog&) override { log_.push_back(name_ + " created"); }
    void apply(Dialog& d) override { log_.push_back(name_ + " applied " + d.text(501)); }
    void reset(Dialog&) override { log_.push_back(name_ + " dropped"); }
    void command(Dialog& d, const Notification& n) override {
        if (n.id == 201 && onMore) onMore(d);
    }
    std::function<void(Dialog&)> onMore;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class Sheets : public ::testing::Test {
protected:
    std::vector<DialogTemplate> t = templates();
    std::vector<std::string> log;
    LoggingPage one{"one", log}, two{"two", log}, three{"three", log};
    PropertySheet sheet{"Sheet", {{&t[0], &one}, {&t[1], &two}, {&t[2], &three}}};
};

TEST_F(Sheets, PagesAreCreatedWhenFirstShownAndAppliedInPageOrder) {
    sheet.start();
    EXPECT_EQ((std::vector<std::string>{"one created"}), log);
    EXPECT_EQ(nullptr, sheet.page(1));
    sheet.showPage(2);
    sheet.showPage(0);
    sheet.showPage(2);  // shown again: not created again
    EXPECT_EQ(2, sheet.findPage("P3"));
    EXPECT_EQ(-1, sheet.findPage("nope"));
    EXPECT_EQ(UserResult::OutOfRange, sheet.showPage(3));
    sheet.ok();
    EXPECT_EQ((std::vector<std::string>{"one created", "three created", "one applied ",
                                        "three applied "}),
              log);
    EXPECT_EQ(1, sheet.result());
    EXPECT_EQ(UserResult::Closed, sheet.cancel());
}

TEST_F(Sheets, CancelDropsEveryShownPage) {
    sheet.start();
    sheet.showPage(1);
    sheet.cancel();
    EXPECT_EQ((std::vector<std::string>{"one created", "two created", "one dropped", "two dropped"}),
              log);
    EXPECT_EQ(0, sheet.result());
    EXPECT_EQ("P1", sheet.name());
}

// A script of steps; each step may look at the services before it returns its action.
class Steps : public ScriptSource {
public:
    std::deque<std::function<ScriptAction()>> steps;
    std::vector<std::string> rejections;

    void add(ScriptAction a) {
        steps.push_back([a] { return a; });
    }
    void add(std::function<ScriptAction()> f) { steps.push_back(std::move(f)); }
    ScriptAction next() override {
        if (steps.empty()) return {};
        auto f = std::move(steps.front());
        steps.pop_front();
        return f();
    }
    void rejected(const ScriptAction&, const std::string& why) override { rejections.push_back(why); }
};

using A = ScriptAction;

std::vector<std::string> dialogEvents(const HeadlessServices& ui) {
    std::vector<std::string> out;
    for (const auto& e : ui.events()) {
        if (e.kind == RecordedEvent::Kind::DialogOpen) out.push_back("open " + e.caption);
        if (e.kind == RecordedEvent::Kind::DialogClose)
            out.push_back("close " + e.caption + " " + std::to_string(e.value));
    }
    return out;
}

TEST_F(Sheets, HeadlessLoopsRunANestedDialogFromAPageAndThenTheSheet) {
    HeadlessServices ui;
    Steps script;
    ui.setScript(&script);
    DialogHandler plain;
    Dialog sub(t[3], plain);
    int subResult = -5;
    one.onMore = [&](Dialog&) { subResult = ui.runDialog(sub); };

    script.add(A::type(501, "page text"));
    script.add(A::click(201));
    script.add([&] {
        EXPECT_EQ(&sub, ui.topmostDialog());
        EXPECT_EQ(nullptr, ui.topmostSheet());
        return A::type(502, "sub text");
    });
    script.add(A::type(501, "no such box here"));
    script.add(A::dump());
    script.add(A::ok());
    script.add([&] {
        EXPECT_EQ(1, subResult);
        EXPECT_EQ(sheet.page(0), ui.topmostDialog());
        return A::page("P2");
    });
    script.add(A::page("P9"));
    script.add(A::ok());

    EXPECT_EQ(1, ui.runSheet(sheet));
    EXPECT_EQ((std::vector<std::string>{"open P1", "open SUB", "close SUB 1", "close P1 1"}),
              dialogEvents(ui));
    EXPECT_EQ((std::vector<std::string>{"control 501: no such control", "no page P9"}),
              script.rejections);
    EXPECT_EQ((std::vector<std::string>{"one created", "two created", "one applied page text",
                                        "two applied "}),
              log);
    bool dumped = false;
    for (const auto& e : ui.events())
        if (e.kind == RecordedEvent::Kind::Dump) {
            dumped = true;
            EXPECT_EQ("SUB", e.caption);
            EXPECT_NE(std::string::npos, e.text.find("\"502\":{\"text\":\"sub text\""));
        }
    EXPECT_TRUE(dumped);
    EXPECT_EQ(nullptr, ui.topmostDialog());
}

TEST_F(Sheets, WhenInputRunsOutEveryOpenWindowIsDestroyedUnapplied) {
    HeadlessServices ui;
    Steps script;
    ui.setScript(&script);
    DialogHandler plain;
    Dialog sub(t[3], plain);
    int subResult = -5;
    one.onMore = [&](Dialog&) { subResult = ui.runDialog(sub); };
    script.add(A::click(201));
    script.add(A::end());

    EXPECT_EQ(0, ui.runSheet(sheet));
    EXPECT_EQ(0, subResult);
    EXPECT_TRUE(ui.inputEnded());
    EXPECT_EQ((std::vector<std::string>{"one created"}), log);  // neither applied nor dropped
    EXPECT_EQ((std::vector<std::string>{"open P1", "open SUB", "close SUB 0", "close P1 0"}),
              dialogEvents(ui));
    // Later dialogs do not open at all.
    Dialog again(t[3], plain);
    EXPECT_EQ(0, ui.runDialog(again));
    EXPECT_FALSE(again.started());
}

TEST(HeadlessDialogs, WithoutAScriptADialogClosesAtOnce) {
    const auto t = templates();
    HeadlessServices ui;
    DialogHandler plain;
    Dialog d(t[3], plain);
    EXPECT_EQ(0, ui.runDialog(d));
    EXPECT_TRUE(d.started());
    EXPECT_EQ("no dialog is open", ui.perform(A::ok()));
}

}  // namespace
}  // namespace appgen::ui
