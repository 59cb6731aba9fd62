// The editor sheet in the Qt host: six tabs in page order with the pages'
// captions, pages built when first shown, OK and Cancel through the sheet.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "editor/editor_sheet.h"
#include "dialog_test_support.h"
#include "gui/sheet_window.h"
#include "project/text.h"

namespace appgen::gui {
namespace {

struct Editor {
    Workspace ws;
    ui::HeadlessServices services;
    int resets = 0;
    editor::EditorSheet editor{ws, services, {[this] { ++resets; }}};
    SheetWindow window{editor.sheet(), nullptr};

    Editor() {
        resetProject(ws.project);
        EXPECT_TRUE(window.begin());
        window.show();
    }
};

TEST(SheetHost, SixTabsInPageOrderWithThePagesCaptions) {
    Editor e;
    EXPECT_EQ(e.window.windowTitle(), QStringLiteral("Application Generator"));
    const QStringList expected{"Форма",         "Меню",      "База Данных",
                               "Штриховой код", "Установки", "Начало работы"};
    ASSERT_EQ(e.window.tabs()->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(e.window.tabs()->tabText(i), expected[i]);
    EXPECT_EQ(e.window.tabs()->currentIndex(), 0);
}

TEST(SheetHost, APageIsBuiltWhenItsTabIsFirstShown) {
    Editor e;
    ui::PropertySheet& sheet = e.editor.sheet();
    ASSERT_NE(e.window.pagePanel(0), nullptr);
    for (int i = 1; i < sheet.pageCount(); ++i) {
        EXPECT_EQ(sheet.page(i), nullptr);
        EXPECT_EQ(e.window.pagePanel(i), nullptr);
    }
    for (int i = 0; i < sheet.pageCount(); ++i) {
        e.window.tabs()->setCurrentIndex(i);
        EXPECT_EQ(sheet.currentIndex(), i);
        ASSERT_NE(e.window.pagePanel(i), nullptr);
        EXPECT_EQ(&e.window.pagePanel(i)->dialog(), sheet.page(i));
        test::saveScreenshot(e.window, "sheet_" + sheet.pageLayout(i).name);
    }
    // Going back keeps the page as it was built.
    DialogPanel* first = e.window.pagePanel(0);
    e.window.tabs()->setCurrentIndex(0);
    EXPECT_EQ(e.window.pagePanel(0), first);
}

TEST(SheetHost, ThePagesHandlersFillTheirWidgets) {
    Editor e;
    // The form list of the Form page: "форма 1" .. "форма 10".
    auto* forms = dynamic_cast<QComboBox*>(e.window.pagePanel(0)->controlWidget(690));
    ASSERT_NE(forms, nullptr);
    EXPECT_EQ(forms->count(), 10);
    EXPECT_EQ(forms->currentText(), QStringLiteral("форма 1"));
}

TEST(SheetHost, OkAppliesAndCancelDrops) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Editor e;
        QTest::mouseClick(ok ? e.window.okButton() : e.window.cancelButton(), Qt::LeftButton);
        EXPECT_TRUE(e.editor.sheet().ended());
        EXPECT_EQ(e.editor.sheet().result(), ok ? 1 : 0);
        EXPECT_FALSE(e.window.isVisible());
        EXPECT_EQ(e.ws.isModified(), ok);
        EXPECT_EQ(e.resets, ok ? 1 : 0);
    }
}

TEST(SheetHost, EscIsCancel) {
    Editor e;
    QTest::keyClick(&e.window, Qt::Key_Escape);
    EXPECT_TRUE(e.editor.sheet().ended());
    EXPECT_EQ(e.editor.sheet().result(), 0);
}

// With the lists their handlers fill: every page, and every dialog its
// buttons open, shows each text whole.
TEST(SheetHost, EveryTextOfThePagesAndOfTheirDialogsShowsWhole) {
    Workspace ws;
    resetProject(ws.project);
    ws.project.forms[0].lineType[0] = 1;  // "текст": its "Еще..." opens AdvanceDlg
    ws.project.forms[0].lineType[1] = 7;  // "база": LookupAdvanceDlg
    test::HostedServices services;
    editor::EditorSheet editor(ws, services, {});
    SheetWindow window(editor.sheet(), nullptr);
    ASSERT_TRUE(window.begin());
    window.show();
    std::string faults;
    const std::vector<std::vector<int>> buttons{
        {201, 202, 210}, {}, {}, {201, 202, 203, 204, 205, 206, 207, 208, 209, 213, 216, 219, 223}, {201, 202}, {}};
    for (int page = 0; page < editor.sheet().pageCount(); ++page) {
        window.tabs()->setCurrentIndex(page);
        DialogPanel* panel = window.pagePanel(page);
        ASSERT_NE(panel, nullptr);
        faults += test::textFaults(*panel);
        for (int id : buttons[static_cast<std::size_t>(page)]) {
            services.actions.push_back([&](QDialog& d) {
                faults += test::textFaults(d);
                d.reject();
            });
            panel->dialog().userClick(id);
        }
    }
    EXPECT_EQ(faults, "");
    EXPECT_EQ(services.opened.size(), 18u);
}

TEST(SheetHost, RunSheetModalReturnsOneAfterOk) {
    Workspace ws;
    resetProject(ws.project);
    ui::HeadlessServices services;
    editor::EditorSheet editor(ws, services, {});
    QTimer::singleShot(0, [] {
        auto* window = dynamic_cast<SheetWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        QTest::mouseClick(window->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(runSheetModal(editor.sheet(), nullptr), 1);
    EXPECT_FALSE(editor.sheet().onChanged);
}

}  // namespace
}  // namespace appgen::gui
