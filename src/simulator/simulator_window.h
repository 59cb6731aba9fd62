// How the terminal picture answers the mouse, without drawing anything itself:
// a press on a key shows it pressed and sends its code, a press elsewhere
// drags the whole window, the power key and a right click open the command
// menu. The GUI forwards its mouse and timer events here and supplies the
// surface that does the drawing.
#pragma once

#include "simulator/keypad.h"
#include "simulator/simulator.h"

namespace appgen::simulator {

class WindowSurface {
public:
    virtual ~WindowSurface() = default;
    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
    // Draws a picture resource at a client point, straight onto the window.
    virtual void drawPicture(int picture, Point at) = 0;
    // The window's rectangle on the screen.
    virtual Rect windowOnScreen() = 0;
    // The drag frame, drawn on the whole screen in an inverting mode: drawing
    // the same frame twice removes it.
    virtual void drawDragOutline(const Rect& frame) = 0;
    // Moves the main window to the frame's position, keeping its size, and shows it.
    virtual void moveWindow(const Rect& frame) = 0;
    // The command menu with its top-left corner at a client point.
    virtual void openCommandMenu(Point at) = 0;
};

class SimulatorWindow {
public:
    SimulatorWindow(Simulator& sim, WindowSurface& surface) : sim_(sim), surface_(surface) {}

    // Coordinates as the window system packs them into 16 bits.
    void leftButtonDown(int x, int y);
    void mouseMove(int x, int y);
    void leftButtonUp();
    void rightButtonDown(int x, int y);
    void timer() { sim_.tick(); }

    bool dragging() const { return dragging_; }
    const Rect& frame() const { return frame_; }

private:
    Simulator& sim_;
    WindowSurface& surface_;
    KeyHit lastDown_;  // the key of the last button-down; code 0 when it was elsewhere
    bool dragging_ = false;
    Point grab_;
    Rect start_;  // the window's rectangle when the drag began
    Rect frame_;
};

}  // namespace appgen::simulator
