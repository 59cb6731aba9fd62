// The windows of a transfer: "connecting" while the terminal has not
// answered (its bar runs to and fro, the device under the text), the
// download's window with its 0..100 bar, and the upload's light-yellow
// count box. Each has a Cancel button; pressed once, it greys out while the
// transfer ends after the unit on the wire. Only the transfer closes them.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace appgen::win32 {

class TransferWindow {
public:
    enum class Kind { Bar, Connecting, Count };
    // Texts UTF-8; a count's text holds "%d" where the number goes.
    TransferWindow(Kind kind, const std::string& caption, const std::string& text,
                   const std::string& detail, HWND owner, std::atomic<bool>& cancel);
    ~TransferWindow();
    TransferWindow(const TransferWindow&) = delete;
    TransferWindow& operator=(const TransferWindow&) = delete;

    void set(int value);
    HWND window() const { return window_; }
    HWND cancelButton() const { return button_; }

    static void registerClass(HINSTANCE instance);

private:
    friend LRESULT CALLBACK transferWindowProc(HWND, UINT, WPARAM, LPARAM);
    void layout();
    void pressCancel();

    Kind kind_;
    std::wstring text_;
    std::atomic<bool>& cancel_;
    HWND window_ = nullptr;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HWND button_ = nullptr;
    HFONT font_ = nullptr;
    int count_ = 0;
};

}  // namespace appgen::win32
