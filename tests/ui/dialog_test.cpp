#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_json.h"
#include "ui/template_parser.h"

namespace appgen::ui {
namespace {

DialogTemplate testTemplate() {
    const auto parse = parseTemplates(
        "T DIALOG 200, 100\n"
        "BEGIN\n"
        "  EDITTEXT 501, 5, 5, 40, 12\n"
        "  EDITTEXT 502, 50, 5, 40, 12\n"
        "  CHECKBOX \"plain\", 101, 5, 20, 40, 10\n"
        "  AUTOCHECKBOX \"auto\", 102, 50, 20, 40, 10\n"
        "  AUTORADIOBUTTON \"a\", 301, 5, 35, 20, 10, GROUP\n"
        "  AUTORADIOBUTTON \"b\", 302, 30, 35, 20, 10\n"
        "  AUTORADIOBUTTON \"c\", 303, 55, 35, 20, 10, GROUP\n"
        "  RADIOBUTTON \"p\", 304, 80, 35, 20, 10\n"
        "  DROPDOWNLIST 601, 5, 50, 60, 12\n"
        "  CUSTOM \"\", 401, 5, 65, 40, 20\n"
        "  LTEXT \"label\", 402, 50, 65, 40, 8\n"
        "  LTEXT \"static\", -1, 50, 75, 40, 8\n"
        "  PUSHBUTTON \"Go\", 201, 100, 65, 40, 14, DISABLED\n"
        "  DEFPUSHBUTTON \"OK\", 1, 100, 80, 40, 14\n"
        "  PUSHBUTTON \"Cancel\", 2, 150, 80, 40, 14\n"
        "END\n");
    EXPECT_TRUE(parse.ok()) << parse.error;
    return parse.templates.at(0);
}

// Records every notification and lets a test react to it.
class Recorder : public DialogHandler {
public:
    void init(Dialog& d) override {
        ++inits;
        if (onInit) onInit(d);
    }
    void command(Dialog& d, const Notification& n) override {
        log.push_back(n);
        if (onCommand) onCommand(d, n);
    }
    void ok(Dialog& d) override {
        log.push_back({kIdOk, Notify::Clicked});
        DialogHandler::ok(d);
    }

    int inits = 0;
    std::vector<Notification> log;
    std::function<void(Dialog&)> onInit;
    std::function<void(Dialog&, const Notification&)> onCommand;
};

class DialogRules : public ::testing::Test {
protected:
    DialogTemplate layout = testTemplate();
    Recorder handler;
    Dialog dialog{layout, handler};
};

TEST_F(DialogRules, SettingAnEditNotifiesAsTypingDoesAndAgainFromItsOwnHandler) {
    // A box that keeps three characters: the cut text is put back and notifies again.
    std::vector<std::string> seen;
    handler.onCommand = [&](Dialog& d, const Notification& n) {
        if (n.id != 501 || n.code != Notify::Changed) return;
        const std::string t = d.text(501);
        seen.push_back(t);
        if (t.size() > 3) d.setText(501, t.substr(0, 3));
    };
    dialog.setText(501, "abcdef");
    EXPECT_EQ((std::vector<std::string>{"abcdef", "abc"}), seen);
    seen.clear();
    EXPECT_EQ(UserResult::Done, dialog.userType(501, "wxyz"));
    EXPECT_EQ((std::vector<std::string>{"wxyz", "wxy"}), seen);
    EXPECT_EQ("wxy", dialog.text(501));
    // Setting the same text again still notifies.
    seen.clear();
    dialog.setText(501, "wxy");
    EXPECT_EQ(1u, seen.size());
}

TEST_F(DialogRules, OnlyEditsNotifyWhenTheProgramSetsText) {
    dialog.setText(402, "new label");
    dialog.setText(101, "new caption");
    EXPECT_TRUE(handler.log.empty());
    EXPECT_EQ("new label", dialog.text(402));
}

TEST_F(DialogRules, PlainCheckBoxOnlyNotifiesAutomaticOneFlipsFirst) {
    std::vector<bool> stateSeen;
    handler.onCommand = [&](Dialog& d, const Notification& n) { stateSeen.push_back(d.checked(n.id)); };
    dialog.userClick(101);
    EXPECT_FALSE(dialog.checked(101));
    dialog.userClick(102);
    EXPECT_TRUE(dialog.checked(102));
    EXPECT_EQ((std::vector<bool>{false, true}), stateSeen);
    // The program sets a plain box's state and hears nothing of it.
    dialog.check(101, true);
    EXPECT_TRUE(dialog.checked(101));
    EXPECT_EQ(2u, handler.log.size());
}

TEST_F(DialogRules, AutomaticRadioButtonsClearOnlyTheirOwnGroup) {
    dialog.check(303, true);
    dialog.userClick(301);
    EXPECT_TRUE(dialog.checked(301));
    dialog.userClick(302);
    EXPECT_FALSE(dialog.checked(301));
    EXPECT_TRUE(dialog.checked(302));
    EXPECT_TRUE(dialog.checked(303));  // another group
    dialog.userClick(304);             // plain: the handler decides
    EXPECT_FALSE(dialog.checked(304));
    EXPECT_TRUE(dialog.checked(303));
    ASSERT_EQ(3u, handler.log.size());
    EXPECT_EQ(304, handler.log[2].id);
}

TEST_F(DialogRules, ChoosingAnEntryNotifiesSelectingFromTheProgramDoesNot) {
    dialog.setItems(601, {"zero", "one", "two"});
    EXPECT_EQ(-1, dialog.selection(601));
    dialog.select(601, 2);
    EXPECT_TRUE(handler.log.empty());
    EXPECT_EQ(2, dialog.selection(601));
    dialog.select(601, 7);  // outside the list: nothing selected
    EXPECT_EQ(-1, dialog.selection(601));
    EXPECT_EQ(UserResult::Done, dialog.userSelect(601, 1));
    ASSERT_EQ(1u, handler.log.size());
    EXPECT_EQ(Notify::SelChanged, handler.log[0].code);
    EXPECT_EQ(1, dialog.selection(601));
    EXPECT_EQ(UserResult::OutOfRange, dialog.userSelect(601, 3));
    EXPECT_EQ(1, dialog.selection(601));
}

TEST_F(DialogRules, UserActionsThatCannotHappenAreRefused) {
    struct Row {
        std::function<UserResult()> act;
        UserResult expected;
    };
    dialog.enable(502, false);
    dialog.show(102, false);
    const Row rows[] = {
        {[&] { return dialog.userType(999, "x"); }, UserResult::NoSuchControl},
        {[&] { return dialog.userType(101, "x"); }, UserResult::WrongKind},
        {[&] { return dialog.userType(502, "x"); }, UserResult::Disabled},
        {[&] { return dialog.userClick(102); }, UserResult::Hidden},
        {[&] { return dialog.userClick(201); }, UserResult::Disabled},  // disabled by its template
        {[&] { return dialog.userClick(402); }, UserResult::WrongKind},
        {[&] { return dialog.userClick(401); }, UserResult::WrongKind},  // needs a point
        {[&] { return dialog.userSelect(501, 0); }, UserResult::WrongKind},
        {[&] { return dialog.userClick(-1); }, UserResult::NoSuchControl},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, r.act());
    EXPECT_TRUE(handler.log.empty());
    EXPECT_EQ("", dialog.text(502));
}

TEST_F(DialogRules, OkAndCancelEndTheDialogAndNothingIsTakenAfterwards) {
    Recorder other;
    Dialog second(layout, other);
    EXPECT_EQ(UserResult::Done, dialog.userClick(kIdOk));
    EXPECT_TRUE(dialog.ended());
    EXPECT_EQ(1, dialog.result());
    EXPECT_EQ(UserResult::Closed, dialog.userType(501, "x"));
    EXPECT_EQ(UserResult::Done, second.userCancel());
    EXPECT_EQ(0, second.result());
    EXPECT_TRUE(other.log.empty());  // Cancel went to cancel(), not command()
}

TEST_F(DialogRules, ButtonsOneAndTwoAreOrdinaryOnAPage) {
    Recorder pageHandler;
    Dialog page(layout, pageHandler, Dialog::Role::Page);
    page.userClick(kIdOk);
    EXPECT_FALSE(page.ended());
    ASSERT_EQ(1u, pageHandler.log.size());
    EXPECT_EQ(UserResult::WrongKind, page.userOk());
}

TEST_F(DialogRules, InitRunsOnceAndItsSetTextNotifies) {
    handler.onInit = [](Dialog& d) { d.setText(501, "7"); };
    dialog.start();
    dialog.start();
    EXPECT_EQ(1, handler.inits);
    ASSERT_EQ(1u, handler.log.size());
    EXPECT_EQ(501, handler.log[0].id);
}

TEST_F(DialogRules, AHandlerThatNeverSettlesIsStopped) {
    int calls = 0;
    handler.onCommand = [&](Dialog& d, const Notification&) {
        ++calls;
        d.setText(501, d.text(501) + "x");
    };
    dialog.setText(501, "");
    EXPECT_EQ(32, calls);
}

TEST_F(DialogRules, ClickHookTakesEditClicksBeforeTheBox) {
    int hooked = 0;
    dialog.hookClick(502, [&](Dialog& d, int id) {
        ++hooked;
        d.setFocus(id);
        return true;
    });
    dialog.userClick(502);
    dialog.userClick(501);
    EXPECT_EQ(1, hooked);
    EXPECT_EQ(501, dialog.focus());
    EXPECT_TRUE(handler.log.empty());
}

TEST_F(DialogRules, CustomControlReportsThePointAndPaintsFromItsSize) {
    dialog.userClickAt(401, 12, 34);
    ASSERT_EQ(1u, handler.log.size());
    EXPECT_EQ(12, handler.log[0].x);
    EXPECT_EQ(34, handler.log[0].y);
    // 40 x 20 dialog units in the default 6 x 13 font.
    EXPECT_EQ(60, dialog.control(401)->pixelWidth);
    EXPECT_EQ(33, dialog.control(401)->pixelHeight);
    dialog.setPainter(401, [](int w, int h) { return PaintList{PaintOp::fill(kBlue, 0, 0, w, h)}; });
    dialog.setPixelSize(401, 170, 85);
    const PaintList ops = dialog.paint(401);
    ASSERT_EQ(1u, ops.size());
    EXPECT_EQ(170, ops[0].x2);
    EXPECT_EQ(85, ops[0].y2);
}

TEST_F(DialogRules, ViewHearsOfEveryChange) {
    std::vector<int> changed;
    dialog.onChanged = [&](int id) { changed.push_back(id); };
    dialog.setText(402, "a");
    dialog.enable(501, false);
    dialog.enable(501, false);  // no change, no call
    dialog.check(101, true);
    dialog.end(3);
    EXPECT_EQ((std::vector<int>{402, 501, 101, kNoId}), changed);
}

// A view redraws a box from the dialog when it hears of it; typing into a box
// that did not have the focus must never show it the text from before.
TEST_F(DialogRules, TypingIsStoredBeforeTheViewHearsOfIt) {
    std::vector<std::string> seen;
    dialog.onChanged = [&](int id) {
        if (id == 502) seen.push_back(dialog.text(502));
    };
    dialog.userType(502, "K");
    ASSERT_FALSE(seen.empty());
    for (const std::string& t : seen) EXPECT_EQ("K", t);
    EXPECT_EQ(502, dialog.focus());
}

TEST(DialogNumber, ReadsUnsignedDecimalsOnly) {
    struct Row {
        const char* text;
        std::optional<unsigned> value;
    };
    const Row rows[] = {
        {"0", 0u},           {"50", 50u},          {"  12 ", 12u},
        {"007", 7u},         {"4294967295", 4294967295u},
        {"4294967296", kNumberTooLarge},           {"", std::nullopt},
        {" 99999999999 ", kNumberTooLarge},        {"99999999999x", std::nullopt},
        {" ", std::nullopt}, {"abc", std::nullopt}, {"12a", std::nullopt},
        {"-1", std::nullopt}, {"+1", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.value, parseDialogNumber(r.text)) << '"' << r.text << '"';
        // Only digits past 32 bits are "too large"; 4294967295 itself fits.
        EXPECT_EQ(r.value == kNumberTooLarge && std::string_view(r.text) != "4294967295",
                  dialogNumberTooLarge(r.text))
            << '"' << r.text << '"';
    }
}

TEST_F(DialogRules, StateAsJson) {
    dialog.setText(501, "\xC0\"q\\");  // "А" in Windows-1251
    dialog.check(102, true);
    dialog.setItems(601, {"x", "\xFF"});
    dialog.select(601, 1);
    dialog.show(502, false);
    const std::string json = dialogStateJson(dialog);
    EXPECT_EQ(0u, json.find("{\"dialog\":\"T\",\"controls\":{\"501\":{\"text\":\"А\\\"q\\\\\","
                            "\"enabled\":true},\"502\":{\"text\":\"\",\"enabled\":true,"
                            "\"visible\":false},\"101\":{\"text\":\"plain\",\"enabled\":true,"
                            "\"checked\":false},\"102\":{\"text\":\"auto\",\"enabled\":true,"
                            "\"checked\":true},"));
    EXPECT_NE(std::string::npos,
              json.find("\"601\":{\"enabled\":true,\"items\":[\"x\",\"я\"],\"selected\":1}"));
    EXPECT_NE(std::string::npos, json.find("\"201\":{\"text\":\"Go\",\"enabled\":false}"));
    EXPECT_EQ(std::string::npos, json.find("static"));  // no id, not shown
    EXPECT_EQ("}}", json.substr(json.size() - 2));
    EXPECT_EQ("\"a\\u0001\\r\\n\"", jsonString("a\x01\r\n"));
}

}  // namespace
}  // namespace appgen::ui
