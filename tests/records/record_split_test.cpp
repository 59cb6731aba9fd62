// Records split back into their forms' fields: each rule of the layout, the
// stamp in its places, ambiguity and records that fit no form. The records
// are the ones the simulator builds for the same forms.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "project/text.h"
#include "records/record_splitter.h"

namespace appgen::records {
namespace {

// A project whose forms a case sets up, and the splitter over its candidate forms.
struct Forms {
    Forms() {
        resetProject(p);
        p.terminal.separator1 = ',';
        p.terminal.separator2 = 0;
        for (auto& f : p.forms) f.recordAction = 1;  // not kept unless a case says so
    }
    // Form n keeps its records; its lines get the types given.
    FormDef& form(int n, std::initializer_list<u8> types) {
        FormDef& f = p.forms[n - 1];
        f.recordAction = 0;
        int i = 0;
        for (u8 t : types) f.lineType[i++] = t;
        return f;
    }
    static void stamp(FormDef& f, u8 position, u8 split) {
        f.stampPosition = position;
        f.stampSplit = split;
        f.stampYear = f.stampMonth = f.stampDay = 1;
        f.stampDateSepOn = 1;
        setSlotText(f.stampDateSep, "/");
        f.stampDateOrder = 0;
        f.stampHours = f.stampMinutes = 1;
        f.stampSeconds = 0;
        f.stampTimeSepOn = 1;
        setSlotText(f.stampTimeSep, ":");
    }
    // "N:[a][b]", "none" or "ambiguous N,M".
    std::string split(std::string_view record) {
        std::vector<FormLayout> layouts;
        for (int n : candidateForms(p)) layouts.push_back(formLayout(p, n));
        RecordSplitter splitter(std::move(layouts));
        SplitResult r;
        splitter.split(record, r);
        if (r.kind == SplitKind::NoForm) return "none";
        std::string out =
            r.kind == SplitKind::Ambiguous ? "ambiguous" : std::to_string(r.form) + ":";
        for (int f : r.fitting) out.append(" ").append(std::to_string(f));
        for (auto s : r.spans)
            out.append("[").append(record.substr(s.begin, s.end - s.begin)).append("]");
        return out;
    }
    Project p{};
};

class Split : public ::testing::Test, public Forms {};

TEST_F(Split, LayoutRules) {
    // Layouts that two cases share: one record that fits, one that does not.
    const auto fixedPrompt = [](Forms& t) {
        FormDef& f = t.form(1, {kLineFixed, kLineText});
        setSlotText(f.prompt[0], utf8ToCp1251("FIX"));
    };
    const auto paddedPromptThenContinuation = [](Forms& t) {
        FormDef& f = t.form(1, {kLineFixed, kLineContinuation});
        setSlotText(f.prompt[0], utf8ToCp1251("NO"));
        f.fixedLenOn[0] = 1;
        f.fixedLen[0] = 6;
        f.align[0] = 1;
    };
    struct Case {
        const char* what;
        std::function<void(Forms&)> setup;
        std::string record;
        std::string expected;
    } cases[] = {
        {"two lines",
         [](Forms& t) {
             t.form(1, {kLineText, kLineInteger}).fixedLenOn[0] = 1;
             t.p.forms[0].fixedLen[0] = 3;
         },
         "123,AB", "1:[123][AB]"},
        {"both separators, an empty field between fixed ones",
         [](Forms& t) {
             t.p.terminal.separator2 = ';';
             FormDef& f = t.form(1, {kLineText, kLineText, kLineText});
             f.fixedLenOn[0] = f.fixedLenOn[2] = 1;
             f.fixedLen[0] = 3;
             f.fixedLen[2] = 2;
         },
         "123,;,;45", "1:[123][][45]"},
        {"stamp last, split",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText, kLineText});
             stamp(f, 2, 1);
             f.fixedLenOn[0] = 1;
             f.fixedLen[0] = 3;
         },
         "123,45,2026/03/05,09:07", "1:[123][45][2026/03/05,09:07]"},
        {"stamp first, split",
         [](Forms& t) {
             stamp(t.form(1, {kLineText, kLineText}), 1, 1);
         },
         "2026/03/05,09:07,123,45", "1:[2026/03/05,09:07][123][45]"},
        {"stamp first, not split",
         [](Forms& t) {
             stamp(t.form(1, {kLineText, kLineText}), 1, 0);
         },
         "2026/03/0509:07,123,45", "1:[2026/03/0509:07][123][45]"},
        {"stamp digits are digits", [](Forms& t) { stamp(t.form(1, {kLineText}), 2, 1); },
         "1,2026/03/05,09:x7", "none"},
        {"no date: the split separators still follow something",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText});
             stamp(f, 2, 1);
             f.stampDateOrder = 7;
         },
         "123,,09:07", "1:[123][,09:07]"},
        {"a stamp alone opens the record without separators",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText});
             stamp(f, 2, 1);
             f.stampYearDigits = 1;
         },
         "26/03/05,09:07", "1:[][26/03/05,09:07]"},
        {"fixed length, zeros on the left",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineInteger, kLineText});
             f.fixedLenOn[0] = 1;
             f.fixedLen[0] = 6;
             f.align[0] = 3;
         },
         "000123,1,2", "1:[000123][1,2]"},
        {"prefix STX, suffix CR, a suffix that fills its slot",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineInteger, kLineInteger});
             f.prefixOn[0] = f.suffixOn[0] = f.suffixOn[1] = 1;
             setSlotBytes(f.prefix[0], "\x02");
             setSlotBytes(f.suffix[0], "\r");
             setSlotBytes(f.suffix[1], "0123456789");
             f.fixedLenOn[0] = 1;
             f.fixedLen[0] = 4;
             f.align[0] = 3;
         },
         "\x02"
         "0012\r,30123456789",
         "1:[0012][3]"},
        {"prefix and suffix only when on",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText});
             setSlotBytes(f.prefix[0], "<");
             f.suffixOn[0] = 1;
             setSlotBytes(f.suffix[0], ">");
         },
         "<a>", "1:[<a]"},
        {"a fixed line's text is its prompt",
         fixedPrompt,
         "FIX,7", "1:[FIX][7]"},
        {"a fixed line does not take other text",
         fixedPrompt,
         "FIY,7", "none"},
        {"a fixed line with a continuation line: the prompt, then anything",
         paddedPromptThenContinuation,
         "   NO1", "1:[   NO1]"},
        {"padded fixed line with a continuation line must hold its prompt",
         paddedPromptThenContinuation,
         "  N O1", "none"},
        {"a lookup line only when its data is kept",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText, kLineLookup, kLineLookup});
             f.initialOn[2] = 1;
             f.fixedLenOn[0] = 1;
             f.fixedLen[0] = 1;
         },
         "1,x", "1:[1][x]"},
        {"the big font has four lines",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText, kLineLabel, kLineLabel, kLineLabel, kLineText});
             f.font = 1;
         },
         "a,b", "1:[a,b]"},
        {"an empty first field leaves out the separator: two readings",
         [](Forms& t) {
             t.form(1, {kLineText, kLineText});
         },
         "a,b", "ambiguous 1"},
        {"two forms fit",
         [](Forms& t) {
             t.form(1, {kLineText});
             t.form(3, {kLineInteger});
         },
         "12", "ambiguous 1 3"},
        {"only one of two forms fits",
         [](Forms& t) {
             FormDef& f = t.form(1, {kLineText});
             f.fixedLenOn[0] = 1;
             f.fixedLen[0] = 3;
             FormDef& g = t.form(2, {kLineText, kLineText, kLineText});
             g.fixedLenOn[0] = g.fixedLenOn[1] = 1;
             g.fixedLen[0] = 1;
             g.fixedLen[1] = 0;
         },
         "1,,x", "2:[1][][x]"},
        {"forms that pass records on or send them are not candidates",
         [](Forms& t) {
             t.form(1, {kLineText});
             t.form(2, {kLineText}).recordAction = 3;
         },
         "x", "1:[x]"},
    };
    for (const auto& c : cases) {
        Forms t;
        c.setup(t);
        EXPECT_EQ(c.expected, t.split(c.record)) << c.what;
    }
}

TEST_F(Split, AllSplitsListsEveryReading) {
    form(1, {kLineText, kLineText});
    RecordSplitter splitter({formLayout(p, 1)});
    const auto all = splitter.allSplits("a,b,c");
    ASSERT_EQ(3u, all.size());  // "", "a,b,c" / "a", "b,c" / "a,b", "c"
    EXPECT_EQ(5u, all[0].spans[1].end - all[0].spans[1].begin);
}

TEST_F(Split, ColumnNames) {
    FormDef& f = form(1, {kLineText, kLineText, kLineFixed, kLineText, kLineText});
    setSlotText(f.prompt[0], utf8ToCp1251("  Код: "));
    setSlotText(f.prompt[1], utf8ToCp1251(""));
    setSlotText(f.prompt[2], utf8ToCp1251("FIX"));
    setSlotText(f.prompt[3], utf8ToCp1251("Кол"));
    setSlotText(f.prompt[4], utf8ToCp1251("Кол"));
    stamp(f, 2, 0);
    std::vector<std::string> names;
    for (const auto& field : formLayout(p, 1).fields) names.push_back(field.name);
    EXPECT_EQ((std::vector<std::string>{"Код:", "Строка 2", "Строка 3", "Строка 4", "Строка 5",
                                        "Дата и время"}),
              names);
    // A prompt that reads like another line's number gives way to its own.
    setSlotText(f.prompt[3], utf8ToCp1251("Строка 2"));
    names.clear();
    for (const auto& field : formLayout(p, 1).fields) names.push_back(field.name);
    EXPECT_EQ("Строка 4", names[3]);
}

TEST_F(Split, LayoutsThatCanBeAmbiguous) {
    FormDef& f = form(1, {kLineText, kLineInteger});
    EXPECT_TRUE(layoutCanBeAmbiguous(formLayout(p, 1)));
    f.fixedLenOn[0] = 1;
    EXPECT_FALSE(layoutCanBeAmbiguous(formLayout(p, 1)));
    f.fixedLenOn[0] = 0;
    f.suffixOn[0] = 1;
    setSlotBytes(f.suffix[0], "\r");
    EXPECT_FALSE(layoutCanBeAmbiguous(formLayout(p, 1)));
}

}  // namespace
}  // namespace appgen::records
