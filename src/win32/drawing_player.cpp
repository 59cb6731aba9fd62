#include "win32/drawing_player.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

// Coordinates go to GDI in sixteenths of a logical pixel; the world
// transform scales them to the device.
constexpr double kSub = 16;

int sub(double v) { return static_cast<int>(std::lround(v * kSub)); }

COLORREF colourOf(const ui::Colour& c) { return RGB(c.r / 257, c.g / 257, c.b / 257); }

POINT at(const ui::PointF& p) { return {sub(p.x), sub(p.y)}; }

class Player {
public:
    Player(HDC dc, double scale, const DrawingSet& set) : dc_(dc), scale_(scale), set_(set) {}
    ~Player() {
        release();
    }

    void play(const ui::Drawing& d, int offsetX, int offsetY) {
        XFORM x{static_cast<FLOAT>(scale_ / kSub), 0, 0, static_cast<FLOAT>(scale_ / kSub),
                static_cast<FLOAT>(offsetX * scale_), static_cast<FLOAT>(offsetY * scale_)};
        SetWorldTransform(dc_, &x);
        pen_ = ui::pen(ui::Colour{});
        brush_ = ui::noBrush();
        font_ = {};
        select();
        for (const ui::DrawStep& step : d.steps) std::visit([&](const auto& s) { draw(s, offsetX, offsetY); }, step);
    }

private:
    void draw(const ui::SetPen& p, int, int) {
        pen_ = p;
        select();
    }
    void draw(const ui::SetBrush& b, int, int) {
        brush_ = b;
        select();
    }
    void draw(const ui::SetAntialias&, int, int) {}  // GDI draws whole pixels at the device's density
    void draw(const ui::SetFont& f, int, int) {
        font_ = f;
        select();
    }
    void draw(const ui::RoundedRect& r, int, int) {
        shape([&] {
            RoundRect(dc_, sub(r.rect.x), sub(r.rect.y), sub(r.rect.x + r.rect.width), sub(r.rect.y + r.rect.height),
                      sub(2 * r.radius), sub(2 * r.radius));
        });
    }
    void draw(const ui::Rectangle& r, int, int) {
        shape([&] {
            Rectangle(dc_, sub(r.rect.x), sub(r.rect.y), sub(r.rect.x + r.rect.width), sub(r.rect.y + r.rect.height));
        });
    }
    void draw(const ui::Polygon& p, int, int) {
        std::vector<POINT> pts;
        for (const auto& q : p.points) pts.push_back(at(q));
        SetPolyFillMode(dc_, ALTERNATE);
        shape([&] { Polygon(dc_, pts.data(), static_cast<int>(pts.size())); });
    }
    void draw(const ui::Polyline& p, int, int) {
        std::vector<POINT> pts;
        for (const auto& q : p.points) pts.push_back(at(q));
        if (!pen_.none) Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
    }
    void draw(const ui::Arc& a, int, int) {
        if (pen_.none) return;
        const double cx = a.ellipse.x + a.ellipse.width / 2;
        const double cy = a.ellipse.y + a.ellipse.height / 2;
        const auto point = [&](int sixteenths) {
            const double rad = sixteenths / 16.0 * std::numbers::pi / 180;
            return POINT{sub(cx + std::cos(rad) * a.ellipse.width / 2), sub(cy - std::sin(rad) * a.ellipse.height / 2)};
        };
        const POINT from = point(a.startSixteenths);
        const POINT to = point(a.startSixteenths + a.spanSixteenths);
        SetArcDirection(dc_, a.spanSixteenths >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
        Arc(dc_, sub(a.ellipse.x), sub(a.ellipse.y), sub(a.ellipse.x + a.ellipse.width),
            sub(a.ellipse.y + a.ellipse.height), from.x, from.y, to.x, to.y);
    }
    void draw(const ui::Line& l, int, int) {
        if (pen_.none) return;
        MoveToEx(dc_, sub(l.from.x), sub(l.from.y), nullptr);
        LineTo(dc_, sub(l.to.x), sub(l.to.y));
    }
    void draw(const ui::FillRect& f, int, int) {
        HBRUSH b = CreateSolidBrush(colourOf(f.colour));
        const RECT r{sub(f.x), sub(f.y), sub(f.x + f.width), sub(f.y + f.height)};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    void draw(const ui::CentredText& t, int, int) {
        SetTextColor(dc_, colourOf(pen_.colour));
        SetBkMode(dc_, TRANSPARENT);
        SetTextCharacterExtra(dc_, sub(font_.letterSpacing));
        RECT r{sub(t.box.x), sub(t.box.y), sub(t.box.x + t.box.width), sub(t.box.y + t.box.height)};
        const std::wstring text = wideFromUtf8(t.utf8);
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    void draw(const ui::PlacePicture& p, int offsetX, int offsetY) {
        // The placed picture starts afresh; this one's state comes back after it.
        const ui::SetPen pen = pen_;
        const ui::SetBrush brush = brush_;
        const ui::SetFont font = font_;
        play(set_(p.picture), offsetX + p.x, offsetY + p.y);
        XFORM x{static_cast<FLOAT>(scale_ / kSub), 0, 0, static_cast<FLOAT>(scale_ / kSub),
                static_cast<FLOAT>(offsetX * scale_), static_cast<FLOAT>(offsetY * scale_)};
        SetWorldTransform(dc_, &x);
        pen_ = pen;
        brush_ = brush;
        font_ = font;
        select();
    }

    // Fills and outlines a shape; a gradient is laid in bands under the shape's clip.
    template <typename Shape>
    void shape(Shape s) {
        if (brush_.kind == ui::SetBrush::Kind::VerticalGradient) {
            SaveDC(dc_);
            BeginPath(dc_);
            s();
            EndPath(dc_);
            SelectClipPath(dc_, RGN_AND);
            gradient();
            RestoreDC(dc_, -1);
            HGDIOBJ old = SelectObject(dc_, GetStockObject(NULL_BRUSH));
            s();
            SelectObject(dc_, old);
            return;
        }
        s();
    }

    void gradient() {
        const double from = brush_.fromY;
        const double to = brush_.toY;
        const double top = std::min(from, to) - 1000;
        const double bottom = std::max(from, to) + 1000;
        const double step = 0.25;
        auto mix = [&](double y) {
            double t = to == from ? 1 : (y - from) / (to - from);
            t = std::clamp(t, 0.0, 1.0);
            const auto m = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)) / 257; };
            return RGB(m(brush_.colour.r, brush_.to.r), m(brush_.colour.g, brush_.to.g), m(brush_.colour.b, brush_.to.b));
        };
        // Bands of a quarter logical pixel over the gradient, padded beyond.
        for (double y = std::min(from, to); y < std::max(from, to); y += step) {
            HBRUSH b = CreateSolidBrush(mix(y + step / 2));
            const RECT r{sub(-1000), sub(y), sub(4000), sub(y + step) + 1};
            FillRect(dc_, &r, b);
            DeleteObject(b);
        }
        HBRUSH before = CreateSolidBrush(mix(from < to ? top : bottom));
        HBRUSH after = CreateSolidBrush(mix(from < to ? bottom : top));
        const RECT r1{sub(-1000), sub(top), sub(4000), sub(std::min(from, to))};
        const RECT r2{sub(-1000), sub(std::max(from, to)), sub(4000), sub(bottom)};
        FillRect(dc_, &r1, before);
        FillRect(dc_, &r2, after);
        DeleteObject(before);
        DeleteObject(after);
    }

    void select() {
        release();
        if (pen_.none) {
            oldPen_ = SelectObject(dc_, GetStockObject(NULL_PEN));
        } else {
            LOGBRUSH lb{BS_SOLID, colourOf(pen_.colour), 0};
            const DWORD cap = pen_.cap == ui::SetPen::Cap::Round ? PS_ENDCAP_ROUND : PS_ENDCAP_SQUARE;
            const DWORD join = pen_.join == ui::SetPen::Join::Round ? PS_JOIN_ROUND : PS_JOIN_BEVEL;
            pen_handle_ = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | cap | join,
                                       static_cast<DWORD>(std::max(1, sub(pen_.width))), &lb, 0, nullptr);
            oldPen_ = SelectObject(dc_, pen_handle_);
        }
        if (brush_.kind == ui::SetBrush::Kind::Solid) {
            brush_handle_ = CreateSolidBrush(colourOf(brush_.colour));
            oldBrush_ = SelectObject(dc_, brush_handle_);
        } else {
            oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        }
        font_handle_ = CreateFontW(-sub(font_.pixelSize), 0, 0, 0, font_.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                   DEFAULT_PITCH, wideFromUtf8(font_.family).c_str());
        oldFont_ = SelectObject(dc_, font_handle_);
    }

    void release() {
        if (oldPen_) SelectObject(dc_, oldPen_);
        if (oldBrush_) SelectObject(dc_, oldBrush_);
        if (oldFont_) SelectObject(dc_, oldFont_);
        oldPen_ = oldBrush_ = oldFont_ = nullptr;
        for (HGDIOBJ* h : {&pen_handle_, &brush_handle_, &font_handle_}) {
            if (*h) DeleteObject(*h);
            *h = nullptr;
        }
    }

    HDC dc_;
    double scale_;
    const DrawingSet& set_;
    ui::SetPen pen_ = ui::pen(ui::Colour{});
    ui::SetBrush brush_ = ui::noBrush();
    ui::SetFont font_{};
    HGDIOBJ pen_handle_ = nullptr;
    HGDIOBJ brush_handle_ = nullptr;
    HGDIOBJ font_handle_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

}  // namespace

HBITMAP renderDrawing(const ui::Drawing& drawing, double scale, const DrawingSet& set) {
    if (drawing.empty()) return nullptr;
    const int w = static_cast<int>(std::ceil(drawing.width * scale));
    const int h = static_cast<int>(std::ceil(drawing.height * scale));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH ground = CreateSolidBrush(colourOf(drawing.background));
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, ground);
    DeleteObject(ground);
    SetGraphicsMode(dc, GM_ADVANCED);
    {
        Player player(dc, scale, set);
        player.play(drawing, 0, 0);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace appgen::win32
