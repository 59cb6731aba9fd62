// Controls that only show something: labels, group boxes and the icon.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <string>

#include "gui/control_view.h"

namespace appgen::gui {

// A label's Windows-1251 text as the dialogs mean it: "&&" shows one
// ampersand, and a single one only marks the next letter as a mnemonic.
QString labelText(const std::string& bytes);

class LabelView : public ControlView {
public:
    LabelView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override { return label_; }
    void show(const ui::ControlState& state) override;
    void readBack(ui::ControlState& state) const override;

private:
    QLabel* label_;
};

class GroupBoxView : public ControlView {
public:
    GroupBoxView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override { return box_; }
    void show(const ui::ControlState& state) override;
    void readBack(ui::ControlState& state) const override;

private:
    QGroupBox* box_;
};

// The program's icon, scaled into the control's box.
class IconView : public ControlView {
public:
    IconView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override { return label_; }
    void show(const ui::ControlState& state) override;

private:
    QLabel* label_;
    int side_ = 0;
};

}  // namespace appgen::gui
