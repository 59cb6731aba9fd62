#include <gtest/gtest.h>

#include <cstring>

#include "editor/char_table.h"
#include "editor/grid_dialog.h"
#include "editor_harness.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

TEST(CharLabels, NamesEveryByteInTableOrder) {
    struct Row {
        int code;
        const char* name;
    };
    const Row rows[] = {{0, ""},     {1, "SOH"},   {2, "STX"},   {13, "CR"}, {27, "ESC"},
                        {31, "US"},  {32, "Space"}, {33, "!"},   {65, "A"},  {126, "~"},
                        {127, "DEL"}, {128, "128"}, {200, "200"}, {255, "255"}};
    for (const Row& r : rows) {
        EXPECT_EQ(r.name, charName(static_cast<unsigned char>(r.code))) << r.code;
        // The table runs row first: index 16 * low nibble + high nibble.
        EXPECT_EQ(r.name, charLabels[16 * (r.code & 15) + (r.code >> 4)].view()) << r.code;
    }
    EXPECT_EQ("STX", charLabels[32].view());
    EXPECT_EQ("Space", charLabels[2].view());
}

TEST(CharTokens, StopAtTheFirstNulOrTheLimit) {
    std::string text = "x";
    const char bytes[10] = {2, 'A', 13, 0, 'B'};
    EXPECT_EQ(3, charTokens(bytes, 10, text));
    EXPECT_EQ("x[STX][A][CR]", text);
    const char full[10] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};  // no terminator
    EXPECT_EQ("[0][1][2][3][4][5][6][7][8][9]", charTokenText(full));
    EXPECT_EQ("[0][1]", charTokenText(full, 2));
}

TEST(GridGeometry, HitTestFindsDataCellsOnly) {
    const GridGeometry g = gridGeometry(485, 276);
    EXPECT_EQ(28, g.cellWidth);
    EXPECT_EQ(16, g.cellHeight);
    struct Row {
        int x, y;
        std::optional<GridCell> cell;
    };
    const Row rows[] = {
        {28, 16, GridCell{0, 0}},     {55, 31, GridCell{0, 0}},      {56, 32, GridCell{1, 1}},
        {28 * 16, 16 * 16, GridCell{15, 15}}, {28 * 17 - 1, 16 * 17 - 1, GridCell{15, 15}},
        {27, 100, std::nullopt},      {100, 15, std::nullopt},       // headers
        {28 * 17, 100, std::nullopt}, {484, 100, std::nullopt},      // beyond the last column
        {-1, 100, std::nullopt},      {100, -5, std::nullopt},       // 65535 as the mouse has it
        {65536 + 56, 32, GridCell{1, 1}},
    };
    for (const Row& r : rows) EXPECT_EQ(r.cell, gridHit(g, r.x, r.y)) << r.x << "," << r.y;
    EXPECT_EQ(std::nullopt, gridHit(gridGeometry(10, 10), 5, 5));  // too small for any cell
    EXPECT_EQ(0x2D, (GridCell{2, 13}.byte()));
}

TEST(GridGeometry, PaintsTheSelectedCellBlueWithItsNameInWhite) {
    const GridGeometry g = gridGeometry(340, 170);  // cells of 20 x 10
    const ui::PaintList ops = paintGrid(g, GridCell{4, 1});
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ui::kLightGrey, ops[0].colour);
    EXPECT_EQ(340, ops[0].x2);
    const ui::PaintOp& white = ops[1];
    EXPECT_EQ(ui::kWhite, white.colour);
    EXPECT_EQ(20, white.x);
    EXPECT_EQ(320, white.x2);
    const ui::PaintOp& name = ops.back();
    const ui::PaintOp& cell = ops[ops.size() - 2];
    EXPECT_EQ(ui::PaintOp::Kind::Fill, cell.kind);
    EXPECT_EQ(ui::kBlue, cell.colour);
    EXPECT_EQ(5 * 20 + 1, cell.x);
    EXPECT_EQ(2 * 10 + 1, cell.y);
    EXPECT_EQ("A", name.text);
    EXPECT_EQ(ui::kWhite, name.colour);
    int greyLines = 0, headers = 0;
    for (const auto& op : ops) {
        greyLines += op.kind == ui::PaintOp::Kind::Line && op.colour == kGridLineGrey;
        headers += op.kind == ui::PaintOp::Kind::Text && (op.text == "F0" || op.text == "0F");
    }
    EXPECT_EQ(30, greyLines);
    EXPECT_EQ(2, headers);
}

// GridDlg run directly, with cells of 20 x 10 pixels.
class GridDialogTest : public ::testing::Test {
protected:
    void open(const char (&buffer)[10]) {
        handler = std::make_unique<GridDialog>(ui, buffer);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("GridDlg"), *handler);
        dialog->start();
        dialog->setPixelSize(kGridId, 340, 170);
    }
    void clickCell(int column, int row) {
        EXPECT_EQ(ui::UserResult::Done,
                  dialog->userClickAt(kGridId, (column + 1) * 20 + 3, (row + 1) * 10 + 3));
    }
    std::string result() const { return dialog->text(kGridResultId); }

    ui::HeadlessServices ui;
    std::unique_ptr<GridDialog> handler;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(GridDialogTest, EachClickAppendsItsByteAndToken) {
    const char empty[10] = {};
    open(empty);
    clickCell(0, 2);
    clickCell(4, 1);
    clickCell(0, 13);
    clickCell(2, 0);
    clickCell(15, 15);
    EXPECT_EQ("[STX][A][CR][Space][255]", result());
    EXPECT_EQ((GridCell{15, 15}), handler->selected());
    dialog->userClickAt(kGridId, 5, 5);  // a header: nothing
    EXPECT_EQ(5, handler->count());
    char out[10];
    std::memset(out, 'x', sizeof out);
    handler->resultInto(out);
    const char expected[10] = {2, 65, 13, 32, '\xFF', 0, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expected, out, 10));
}

TEST_F(GridDialogTest, TheEleventhByteIsRefusedWithAWarning) {
    const char full[10] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};  // no terminator
    open(full);
    EXPECT_EQ(10, handler->count());
    EXPECT_EQ("[0][1][2][3][4][5][6][7][8][9]", result());
    clickCell(4, 1);
    EXPECT_EQ((std::vector<std::string>{"Error: Too many characters !!!"}), testing::boxTexts(ui));
    EXPECT_EQ((GridCell{4, 1}), handler->selected());  // the selection still moves
    EXPECT_EQ("[0][1][2][3][4][5][6][7][8][9]", result());
}

TEST_F(GridDialogTest, ClearEmptiesAndTheZeroByteEndsTheResult) {
    const char two[10] = {'a', 'b'};
    open(two);
    EXPECT_EQ("[a][b]", handler->openingText());
    dialog->userClick(kGridClearId);
    EXPECT_EQ("", result());
    clickCell(0, 0);  // code 0
    clickCell(4, 1);
    EXPECT_EQ("[][A]", result());
    char out[10];
    handler->resultInto(out);
    EXPECT_EQ(0, std::memcmp(std::string(10, '\0').data(), out, 10));
}

// The picker hook on an AdvanceDlg-like box: GridDlg runs nested over it.
class PickerBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui.setScript(&script);
        owner = std::make_unique<ui::Dialog>(ui::dialogTemplate("AdvanceDlg"), plain);
        attachPickerBox(ui, *owner, 503, buffer);
        owner->setText(503, charTokenText(buffer));
    }
    void clickCell(int column, int row) {
        script.add([this, column, row] {
            ui.topmostDialog()->setPixelSize(kGridId, 340, 170);
            return ScriptAction::clickAt(kGridId, (column + 1) * 20 + 3, (row + 1) * 10 + 3);
        });
    }

    ui::HeadlessServices ui;
    Steps script;
    ui::DialogHandler plain;
    std::unique_ptr<ui::Dialog> owner;
    char buffer[10] = {'#'};
};

TEST_F(PickerBoxTest, OkReplacesBufferAndTextWhileTheBoxIsBlueMeanwhile) {
    script.add([this] {
        EXPECT_EQ("GridDlg", ui.topmostDialog()->name());
        EXPECT_EQ(ui::kBlue, owner->control(503)->fill);
        EXPECT_EQ(503, owner->focus());
        return ScriptAction::click(kGridClearId);
    });
    for (int k = 0; k < 10; ++k) clickCell(3, k);  // '0'..'9'
    script.add(ScriptAction::ok());
    EXPECT_EQ(ui::UserResult::Done, owner->userClick(503));
    EXPECT_TRUE(script.done());
    EXPECT_EQ(0, std::memcmp("0123456789", buffer, 10));
    EXPECT_EQ("[0][1][2][3][4][5][6][7][8][9]", owner->text(503));
    EXPECT_EQ(std::nullopt, owner->control(503)->fill);
}

TEST_F(PickerBoxTest, CancelPutsTheTextBackAndLeavesTheBuffer) {
    owner->setText(503, "typed over");
    clickCell(4, 1);
    script.add(ScriptAction::cancel());
    owner->userClick(503);
    EXPECT_EQ("[#]", owner->text(503));
    EXPECT_EQ('#', buffer[0]);
    EXPECT_EQ('\0', buffer[1]);
}

}  // namespace
}  // namespace appgen::editor
