// The two progress displays of the transfers: the download's window with its
// bar, and the upload's light-yellow count box in the middle of the screen.
#pragma once

#include <QDialog>
#include <QProgressBar>
#include <QWidget>

namespace appgen::gui {

// "Прогресс" with its line of text and a 0..100 bar; modal for the whole
// application, and the operator cannot close it: the transfer does.
class ProgressWindow : public QDialog {
public:
    ProgressWindow(const QString& caption, const QString& text);
    void setPercent(int value);
    int percent() const { return bar_->value(); }
    QProgressBar* bar() const { return bar_; }

protected:
    void reject() override {}
    void resizeEvent(QResizeEvent* event) override;

private:
    QProgressBar* bar_;
};

// The count of records received, centred on the screen: a yellow box with a
// frame and the text centred on one line.
class CountBox : public QWidget {
public:
    explicit CountBox(const QString& format);
    void setCount(int n);
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString format_;
    int count_ = 0;
};

}  // namespace appgen::gui
