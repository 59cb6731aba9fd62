// appgen-cli simulate: key tokens, the virtual clock, the JSON state line, and
// the command run as a user runs it.
#include <gtest/gtest.h>


#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/json_writer.h"
#include "cli/simulate_session.h"
#include "project/project_file.h"
#include "project/text.h"
#include "support/cli_run.h"

namespace appgen::cli {
namespace {

namespace fs = std::filesystem;

TEST(Json, EscapesQuotesBackslashesAndControlsAndPassesUtf8) {
    EXPECT_EQ(R"("a\"b\\c\u0002\u000D\u001Fд")", jsonString("a\"b\\c\x02\r\x1f" "д"));
    JsonWriter w;
    w.beginObject().key("n").value(-3).key("l").beginArray().value("x").value(true).endArray();
    w.key("e").beginArray().endArray().key("o").beginObject().endObject().endObject();
    EXPECT_EQ(R"({"n":-3,"l":["x",true],"e":[],"o":{}})", w.text());
}

TEST(KeyTokens, EveryNameAndForm) {
    const auto t = parseKeyTokens("  1 9 0 - . ALPHA POWER FN ENTER RENTER LEFT UP RIGHT ESC DOWN BS RESET #77 tick:12 ");
    ASSERT_TRUE(t);
    const int codes[] = {1, 9, 11, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 51, 77};
    ASSERT_EQ(19u, t->size());
    for (std::size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(KeyToken::Kind::Click, (*t)[i].kind);
        EXPECT_EQ(codes[i], (*t)[i].value) << i;
    }
    EXPECT_EQ(KeyToken::Kind::Ticks, (*t)[18].kind);
    EXPECT_EQ(12, (*t)[18].value);
    std::string bad;
    for (const char* wrong : {"10", "enter", "#", "#x", "tick:", "tick:-1", "A"}) {
        EXPECT_FALSE(parseKeyTokens(std::string("1 ") + wrong, &bad)) << wrong;
        EXPECT_EQ(wrong, bad);
    }
}

TEST(VirtualClock, ParsesAndAdvancesAcrossDayAndYear) {
    EXPECT_FALSE(parseLocalDateTime("2026-02-29T10:00:00"));
    EXPECT_FALSE(parseLocalDateTime("2026-03-03 14:05:00"));
    EXPECT_FALSE(parseLocalDateTime("2026-03-03T24:00:00"));
    EXPECT_FALSE(parseLocalDateTime("2026-3-3T4:05:00"));
    const auto start = parseLocalDateTime("2025-12-31T23:59:59");
    ASSERT_TRUE(start);
    VirtualLocalClock clock(*start);
    clock.advanceMs(900);
    EXPECT_EQ(59, clock.now().second);
    clock.advanceMs(100);
    const auto t = clock.now();
    EXPECT_EQ(2026, t.year);
    EXPECT_EQ(1, t.month);
    EXPECT_EQ(1, t.day);
    EXPECT_EQ(0, t.hour);
    EXPECT_EQ(0, t.second);
}

class Session : public ::testing::Test {
protected:
    Session() {
        resetBarcodeSettings(project);
        resetProject(project);
    }
    void run(const std::string& keys, SimulateSession& s) {
        const auto tokens = parseKeyTokens(keys);
        ASSERT_TRUE(tokens) << keys;
        for (const auto& t : *tokens) s.apply(t);
    }
    Project project{};
};

TEST_F(Session, StateLineOfTheMainScreenAfterTicks) {
    SimulateSession s(project, {2026, 3, 3, 14, 5, 0});
    run("tick:1", s);
    EXPECT_EQ(
        R"({"state":"MainScreen","code":10,"screen":0,"lines":["1.Сбор данных  ","2.Передача     ","3.Инструменты  ",)"
        R"("               ","","","",""],"highlight":1,"wide":true,"cursor":[0,0],"alpha":false,"pending":"",)"
        R"("clock":"MAR 03, 14:05  00000","records":0,"record":"","events":[]})",
        s.stateJson());
}

TEST_F(Session, EventsAreReportedOnceEach) {
    SimulateSession s(project, {2026, 3, 3, 14, 5, 0});
    run("1", s);
    const std::string first = s.stateJson();
    EXPECT_NE(std::string::npos,
              first.find(R"("events":[{"box":"Please define your program!","caption":"No executable program"},{"post":1010}])"));
    EXPECT_NE(std::string::npos, s.stateJson().find(R"("events":[])"));
}

TEST_F(Session, FormRunWithPendingLetterAndRecord) {
    FormDef& f = project.forms[0];
    f.lineType[0] = kLineText;
    setSlotText(f.prompt[0], "A:");
    f.recordAction = 3;
    f.stampPosition = 2;
    f.stampSeconds = 0;
    SimulateSession s(project, {2026, 3, 5, 9, 7, 0});
    run("1 ALPHA 2 2", s);
    std::string j = s.stateJson();
    EXPECT_NE(std::string::npos, j.find(R"("state":"FormScreen","code":110,"screen":1)"));
    EXPECT_NE(std::string::npos, j.find(R"("alpha":true,"pending":"B")"));
    EXPECT_NE(std::string::npos, j.find(R"("cursor":[0,2])"));
    run("tick:7 ENTER", s);
    j = s.stateJson();
    EXPECT_NE(std::string::npos, j.find(R"("records":1,"record":"B,2026/03/05,09:07")")) << j;
}

// The command itself, run as a user runs it.
using appgen::testing::CliRun;
CliRun cli(const std::string& args) { return appgen::testing::runCli(args); }

TEST(SimulateCommand, TracesEveryTokenAndSavesWhatTheRunChanged) {
    const fs::path dir = fs::temp_directory_path() / "appgen-simulate-cli";
    fs::remove_all(dir);
    fs::create_directories(dir);
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    p.forms[0].lineType[0] = kLineInteger;
    p.forms[0].lineType[1] = kLineEmpty;
    setSlotText(p.forms[0].prompt[1], "stale");
    std::ofstream((dir / "in.TGP").string(), std::ios::binary) << projectFileImage(p);

    const std::string in = (dir / "in.TGP").string(), out = (dir / "out.TGP").string();
    const CliRun r = cli("simulate " + in + " --now 2026-03-03T14:05:00 --keys \"1 4 2 ENTER\" --trace --save " + out);
    ASSERT_EQ(0, r.status) << r.out;
    int lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(4, lines);
    EXPECT_NE(std::string::npos, r.out.find(R"("lines":["42",)"));
    EXPECT_NE(std::string::npos, r.out.find(R"("records":1)"));

    Project saved{};
    ASSERT_EQ(ReadStatus::Ok, readProjectFile(out, saved).status);
    EXPECT_EQ("", slotText(saved.forms[0].prompt[1]));
    EXPECT_EQ(1, saved.forms[0].lastInputLine);

    EXPECT_EQ(2, cli("simulate " + in + " --keys \"1 BOGUS\"").status);
    EXPECT_EQ(2, cli("simulate " + in + " --now yesterday").status);
    EXPECT_EQ(2, cli("simulate").status);
    EXPECT_EQ(1, cli("simulate " + (dir / "missing.TGP").string()).status);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace appgen::cli
