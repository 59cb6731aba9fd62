#include "gui/terminal_art.h"

#include "gui/drawing_player.h"
#include "shell/terminal_picture.h"

namespace appgen::gui {

QSize TerminalArt::pictureSize(int id) {
    const simulator::Size s = simulator::pictureSize(id);
    return {s.width, s.height};
}

TerminalArt::TerminalArt(qreal devicePixelRatio) : ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    // The keys first: the case places them.
    const auto placed = [this](int id) -> const QImage& { return picture(id); };
    for (int id = kFirst + 1; id <= kLast; ++id) pictures_[id] = playDrawing(shell::terminalPicture(id), ratio_, placed);
    pictures_[kFirst] = playDrawing(shell::terminalPicture(kFirst), ratio_, placed);
}

const QImage& TerminalArt::picture(int id) const {
    const auto it = pictures_.find(id);
    return it == pictures_.end() ? none_ : it->second;
}

}  // namespace appgen::gui
