// Fields of a running form: types, lengths, scrolling, continuation lines,
// signs, input marks, moving between fields, the error screen and multi-tap.
#include "sim_harness.h"

namespace appgen::simulator::testing {
namespace {

using Fields = SimTest;

TEST_F(Fields, EachTypeTakesOnlyItsCharacters) {
    struct Case {
        u8 type;
        char ch;
        bool taken;
    } cases[] = {
        {kLineText, '-', true},      {kLineInteger, '7', true},  {kLineInteger, '.', false},
        {kLineDecimal, '.', true},   {kLineDecimal, '-', false}, {kLineSigned, '.', true},
        {kLineLetters, 'q', true},   {kLineLetters, '1', false}, {kLineLogical, 'Y', true},
        {kLineLogical, '2', false},  {kLineLogical, 'T', true},  {kLineLookup, '1', false},
        {kLineFixed, '1', false},    {kLineCounter, '1', false}, {kLinePrevious, '1', false},
    };
    for (const auto& c : cases) {
        resetProject(project);
        // The tested line sits below a text line, so it is reached with Enter
        // even when its type is no data line.
        defineForm(1, {{kLineText, "A:"}, {c.type, "B:"}, {kLineText, "C:"}});
        collect();
        press({kKeyEnter});
        if (c.type < kLineText || c.type > kLineLogical) {
            // Not a data line: Enter skips it, so make it current directly.
            form(1).currentLine = 1;
        }
        sim.acceptChar(c.ch);
        EXPECT_EQ(c.taken, state() == SimState::FormScreen) << int(c.type) << " " << c.ch;
        if (!c.taken) {
            EXPECT_EQ("Непр.тип данных!    ", lineText(5)) << int(c.type);
        }
    }
}

TEST_F(Fields, IntegerFieldTakesDigitsUpToItsLengthAndReplacesTheLast) {
    defineForm(1, {{kLineInteger, "Кол:", 3}});
    collect();
    type("12");
    EXPECT_EQ("Кол:12", lineText(0));
    EXPECT_EQ(std::make_pair(0, 6), cursor());
    type("3");
    EXPECT_EQ("Кол:123", lineText(0));
    type("4");
    EXPECT_EQ("Кол:124", lineText(0));
    EXPECT_EQ("124", sim.entry(0).entryText);
    EXPECT_EQ(std::make_pair(0, 6), cursor());
    press({kKeyBackspace});
    EXPECT_EQ("Кол:12", lineText(0));
    EXPECT_EQ("12", sim.entry(0).entryText);
}

TEST_F(Fields, WrongCharacterShowsTheErrorScreenAndTheNextKeyReturns) {
    defineForm(1, {{kLineInteger, "Кол:", 3}});
    collect();
    type("12");
    press({kKeyAlpha, 2});
    ticks(7);
    EXPECT_EQ(SimState::ErrorScreen, state());
    EXPECT_EQ("Кол:12", lineText(0));
    EXPECT_EQ("********************", lineText(4));
    EXPECT_EQ("Непр.тип данных!    ", lineText(5));
    EXPECT_EQ("Данные не найдены!  ", lineText(6));
    EXPECT_EQ("********************", lineText(7));
    press({kKeyDown});
    EXPECT_EQ(SimState::FormScreen, state());
    EXPECT_EQ("Кол:12", lineText(0));
    EXPECT_EQ("", lineText(5));
    EXPECT_EQ(std::make_pair(0, 6), cursor());
}

TEST_F(Fields, EnterChecksTheMinimumLengthThenMovesOrCompletes) {
    defineForm(1, {{kLineInteger, "Кол:", 3, 3}, {kLineText, "Б:"}});
    collect();
    type("12");
    press({kKeyEnter});
    EXPECT_EQ(SimState::ErrorScreen, state());
    EXPECT_EQ("Данные короткие!    ", lineText(5));
    press({kKeyEnter});  // only brings the form back
    EXPECT_EQ(0, sim.display().cursorRow);
    type("3");
    press({kKeyEnter});
    EXPECT_EQ(std::make_pair(1, 2), cursor());
    press({kKeyEnter});
    EXPECT_EQ(1, sim.display().recordCount);
    // nextTarget of form 1 is the form itself: it starts afresh.
    EXPECT_EQ("Кол:", lineText(0));
    EXPECT_EQ(std::make_pair(0, 4), cursor());
}

TEST_F(Fields, CursorDownDoesNothingOnAForm) {
    defineForm(1, {{kLineText, "A:"}, {kLineText, "B:"}});
    collect();
    press({kKeyDown, kKeyLeft, kKeyRight, kKeyFn});
    EXPECT_EQ(std::make_pair(0, 2), cursor());
    EXPECT_EQ(SimState::FormScreen, state());
}

TEST_F(Fields, MovingUpKeepsTheTextUntilTheFirstCharacterReplacesIt) {
    defineForm(1, {{kLineText, "A:"}, {kLineEmpty}, {kLineText, "B:"}});
    collect();
    type("12");
    press({kKeyEnter});
    EXPECT_EQ(2, sim.display().cursorRow);
    press({kKeyUp});
    EXPECT_EQ(std::make_pair(0, 2), cursor());
    EXPECT_EQ("A:12", lineText(0));
    press({kKeyEnter, kKeyUp});
    EXPECT_EQ("A:12", lineText(0));
    type("9");
    EXPECT_EQ("A:9", lineText(0));
    EXPECT_EQ("9", sim.entry(0).entryText);
    press({kKeyUp});  // nothing above the first field
    EXPECT_EQ(0, sim.display().cursorRow);
}

TEST_F(Fields, InitialValueIsShownAndReplacedByTyping) {
    defineForm(1, {{kLineText, "N:"}});
    form(1).initialOn[0] = 1;
    setSlotText(form(1).initialValue[0], "abc");
    collect();
    EXPECT_EQ("N:abc", lineText(0));
    EXPECT_EQ(std::make_pair(0, 2), cursor());
    type("5");
    EXPECT_EQ("N:5", lineText(0));
}

TEST_F(Fields, LongEntryScrollsAtTheEdgeAndBackspaceScrollsBack) {
    defineForm(1, {{kLineText, "Код:", 30}});
    collect();
    const std::string typed = "123456789012345";
    type(typed);
    EXPECT_EQ(std::make_pair(0, 19), cursor());
    EXPECT_EQ("Код:" + typed, lineText(0));
    type("6");
    EXPECT_EQ("Код:234567890123456", lineText(0));
    EXPECT_EQ(1, sim.entry(0).scrollCount);
    EXPECT_EQ(std::make_pair(0, 19), cursor());
    press({kKeyBackspace});
    EXPECT_EQ("Код:" + typed, lineText(0));
    EXPECT_EQ(typed, sim.entry(0).entryText);
    EXPECT_EQ(0, sim.entry(0).scrollCount);
}

TEST_F(Fields, TypingFlowsIntoAContinuationLineAndBackspaceReturns) {
    defineForm(1, {{kLineText, "A:", 30}, {kLineContinuation}});
    fixContinuationLines(project);
    ASSERT_EQ(12, form(1).maxLen[1]);
    collect();
    type("123456789012345678");  // fills columns 2..19
    EXPECT_EQ("A:123456789012345678", lineText(0));
    EXPECT_EQ(std::make_pair(1, 0), cursor());
    type("9");
    EXPECT_EQ("9", lineText(1));
    press({kKeyBackspace, kKeyBackspace});
    EXPECT_EQ(std::make_pair(0, 19), cursor());
    EXPECT_EQ("A:12345678901234567", lineText(0));
    type("5");  // the line above takes it back and flows again
    EXPECT_EQ(1, sim.display().cursorRow);
    EXPECT_EQ("A:123456789012345675", lineText(0));
}

TEST_F(Fields, ReplacingAFieldAlsoEmptiesItsContinuationLines) {
    defineForm(1, {{kLineText, "A:", 30}, {kLineContinuation}, {kLineText, "B:"}});
    fixContinuationLines(project);
    collect();
    type("1234567890123456789012");
    press({kKeyEnter});
    EXPECT_EQ(2, sim.display().cursorRow);
    press({kKeyUp});
    EXPECT_EQ(0, sim.display().cursorRow);
    EXPECT_EQ("9012", lineText(1));
    type("7");
    EXPECT_EQ("A:7", lineText(0));
    EXPECT_EQ("", lineText(1));
    EXPECT_EQ("", sim.entry(1).entryText);
}

TEST_F(Fields, SignedLineShowsItsSignLeftOfTheEntryArea) {
    struct Case {
        u8 searchIn;
        const char* line;
    } cases[] = {{20, "Сум:   +"}, {12, "Сум:   -"}, {0, "Сум:    "}};
    for (const auto& c : cases) {
        resetProject(project);
        defineForm(1, {{kLineSigned, "Сум:", 3}});
        form(1).searchIn[0] = c.searchIn;
        collect();
        EXPECT_EQ(c.line, lineText(0));
        EXPECT_EQ(std::make_pair(0, 8), cursor());
        type("4.5");
        EXPECT_EQ(std::string(c.line) + "4.5", lineText(0));
    }
}

TEST_F(Fields, SignedLineWithoutRoomHasNoSign) {
    defineForm(1, {{kLineSigned, "Сумма:", 7}});  // 6 + 15 > 20
    collect();
    EXPECT_EQ("Сумма:", lineText(0));
    EXPECT_EQ(std::make_pair(0, 6), cursor());
}

TEST_F(Fields, InputMarksShowTheFreePlacesOfAField) {
    defineForm(1, {{kLineText, "Н:", 5}});
    form(1).inputMark[0] = '_';
    collect();
    EXPECT_EQ("Н:_____", lineText(0));
    type("12");
    EXPECT_EQ("Н:12___", lineText(0));
    press({kKeyBackspace});
    EXPECT_EQ("Н:1____", lineText(0));
}

TEST_F(Fields, InputMarksReachIntoContinuationLines) {
    defineForm(1, {{kLineText, "A:", 25}, {kLineContinuation}});
    fixContinuationLines(project);  // the continuation takes 7
    form(1).inputMark[0] = '.';
    collect();
    EXPECT_EQ("A:" + std::string(18, '.'), lineText(0));
    EXPECT_EQ(std::string(7, '.'), lineText(1));
}

TEST_F(Fields, MultiTapCommitsOnADifferentKeyOrTheSeventhTick) {
    defineForm(1, {{kLineText, "T:"}});
    collect();
    press({kKeyAlpha});
    ASSERT_TRUE(sim.display().alphaMode);
    press({7, 7, 7, 7});
    EXPECT_TRUE(sim.multiTap().charPending);
    EXPECT_EQ('S', sim.multiTap().pendingChar);
    EXPECT_EQ("T:", lineText(0));
    press({8});
    EXPECT_EQ("T:S", lineText(0));
    EXPECT_EQ('T', sim.multiTap().pendingChar);
    ticks(6);
    EXPECT_TRUE(sim.multiTap().charPending);
    ticks(1);
    EXPECT_FALSE(sim.multiTap().charPending);
    EXPECT_EQ("T:ST", lineText(0));
}

TEST_F(Fields, MultiTapAfterAPauseStartsTheLetterAgain) {
    defineForm(1, {{kLineText, "T:"}});
    collect();
    press({kKeyAlpha, 2});
    ticks(8);
    press({2});
    ticks(7);
    EXPECT_EQ("T:AA", lineText(0));
}

TEST_F(Fields, MultiTapCyclesOfEveryKey) {
    struct Case {
        int key, taps;
        char ch;
    } cases[] = {{1, 3, ' '}, {2, 4, 'A'}, {7, 5, 'P'}, {9, 4, 'Z'}, {6, 3, 'O'},
                 {kKeyDash, 2, '$'}, {kKeyDash, 3, '+'}, {kKey0, 2, '*'}, {kKeyDot, 2, '#'}};
    for (const auto& c : cases) {
        resetProject(project);
        defineForm(1, {{kLineText, "T:"}});
        collect();
        press({kKeyAlpha});
        for (int i = 0; i < c.taps; ++i) press({c.key});
        EXPECT_EQ(c.ch, sim.multiTap().pendingChar) << c.key << " x" << c.taps;
    }
}

TEST_F(Fields, PendingLetterRefusedByEnterLeavesEnterToTheErrorScreen) {
    defineForm(1, {{kLineInteger, "N:"}, {kLineText, "B:"}});
    collect();
    press({kKeyAlpha, 2, kKeyEnter});
    EXPECT_EQ(SimState::FormScreen, state());
    EXPECT_EQ(0, sim.display().cursorRow);
    EXPECT_EQ("N:", lineText(0));
}

TEST_F(Fields, AlphaModeSurvivesFormsButNotTheMainScreen) {
    defineForm(1, {{kLineText, "T:"}});
    collect();
    press({kKeyAlpha});
    press({kKeyEnter});  // completes; form 1 starts again
    EXPECT_TRUE(sim.display().alphaMode);
    press({kKeyEsc});
    EXPECT_FALSE(sim.display().alphaMode);
    press({kKeyAlpha});  // no effect on the main screen
    EXPECT_FALSE(sim.display().alphaMode);
}

TEST_F(Fields, CounterLineShowsTheRecordCount) {
    defineForm(1, {{kLineCounter, "No:"}, {kLineText, "A:"}});
    collect();
    EXPECT_EQ("No:00000", lineText(0));
    EXPECT_EQ(1, sim.display().cursorRow);
    press({kKeyEnter, kKeyEnter});
    EXPECT_EQ("No:00002", lineText(0));
}

TEST_F(Fields, BigFontFormUsesFifteenColumns) {
    defineForm(1, {{kLineText, "A:", 20}});
    form(1).font = 1;
    collect();
    type("123456789012");
    EXPECT_EQ(std::make_pair(0, 14), cursor());
    type("3");
    EXPECT_EQ("A:234567890123", lineText(0));
}

TEST_F(Fields, StrayStoredBytesStayInsideTheTables) {
    // A project file may hold anything in the run-time and length bytes.
    defineForm(1, {{kLineText, "A:", 255, 255}, {kLineContinuation, "", 250}, {kLineContinuation, "", 200}});
    form(1).escTarget = 200;
    form(1).inputMark[0] = '#';
    collect();
    type(std::string(80, '7'));
    for (int i = 0; i < 90; ++i) press({kKeyBackspace});
    press({kKeyEsc});
    EXPECT_EQ(SimState::FormScreen, state());
    for (const auto& l : sim.display().screenLines) EXPECT_LE(l.size(), 20u);
}

}  // namespace
}  // namespace appgen::simulator::testing
