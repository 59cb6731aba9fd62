// The 52 pictures of the terminal: the case with its display and keys, every
// key normal and pressed, the cursor block, the highlight bar, the clock-line
// background and the alpha indicator. Drawn by our own code when the window
// starts, at the screen's device pixel ratio so that they stay sharp.
#pragma once

#include <QImage>
#include <QSize>
#include <map>

namespace appgen::gui {

// The display's colours, shared with the painter of its text.
inline constexpr unsigned kLcdBackground = 0xFFA9B894;
inline constexpr unsigned kLcdInk = 0xFF000000;
inline constexpr unsigned kLcdBar = 0xFF26301F;

// Pictures the keypad header does not name.
inline constexpr int kHighlightBarPicture = 548;
inline constexpr int kClockBackgroundPicture = 549;

class TerminalArt {
public:
    explicit TerminalArt(qreal devicePixelRatio);

    // The picture resource 500..551, in logical pixels of its stated size;
    // an empty image for any other number.
    const QImage& picture(int id) const;
    qreal devicePixelRatio() const { return ratio_; }

    // The stated size of each picture; empty for a number that is none.
    static QSize pictureSize(int id);
    static constexpr int kFirst = 500;
    static constexpr int kLast = 551;

private:
    qreal ratio_;
    std::map<int, QImage> pictures_;
    QImage none_;
};

}  // namespace appgen::gui
