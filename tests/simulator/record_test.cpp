// The record a completed form passes on: separators, prefixes and suffixes,
// fixed lengths, the date/time stamp, its 407-character bound, and the
// previous-form lines that show it.
#include "sim_harness.h"

namespace appgen::simulator::testing {
namespace {

class Records : public SimTest {
protected:
    Records() {
        clock.time = {2026, 3, 5, 9, 7, 30};
        defineForm(1, {{kLineText, "A:"}, {kLineText, "B:"}});
        form(1).recordAction = 3;
        FormDef& f = form(1);
        f.stampYear = f.stampMonth = f.stampDay = 1;
        f.stampDateSepOn = 1;
        f.stampHours = f.stampMinutes = 1;
        f.stampSeconds = 0;
    }
    // Types each entry into its field (digits only) and completes the form.
    void fill(const std::vector<std::string>& entries) {
        collect();
        for (const auto& e : entries) {
            type(e);
            press({kKeyEnter});
        }
    }
};

TEST_F(Records, FieldsJoinedWithTheSeparators) {
    fill({"123", "45"});
    EXPECT_EQ("123,45", record());
    EXPECT_EQ(1, sim.display().recordCount);
}

TEST_F(Records, BothSeparatorsAndAnEmptyFieldInTheMiddle) {
    defineLine(1, 2, {kLineText, "C:"});
    project.terminal.separator2 = ';';
    fill({"123", "", "45"});
    EXPECT_EQ("123,;,;45", record());
}

TEST_F(Records, StampPositionsSplitAndDigits) {
    struct Case {
        u8 position, split, yearDigits, order, seconds;
        const char* record;
    } cases[] = {
        {2, 1, 0, 0, 0, "123,45,2026/03/05,09:07"},
        {1, 1, 0, 0, 0, "2026/03/05,09:07,123,45"},
        {1, 0, 0, 0, 0, "2026/03/0509:07,123,45"},
        {2, 1, 1, 0, 0, "123,45,26/03/05,09:07"},
        {2, 1, 0, 1, 1, "123,45,03/05/2026,09:07:30"},
        {2, 1, 1, 2, 0, "123,45,05/03/26,09:07"},
        {2, 1, 0, 7, 0, "123,45,,09:07"},
    };
    for (const auto& c : cases) {
        FormDef& f = form(1);
        f.stampPosition = c.position;
        f.stampSplit = c.split;
        f.stampYearDigits = c.yearDigits;
        f.stampDateOrder = c.order;
        f.stampSeconds = c.seconds;
        fill({"123", "45"});
        EXPECT_EQ(c.record, record()) << int(c.position) << int(c.split) << int(c.order);
    }
}

TEST_F(Records, SeparatorsFollowTheEnabledPartsNotTheWrittenOnes) {
    FormDef& f = form(1);
    f.stampPosition = 1;
    f.stampSplit = 0;
    setSlotText(f.stampDateSep, "-");
    setSlotText(f.stampTimeSep, ".");
    f.stampMonth = 0;  // year-day
    f.stampHours = 0;  // minutes and seconds
    f.stampSeconds = 1;
    fill({"1", "2"});
    EXPECT_EQ("2026-0507.30,1,2", record());
    f.stampDateSepOn = 0;
    f.stampTimeSepOn = 0;
    fill({"1", "2"});
    EXPECT_EQ("2026050730,1,2", record());
}

TEST_F(Records, OnlyAStampWithNothingBeforeItTakesNoLeadingSeparator) {
    defineForm(1, {{kLineEmpty}});
    form(1).stampPosition = 2;
    form(1).stampYear = form(1).stampMonth = form(1).stampDay = 0;
    collect();
    press({kKeyEnter});
    EXPECT_EQ("09:07", record());
}

TEST_F(Records, FixedLengthsAndAlignments) {
    struct Case {
        u8 align, len;
        const char* record;
    } cases[] = {
        {3, 6, "000123,45"}, {2, 6, "123000,45"}, {1, 6, "   123,45"},
        {0, 6, "123   ,45"}, {9, 6, "123   ,45"}, {0, 2, "12,45"}, {3, 0, "45"},
    };
    for (const auto& c : cases) {
        form(1).fixedLenOn[0] = 1;
        form(1).align[0] = c.align;
        form(1).fixedLen[0] = c.len;
        fill({"123", "45"});
        EXPECT_EQ(c.record, record()) << int(c.align) << " " << int(c.len);
    }
}

TEST_F(Records, PrefixAndSuffixBytesWrapTheField) {
    FormDef& f = form(1);
    f.prefixOn[0] = f.suffixOn[0] = 1;
    setSlotBytes(f.prefix[0], "\x02");
    setSlotBytes(f.suffix[0], "\r");
    f.suffixOn[1] = 1;
    setSlotBytes(f.suffix[1], "0123456789");  // fills its slot, no terminator
    f.fixedLenOn[0] = 1;
    f.fixedLen[0] = 4;
    f.align[0] = 3;
    fill({"12", "3"});
    EXPECT_EQ("\x02" "0012\r,30123456789", record());
}

TEST_F(Records, WhichLineTypesTakePart) {
    defineForm(1, {{kLineFixed, "FIX"}, {kLineLookup, "L:"}, {kLineLabel, "lab"}, {kLineCounter, "n"},
                   {kLineText, "A:"}, {kLineLookup, "K:"}});
    form(1).initialOn[5] = 1;  // a lookup line whose data is saved
    setSlotText(form(1).initialValue[5], "k");
    fill({"7"});
    EXPECT_EQ("FIX,7,k", record());
}

TEST_F(Records, ContinuationTextComesWithItsDataLine) {
    defineForm(1, {{kLineText, "A:", 30}, {kLineContinuation}, {kLineText, "B:"}});
    fixContinuationLines(project);
    fill({std::string(22, '1'), "2"});
    EXPECT_EQ(std::string(22, '1') + ",2", record());
}

TEST_F(Records, BigFontFormsRecordFourLines) {
    defineForm(1, {{kLineText, "A:"}, {kLineEmpty}, {kLineEmpty}, {kLineEmpty}, {kLineText, "E:"}});
    form(1).font = 1;
    fill({"1", "5"});
    EXPECT_EQ("1", record());
}

TEST_F(Records, TheBufferKeepsItsFirst407Characters) {
    // Eight fields of 50 with ten-byte prefixes and suffixes make 560 and more.
    std::vector<std::string> entries;
    for (int i = 0; i < kFormLines; ++i) {
        defineLine(1, i, {kLineText, "", 50});
        form(1).prefixOn[i] = form(1).suffixOn[i] = 1;
        setSlotBytes(form(1).prefix[i], "PPPPPPPPPP");
        setSlotBytes(form(1).suffix[i], "SSSSSSSSSS");
        entries.push_back(std::string(50, '0' + i));
    }
    form(1).stampPosition = 2;
    fill(entries);
    ASSERT_EQ(kRecordBufferSize, sim.recordBuffer().size());
    EXPECT_EQ("PPPPPPPPPP" + std::string(50, '0') + "SSSSSSSSSS,", record().substr(0, 71));
    EXPECT_EQ('5', sim.recordBuffer().back());  // the sixth field is cut
}

TEST_F(Records, OtherRecordActionsLeaveTheBufferAlone) {
    fill({"1", "2"});
    form(1).recordAction = 0;
    fill({"3", "4"});
    EXPECT_EQ("1,2", record());
    EXPECT_EQ(2, sim.display().recordCount);
}

class PreviousForm : public Records {
protected:
    PreviousForm() {
        defineForm(1, {{kLineText, "A:", 50}, {kLineText, "B:", 50}});
        project.terminal.separator1 = 0;
        form(1).nextTarget = 2;
        form(2).escTarget = 1;
    }
};

TEST_F(PreviousForm, ShortPromptedLineSpillsIntoOneContinuationLine) {
    defineForm(2, {{kLinePrevious, "Предыдущая"}, {kLineContinuation}});
    fill({"1234567890123456789012345", ""});
    ASSERT_EQ(SimState::FormScreen, state());
    ASSERT_EQ(2, sim.display().currentScreen);
    EXPECT_EQ("Предыдущая1234567890", lineText(0));
    EXPECT_EQ("123456789012345", lineText(1));
}

TEST_F(PreviousForm, WithoutAContinuationLineTheRestIsNotShown) {
    defineForm(2, {{kLinePrevious, "Предыдущая"}, {kLineText, "C:"}});
    fill({"1234567890123456789012345", ""});
    EXPECT_EQ("Предыдущая1234567890", lineText(0));
    EXPECT_EQ("C:", lineText(1));
    EXPECT_EQ(1, sim.display().cursorRow);
}

TEST_F(PreviousForm, TrailingSpacesAreNotShown) {
    form(1).fixedLenOn[0] = 1;
    form(1).fixedLen[0] = 6;
    defineForm(2, {{kLinePrevious, "Пред:"}});
    fill({"12", ""});
    EXPECT_EQ("12    ", record());
    EXPECT_EQ("Пред:12", lineText(0));
}

TEST_F(PreviousForm, LongRecordFillsThreeContinuationLinesAndIsCut) {
    defineForm(2, {{kLinePrevious}, {kLineContinuation}, {kLineContinuation}, {kLineContinuation}});
    const std::string a(50, '1'), b(50, '2');
    fill({a, b});
    const std::string all = a + b;
    EXPECT_EQ(all.substr(0, 20), lineText(0));
    EXPECT_EQ(all.substr(20, 20), lineText(1));
    EXPECT_EQ(all.substr(40, 20), lineText(2));
    EXPECT_EQ(all.substr(60, 20), lineText(3));
    EXPECT_EQ(all, record());
}

TEST_F(PreviousForm, BigFontFormCutsTheBufferItself) {
    defineForm(2, {{kLinePrevious, "P:"}, {kLineContinuation}});
    form(2).font = 1;
    fill({std::string(50, '1'), std::string(50, '2')});
    EXPECT_EQ(58u, sim.recordBuffer().size());
    EXPECT_EQ("P:" + std::string(13, '1'), lineText(0));
    EXPECT_EQ(std::string(15, '1'), lineText(1));
}

}  // namespace
}  // namespace appgen::simulator::testing
