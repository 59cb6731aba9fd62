// The 52 pictures of the terminal, played back from the core's drawings when
// the window starts, at the screen's device pixel ratio so that they stay
// sharp.
#pragma once

#include <QImage>
#include <QSize>
#include <map>

#include "simulator/terminal_layout.h"

namespace appgen::gui {

// The display's colours, shared with the painter of its text.
using simulator::kLcdBackground;
using simulator::kLcdBar;
using simulator::kLcdInk;

class TerminalArt {
public:
    explicit TerminalArt(qreal devicePixelRatio);

    // The picture resource 500..551, in logical pixels of its stated size;
    // an empty image for any other number.
    const QImage& picture(int id) const;
    qreal devicePixelRatio() const { return ratio_; }

    // The stated size of each picture; empty for a number that is none.
    static QSize pictureSize(int id);
    static constexpr int kFirst = simulator::kFirstPicture;
    static constexpr int kLast = simulator::kLastPicture;

private:
    qreal ratio_;
    std::map<int, QImage> pictures_;
    QImage none_;
};

}  // namespace appgen::gui
