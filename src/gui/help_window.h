// The operator's help: the Markdown document shown in a window of its own
// that stays open beside the terminal.
#pragma once

#include <QTextBrowser>

namespace appgen::gui {

class HelpWindow : public QTextBrowser {
public:
    HelpWindow();
    // False when the document cannot be read; the window then says so.
    bool load(const QString& path);
};

}  // namespace appgen::gui
