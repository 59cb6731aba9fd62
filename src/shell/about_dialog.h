// ABOUTBOX: the program's name and version, and an "OK" that closes it.
#pragma once

#include "ui/dialog.h"

namespace appgen::shell {

class AboutDialog : public ui::DialogHandler {};

}  // namespace appgen::shell
