// Qt's own texts in Russian, as the rest of the program speaks: the Yes, No
// and Cancel of every question, the file dialogs, the context menus of the
// edit boxes. Installed for as long as the object lives.
#pragma once

#include <QTranslator>
#include <memory>
#include <vector>

namespace appgen::gui {

class RussianQtTexts {
public:
    RussianQtTexts();
    ~RussianQtTexts();
    RussianQtTexts(const RussianQtTexts&) = delete;
    RussianQtTexts& operator=(const RussianQtTexts&) = delete;

    // False when Qt's translations are not installed: its texts stay English.
    bool loaded() const { return !installed_.empty(); }

private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
};

}  // namespace appgen::gui
