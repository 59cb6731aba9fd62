// The common controls' header, without its PropertySheet macro, which would
// rename the core's ui::PropertySheet; call PropertySheetW by name.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#undef PropertySheet
