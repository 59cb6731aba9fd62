#include "editor/grid_geometry.h"

#include <cstdint>
#include <string>

#include "editor/char_table.h"

namespace appgen::editor {

using ui::PaintOp;

GridGeometry gridGeometry(int width, int height) {
    return {width, height, width / 17, height / 17};
}

std::optional<GridCell> gridHit(const GridGeometry& g, int x, int y) {
    // A control narrower than the table has no cells to hit.
    if (g.cellWidth <= 0 || g.cellHeight <= 0) return std::nullopt;
    const int column = static_cast<std::uint16_t>(x) / g.cellWidth;
    const int row = static_cast<std::uint16_t>(y) / g.cellHeight;
    if (column < 1 || column > 16 || row < 1 || row > 16) return std::nullopt;
    return GridCell{column - 1, row - 1};
}

ui::PaintList paintGrid(const GridGeometry& g, GridCell selected) {
    const int w = g.cellWidth;
    const int h = g.cellHeight;
    const int R = g.width;
    const int B = g.height;
    ui::PaintList ops;
    const auto line = [&ops](ui::Rgb c, int x1, int y1, int x2, int y2) {
        ops.push_back(PaintOp::line(c, x1, y1, x2, y2));
    };
    const auto outline = [&line](ui::Rgb c, int x1, int y1, int x2, int y2) {
        line(c, x1, y1, x1, y2);
        line(c, x1, y2, x2, y2);
        line(c, x2, y2, x2, y1);
        line(c, x2, y1, x1, y1);
    };

    ops.push_back(PaintOp::fill(ui::kLightGrey, 0, 0, R, B));
    ops.push_back(PaintOp::fill(ui::kWhite, w, h, R - w, B - h));

    outline(ui::kWhite, 1, 1, R, B);
    for (int k = 1; k <= 16; ++k) line(ui::kWhite, 1, k * h + 1, w, k * h + 1);
    for (int k = 1; k <= 16; ++k) line(ui::kWhite, k * w + 1, 1, k * w + 1, h);

    for (int k = 2; k <= 16; ++k) line(kGridLineGrey, w, k * h, R, k * h);
    for (int k = 2; k <= 16; ++k) line(kGridLineGrey, k * w, h, k * w, B);

    outline(ui::kBlack, 0, 0, R - 1, B - 1);
    line(ui::kBlack, 0, h, R, h);
    for (int k = 2; k <= 16; ++k) line(ui::kBlack, 0, k * h, w, k * h);
    line(ui::kBlack, w, 0, w, B);
    for (int k = 2; k <= 16; ++k) line(ui::kBlack, k * w, 0, k * w, h);

    const auto name = [&](ui::Rgb c, int column, int row, std::string text) {
        ops.push_back(PaintOp::label(c, column * w, row * h, w, h, std::move(text)));
    };
    static const char kHex[] = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k) {
        name(ui::kBlack, k + 1, 0, std::string{kHex[k], '0'});
        name(ui::kBlack, 0, k + 1, std::string{'0', kHex[k]});
    }
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 16; ++r)
            name(ui::kBlack, c + 1, r + 1, std::string(charLabels[16 * r + c].view()));

    const int c = selected.column;
    const int r = selected.row;
    ops.push_back(PaintOp::fill(ui::kBlue, (c + 1) * w + 1, (r + 1) * h + 1, w, h));
    name(ui::kWhite, c + 1, r + 1, std::string(charLabels[16 * r + c].view()));
    return ops;
}

ui::PaintList paintResultField(int width, int height, std::string_view text) {
    ui::PaintList ops;
    ops.push_back(PaintOp::fill(ui::kWhite, 0, 0, width, height));
    ops.push_back(PaintOp::line(ui::kGrey, 0, 0, width, 0));
    ops.push_back(PaintOp::line(ui::kGrey, 0, 0, 0, height));
    ops.push_back(PaintOp::line(ui::kWhite, 0, height - 1, width, height - 1));
    ops.push_back(PaintOp::line(ui::kWhite, width - 1, 0, width - 1, height));
    ops.push_back(PaintOp::label(ui::kGrey, 0, 0, width, height, std::string(text),
                                 PaintOp::Align::MiddleLeft, 5));
    return ops;
}

}  // namespace appgen::editor
