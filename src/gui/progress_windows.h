// The windows of a transfer: "connecting" while the terminal has not answered,
// the download's window with its bar, and the upload's light-yellow count box
// in the middle of the screen. Each has a Cancel button.
#pragma once

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace appgen::gui {

// "Отмена": pressed once, it greys out while the transfer ends after the
// unit on the wire.
class CancelButton : public QPushButton {
public:
    explicit CancelButton(QWidget* parent);
    std::function<void()> onCancel;
    void press();
};

// "Прогресс" with its line of text and a 0..100 bar; modal for the whole
// application. Escape and the Cancel button stop the transfer; only the
// transfer closes the window. A connecting window names the device under its
// text and its bar runs to and fro.
class ProgressWindow : public QDialog {
public:
    ProgressWindow(const QString& caption, const QString& text, const QString& device = {});
    void setPercent(int value);
    int percent() const { return bar_->value(); }
    QProgressBar* bar() const { return bar_; }
    CancelButton* cancelButton() const { return cancel_; }
    // The text and the bar, above the button row.
    int contentHeight() const { return areaHeight_; }

protected:
    void reject() override { cancel_->press(); }
    void resizeEvent(QResizeEvent* event) override;

private:
    QProgressBar* bar_;
    CancelButton* cancel_;
    int areaHeight_;  // the text and bar above the button row
};

// The count of records received, centred on the screen: a yellow box with a
// frame and the text centred on one line, the Cancel button under it.
class CountBox : public QWidget {
public:
    explicit CountBox(const QString& format);
    void setCount(int n);
    QString text() const;
    CancelButton* cancelButton() const { return cancel_; }
    // The yellow box itself, 40 high, above the button.
    QRect boxRect() const { return {0, 0, width(), kBoxHeight}; }
    static constexpr int kBoxHeight = 40;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString format_;
    int count_ = 0;
    CancelButton* cancel_;
};

}  // namespace appgen::gui
