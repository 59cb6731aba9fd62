// The character table's grid: cell geometry, hit test and painting, pure
// functions of the grid control's client size so the GUI and the tests agree.
// The grid has 17 x 17 cells: row 0 holds the column headers "00".."F0",
// column 0 the row headers "00".."0F", and cell (c + 1, r + 1) the byte 16c + r.
#pragma once

#include <optional>
#include <string_view>

#include "ui/paint.h"

namespace appgen::editor {

struct GridGeometry {
    int width = 0;  // client size, pixels
    int height = 0;
    int cellWidth = 0;  // width div 17
    int cellHeight = 0;
};

GridGeometry gridGeometry(int width, int height);

// A data cell: column = high nibble, row = low nibble, both 0..15.
struct GridCell {
    int column = 0;
    int row = 0;
    unsigned char byte() const { return static_cast<unsigned char>(16 * column + row); }
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The data cell under a client point, nothing on the headers or beyond the
// table. The point is taken as unsigned 16-bit values, as mouse messages carry it.
std::optional<GridCell> gridHit(const GridGeometry& g, int x, int y);

inline constexpr ui::Rgb kGridLineGrey{196, 196, 196};

ui::PaintList paintGrid(const GridGeometry& g, GridCell selected);
// The result field: white with a sunken border and the text in grey.
ui::PaintList paintResultField(int width, int height, std::string_view text);

}  // namespace appgen::editor
