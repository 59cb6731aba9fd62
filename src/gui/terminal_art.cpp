#include "gui/terminal_art.h"

#include "gui/drawing_player.h"
#include "shell/terminal_picture.h"

namespace appgen::gui {

QSize TerminalArt::pictureSize(int id) {
    const simulator::Size s = simulator::pictureSize(id);
    return {s.width, s.height};
}

TerminalArt::TerminalArt(qreal devicePixelRatio) : ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1) {}

const QImage& TerminalArt::picture(int id) const {
    if (id < kFirst || id > kLast) return none_;
    if (const auto it = pictures_.find(id); it != pictures_.end()) return it->second;
    // The case places the keys' pictures, drawn (and kept) on the way.
    QImage drawn = playDrawing(shell::terminalPicture(id), ratio_, [this](int placed) -> const QImage& {
        return picture(placed);
    });
    return pictures_.emplace(id, std::move(drawn)).first->second;
}

}  // namespace appgen::gui
