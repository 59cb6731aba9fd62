// Messages of the program's own windows.
#pragma once

#include <windows.h>

namespace appgen::win32 {

// A painted area asks its dialog for the paint list of control wParam; lParam
// points to the ui::PaintList to fill.
inline constexpr UINT kMsgAreaPaint = WM_APP + 1;
// A painted area was clicked: wParam the control id, lParam the client point.
inline constexpr UINT kMsgAreaClick = WM_APP + 2;
// An edit was clicked (a person's click, before the edit takes it): wParam the id.
inline constexpr UINT kMsgEditClick = WM_APP + 3;

// The window class of the areas the program paints itself.
inline constexpr wchar_t kPaintAreaClass[] = L"AppgenPaintArea";

}  // namespace appgen::win32
