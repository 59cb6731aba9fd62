// The 52 pictures of the terminal as drawings: the case with its display and
// keys, every key normal and pressed, the cursor block, the highlight bar,
// the clock-line background and the alpha indicator. Each front end plays
// them back at its screen's density, so that they stay sharp.
#pragma once

#include "ui/drawing.h"

namespace appgen::shell {

// Picture 500..551 at its stated size; an empty drawing for any other number.
// The case (500) places the keys' normal pictures.
ui::Drawing terminalPicture(int id);

}  // namespace appgen::shell
