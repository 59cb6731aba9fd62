#include "gui/control_custom.h"

#include <cstdlib>

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "project/text.h"

namespace appgen::gui {
namespace {

QColor toColor(ui::Rgb c) { return QColor(c.r, c.g, c.b); }

int towards(int from, int to) { return from < to ? to - 1 : from > to ? to + 1 : to; }

}  // namespace

void drawPaintList(QPainter& painter, const ui::PaintList& ops) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ui::PaintOp& op : ops) {
        switch (op.kind) {
            case ui::PaintOp::Kind::Fill:
                painter.fillRect(op.x, op.y, op.x2, op.y2, toColor(op.colour));
                break;
            case ui::PaintOp::Kind::Line: {
                if (op.x == op.x2 && op.y == op.y2) break;
                painter.setPen(QPen(toColor(op.colour), 0));
                // Stepping back one pixel along the line's major axis leaves
                // out the end point.
                const bool mostlyAcross = std::abs(op.x2 - op.x) >= std::abs(op.y2 - op.y);
                const int endX = mostlyAcross ? towards(op.x, op.x2) : op.x2;
                const int endY = mostlyAcross ? op.y2 : towards(op.y, op.y2);
                painter.drawLine(op.x, op.y, endX, endY);
                break;
            }
            case ui::PaintOp::Kind::Text: {
                painter.setPen(toColor(op.colour));
                const QString text = QString::fromStdString(cp1251ToUtf8(op.text));
                if (op.align == ui::PaintOp::Align::TopCentre) {
                    painter.drawText(QRect(op.x, op.y, op.x2, op.y2),
                                     Qt::AlignTop | Qt::AlignHCenter | Qt::TextSingleLine, text);
                } else {
                    painter.drawText(QRect(op.x + op.indent, op.y, op.x2 - op.indent, op.y2),
                                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
                }
                break;
            }
        }
    }
}

class CustomView::Area : public QWidget {
public:
    Area(CustomView& view, ui::Dialog& dialog, int id, QWidget* parent)
        : QWidget(parent), view_(view), dialog_(dialog), id_(id) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setClipRect(rect());
        drawPaintList(painter, dialog_.paint(id_));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        const QPoint p = event->position().toPoint();
        const QPointer<Area> self(this);  // the click may close the window
        const ui::UserResult r = dialog_.userClickAt(id_, p.x(), p.y());
        if (self) view_.clicked(r);
    }

private:
    CustomView& view_;
    ui::Dialog& dialog_;
    const int id_;
};

CustomView::CustomView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), area_(new Area(*this, dialog, t.id, parent)) {}

QWidget* CustomView::widget() { return area_; }

void CustomView::show(const ui::ControlState&) { area_->update(); }

}  // namespace appgen::gui
