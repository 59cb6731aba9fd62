#include "win32/paint_area.h"

#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace appgen::win32 {
namespace {

COLORREF colourOf(ui::Rgb c) { return RGB(c.r, c.g, c.b); }

void paint(HWND area) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(area, &ps);
    RECT client;
    GetClientRect(area, &client);
    ui::PaintList ops;
    SendMessageW(GetParent(area), kMsgAreaPaint, GetDlgCtrlID(area), reinterpret_cast<LPARAM>(&ops));
    // Drawn off screen first, so a redraw never flickers.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    auto font = reinterpret_cast<HFONT>(SendMessageW(GetParent(area), WM_GETFONT, 0, 0));
    drawPaintList(memory, ops, font);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(area, &ps);
}

LRESULT CALLBACK areaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint(area);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            SendMessageW(GetParent(area), kMsgAreaClick, GetDlgCtrlID(area), lParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        default:
            return DefWindowProcW(area, message, wParam, lParam);
    }
}


}  // namespace

void registerPaintArea(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = areaProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPaintAreaClass;
    RegisterClassExW(&wc);
}

void drawPaintList(HDC dc, const ui::PaintList& ops, HFONT font) {
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (const ui::PaintOp& op : ops) {
        switch (op.kind) {
            case ui::PaintOp::Kind::Fill: {
                HBRUSH brush = CreateSolidBrush(colourOf(op.colour));
                const RECT r{op.x, op.y, op.x + op.x2, op.y + op.y2};
                FillRect(dc, &r, brush);
                DeleteObject(brush);
                break;
            }
            case ui::PaintOp::Kind::Line: {
                if (op.x == op.x2 && op.y == op.y2) break;
                HPEN pen = CreatePen(PS_SOLID, 1, colourOf(op.colour));
                HGDIOBJ oldPen = SelectObject(dc, pen);
                // LineTo leaves out the end point, as the list means.
                MoveToEx(dc, op.x, op.y, nullptr);
                LineTo(dc, op.x2, op.y2);
                SelectObject(dc, oldPen);
                DeleteObject(pen);
                break;
            }
            case ui::PaintOp::Kind::Text: {
                SetTextColor(dc, colourOf(op.colour));
                std::wstring text = wideFromCp1251(op.text);
                if (op.align == ui::PaintOp::Align::TopCentre) {
                    RECT r{op.x, op.y, op.x + op.x2, op.y + op.y2};
                    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                              DT_TOP | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
                } else {
                    RECT r{op.x + op.indent, op.y, op.x + op.x2, op.y + op.y2};
                    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                              DT_VCENTER | DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
                }
                break;
            }
        }
    }
    if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace appgen::win32
