// The modal property sheet: pages in order, each created when first shown.
// OK applies every page that was shown, in page order; Cancel drops them all.
// There is no Apply button.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog.h"

namespace appgen::ui {

class PageHandler : public DialogHandler {
public:
    // The sheet closed with OK: write the working copy back.
    virtual void apply(Dialog&) {}
    // The sheet closed with Cancel: drop the working copy.
    virtual void reset(Dialog&) {}
};

struct SheetPage {
    const DialogTemplate* layout;  // its caption is the tab text
    PageHandler* handler;
};

class PropertySheet {
public:
    // caption: Windows-1251.
    PropertySheet(std::string caption, std::vector<SheetPage> pages, int startPage = 0,
                  DialogBaseUnits units = {});
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    const std::string& caption() const { return caption_; }
    // How hosts name the sheet in their logs: its first page's template name.
    const std::string& name() const;
    int pageCount() const { return static_cast<int>(pages_.size()); }
    const DialogTemplate& pageLayout(int index) const { return *pages_[index].layout; }
    // -1 when no page has that template.
    int findPage(std::string_view templateName) const;

    // Shows the start page; the host calls it when the sheet opens.
    void start();
    bool started() const { return started_; }
    // Creates the page when it is shown for the first time.
    UserResult showPage(int index);
    int currentIndex() const { return current_; }
    Dialog& current() { return *dialogs_[current_]; }
    // Nothing until the page has been shown.
    Dialog* page(int index) { return dialogs_[index].get(); }

    UserResult ok();
    UserResult cancel();
    bool ended() const { return ended_; }
    int result() const { return result_; }  // 1 after OK, 0 after Cancel
    // Closes without telling the pages, as destroying the window does.
    void destroy();

    // Called when another page is shown or the sheet closes.
    std::function<void()> onChanged;

private:
    void changed() {
        if (onChanged) onChanged();
    }

    std::string caption_;
    std::vector<SheetPage> pages_;
    std::vector<std::unique_ptr<Dialog>> dialogs_;
    DialogBaseUnits units_;
    int start_;
    int current_ = 0;
    bool started_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace appgen::ui
