#include "gui/drawing_player.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace appgen::gui {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

QRectF toQRectF(const ui::RectF& r) { return {r.x, r.y, r.width, r.height}; }
QPointF toQPointF(const ui::PointF& p) { return {p.x, p.y}; }
QPolygonF toPolygon(const std::vector<ui::PointF>& points) {
    QPolygonF out;
    for (const ui::PointF& p : points) out << toQPointF(p);
    return out;
}

QPen toQPen(const ui::SetPen& s) {
    if (s.none) return Qt::NoPen;
    return QPen(toQColor(s.colour), s.width, Qt::SolidLine, s.cap == ui::SetPen::Cap::Round ? Qt::RoundCap : Qt::SquareCap,
                s.join == ui::SetPen::Join::Round ? Qt::RoundJoin : Qt::BevelJoin);
}

QBrush toQBrush(const ui::SetBrush& s) {
    switch (s.kind) {
        case ui::SetBrush::Kind::None: return Qt::NoBrush;
        case ui::SetBrush::Kind::Solid: return toQColor(s.colour);
        case ui::SetBrush::Kind::VerticalGradient: {
            QLinearGradient g(0, s.fromY, 0, s.toY);
            g.setColorAt(0, toQColor(s.colour));
            g.setColorAt(1, toQColor(s.to));
            return g;
        }
    }
    return Qt::NoBrush;
}

QFont toQFont(const ui::SetFont& s) {
    QFont f(QString::fromStdString(s.family));
    if (s.bold) f.setBold(true);
    f.setPixelSize(s.pixelSize);
    if (s.letterSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, s.letterSpacing);
    return f;
}

}  // namespace

QColor toQColor(const ui::Colour& c) { return QColor::fromRgba64(c.r, c.g, c.b); }

QImage playDrawing(const ui::Drawing& drawing, qreal ratio, const std::function<const QImage&(int)>& picture) {
    QImage img(QSize(int(std::ceil(drawing.width * ratio)), int(std::ceil(drawing.height * ratio))),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(toQColor(drawing.background));
    if (drawing.steps.empty()) return img;
    QPainter p(&img);
    for (const ui::DrawStep& step : drawing.steps) {
        std::visit(Overloaded{
                       [&](const ui::SetPen& s) { p.setPen(toQPen(s)); },
                       [&](const ui::SetBrush& s) { p.setBrush(toQBrush(s)); },
                       [&](const ui::SetAntialias& s) { p.setRenderHint(QPainter::Antialiasing, s.on); },
                       [&](const ui::SetFont& s) { p.setFont(toQFont(s)); },
                       [&](const ui::RoundedRect& s) { p.drawRoundedRect(toQRectF(s.rect), s.radius, s.radius); },
                       [&](const ui::Rectangle& s) { p.drawRect(toQRectF(s.rect)); },
                       [&](const ui::Polygon& s) { p.drawPolygon(toPolygon(s.points)); },
                       [&](const ui::Polyline& s) { p.drawPolyline(toPolygon(s.points)); },
                       [&](const ui::Arc& s) { p.drawArc(toQRectF(s.ellipse), s.startSixteenths, s.spanSixteenths); },
                       [&](const ui::Line& s) { p.drawLine(toQPointF(s.from), toQPointF(s.to)); },
                       [&](const ui::FillRect& s) { p.fillRect(QRect(s.x, s.y, s.width, s.height), toQColor(s.colour)); },
                       [&](const ui::CentredText& s) {
                           p.drawText(toQRectF(s.box), Qt::AlignCenter, QString::fromStdString(s.utf8));
                       },
                       [&](const ui::PlacePicture& s) { p.drawImage(QPoint(s.x, s.y), picture(s.picture)); },
                   },
                   step);
    }
    return img;
}

}  // namespace appgen::gui
