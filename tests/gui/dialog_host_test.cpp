// The host keeps the widgets and the dialog layer in step both ways: what the
// user does on a widget reaches the dialog, what the program sets in the
// dialog reaches the widget.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialog_test_support.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::gui {
namespace {

using test::RecordingHandler;

// AdvanceDlg has edits, plain check boxes, lists, labels and OK/Cancel.
constexpr int kNumberLabel = 401;
constexpr int kFixedLenCheck = 101;
constexpr int kFixedLenBox = 501;
constexpr int kInitialBox = 502;
constexpr int kAlignList = 601;

// Types each character as a key press carrying its text, as an input method
// delivers letters that have no key code of their own.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

struct Hosted {
    RecordingHandler handler;
    ui::Dialog dialog{ui::dialogTemplate("AdvanceDlg"), handler};
    DialogWindow window{dialog, nullptr};

    Hosted() {
        EXPECT_TRUE(window.begin());
        window.show();
    }
    template <typename W>
    W* widget(int id) {
        return dynamic_cast<W*>(window.panel().controlWidget(id));
    }
};

TEST(DialogHost, TypingReachesTheDialogAsWindows1251) {
    Hosted h;
    auto* edit = h.widget<QLineEdit>(kInitialBox);
    ASSERT_NE(edit, nullptr);
    typeText(edit, QStringLiteral("Щит"));
    EXPECT_EQ(h.dialog.text(kInitialBox), utf8ToCp1251("Щит"));
    EXPECT_EQ(h.handler.count(kInitialBox, ui::Notify::Changed), 3);
    EXPECT_EQ(h.dialog.focus(), kInitialBox);
}

TEST(DialogHost, CharactersWithoutACodeShowAsTheDialogKeepsThem) {
    Hosted h;
    auto* edit = h.widget<QLineEdit>(kInitialBox);
    edit->setFocus();
    typeText(edit, QString::fromUtf8("a\u4e2d"));
    EXPECT_EQ(h.dialog.text(kInitialBox), "a?");
    EXPECT_EQ(edit->text(), QStringLiteral("a?"));
}

TEST(DialogHost, AHandlerThatCutsTheTextIsShownInTheBox) {
    Hosted h;
    h.handler.react = [](ui::Dialog& d, const ui::Notification& n) {
        if (n.id == kInitialBox && n.code == ui::Notify::Changed && d.text(kInitialBox).size() > 3)
            d.setText(kInitialBox, d.text(kInitialBox, 3));
    };
    auto* edit = h.widget<QLineEdit>(kInitialBox);
    QTest::keyClicks(edit, QStringLiteral("abcdef"));
    EXPECT_EQ(h.dialog.text(kInitialBox), "abc");
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
}

TEST(DialogHost, ProgramChangesReachTheWidgets) {
    Hosted h;
    ui::Dialog& d = h.dialog;
    d.setText(kInitialBox, utf8ToCp1251("Привет"));
    d.setText(kNumberLabel, "7");
    d.enable(kFixedLenBox, false);
    d.show(kFixedLenCheck, false);
    d.setItems(kAlignList, {utf8ToCp1251("слева"), utf8ToCp1251("справа")});
    d.select(kAlignList, 1);

    EXPECT_EQ(h.widget<QLineEdit>(kInitialBox)->text(), QStringLiteral("Привет"));
    EXPECT_EQ(h.widget<QLabel>(kNumberLabel)->text(), QStringLiteral("7"));
    EXPECT_FALSE(h.widget<QLineEdit>(kFixedLenBox)->isEnabled());
    EXPECT_FALSE(h.widget<QCheckBox>(kFixedLenCheck)->isVisible());
    auto* list = h.widget<QComboBox>(kAlignList);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("справа"));
    EXPECT_EQ(list->currentIndex(), 1);

    d.show(kFixedLenCheck, true);
    d.check(kFixedLenCheck, true);
    d.enable(kFixedLenBox, true);
    d.select(kAlignList, 5);  // outside the list: nothing selected
    EXPECT_TRUE(h.widget<QCheckBox>(kFixedLenCheck)->isVisible());
    EXPECT_TRUE(h.widget<QCheckBox>(kFixedLenCheck)->isChecked());
    EXPECT_TRUE(h.widget<QLineEdit>(kFixedLenBox)->isEnabled());
    EXPECT_EQ(list->currentIndex(), -1);
    // Program changes notify only where the dialog layer says so.
    EXPECT_EQ(h.handler.count(kAlignList, ui::Notify::SelChanged), 0);
    EXPECT_EQ(h.handler.count(kInitialBox, ui::Notify::Changed), 1);
}

TEST(DialogHost, AFilledControlIsPaintedAsASolidRectangle) {
    Hosted h;
    auto* box = h.widget<QLineEdit>(kInitialBox);
    h.dialog.setFill(kInitialBox, ui::kBlue);
    EXPECT_EQ(test::centreColour(*box), QColor(0, 0, 255));
    h.dialog.setFill(kInitialBox, std::nullopt);
    EXPECT_NE(test::centreColour(*box), QColor(0, 0, 255));
}

TEST(DialogHost, APlainCheckBoxShowsOnlyWhatItsHandlerSets) {
    for (const bool handlerChecks : {false, true}) {
        SCOPED_TRACE(handlerChecks);
        Hosted h;
        h.handler.react = [handlerChecks](ui::Dialog& d, const ui::Notification& n) {
            if (handlerChecks && n.id == kFixedLenCheck) d.check(kFixedLenCheck, !d.checked(n.id));
        };
        auto* check = h.widget<QCheckBox>(kFixedLenCheck);
        QTest::mouseClick(check, Qt::LeftButton);
        EXPECT_EQ(h.handler.count(kFixedLenCheck, ui::Notify::Clicked), 1);
        EXPECT_EQ(h.dialog.checked(kFixedLenCheck), handlerChecks);
        EXPECT_EQ(check->isChecked(), handlerChecks);
    }
}

TEST(DialogHost, ChoosingAListEntryReachesTheDialog) {
    Hosted h;
    h.dialog.setItems(kAlignList, {"a", "b", "c"});
    h.dialog.select(kAlignList, 0);
    auto* list = h.widget<QComboBox>(kAlignList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(h.dialog.selection(kAlignList), 1);
    EXPECT_EQ(h.handler.count(kAlignList, ui::Notify::SelChanged), 1);
}

TEST(DialogHost, TheDialogsFocusMovesTheKeyboard) {
    Hosted h;
    QApplication::setActiveWindow(&h.window);
    h.dialog.setFocus(kFixedLenBox);
    EXPECT_TRUE(h.widget<QLineEdit>(kFixedLenBox)->hasFocus());
    // A later change to that box does not pull the keyboard back to it.
    h.widget<QLineEdit>(kInitialBox)->setFocus();
    h.dialog.setText(kFixedLenBox, "3");
    EXPECT_TRUE(h.widget<QLineEdit>(kInitialBox)->hasFocus());
}

TEST(DialogHost, OkAndCancelEndTheDialogAndCloseTheWindow) {
    struct Case {
        const char* what;
        int button;  // 0: Esc
        bool refuse;
        bool ends;
        int result;
    };
    for (const Case& c : {Case{"OK", ui::kIdOk, false, true, 1}, Case{"Cancel", ui::kIdCancel, false, true, 0},
                          Case{"Esc", 0, false, true, 0}, Case{"refused Esc", 0, true, false, 0}}) {
        SCOPED_TRACE(c.what);
        Hosted h;
        h.handler.refuseCancel = c.refuse;
        if (c.button)
            QTest::mouseClick(h.widget<QPushButton>(c.button), Qt::LeftButton);
        else
            QTest::keyClick(&h.window, Qt::Key_Escape);
        EXPECT_EQ(h.dialog.ended(), c.ends);
        EXPECT_EQ(h.window.isVisible(), !c.ends);
        if (c.ends) {
            EXPECT_EQ(h.dialog.result(), c.result);
        }
    }
}

TEST(DialogHost, RunDialogModalReturnsTheResult) {
    RecordingHandler handler;
    ui::Dialog dialog(ui::dialogTemplate("COMSETTINGDLG"), handler);
    QTimer::singleShot(0, [] {
        auto* window = dynamic_cast<DialogWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        QTest::mouseClick(window->panel().controlWidget(ui::kIdOk), Qt::LeftButton);
    });
    EXPECT_EQ(runDialogModal(dialog, nullptr), 1);
    EXPECT_TRUE(dialog.ended());
    EXPECT_FALSE(dialog.onChanged) << "the closed window still listens";
}

TEST(DialogHost, ADialogThatEndsInItsInitIsNeverShown) {
    struct EndAtOnce : ui::DialogHandler {
        void init(ui::Dialog& d) override { d.end(7); }
    } handler;
    ui::Dialog dialog(ui::dialogTemplate("ABOUTBOX"), handler);
    EXPECT_EQ(runDialogModal(dialog, nullptr), 7);
}

}  // namespace
}  // namespace appgen::gui
