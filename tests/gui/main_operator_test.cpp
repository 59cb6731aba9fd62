// The terminal window as an operator meets it: the clock line after ticks,
// the texts after the editor's OK, where dialogs open, the PC keyboard on
// the picture, Qt's own texts in Russian, labels' ampersands and the help
// window's keys.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "gui/control_text.h"
#include "gui/dialog_widgets.h"
#include "gui/pc_keyboard.h"
#include "gui/russian_texts.h"
#include "gui/sheet_window.h"
#include "gui/window_placement.h"
#include "main_fakes.h"
#include "project/text.h"
#include "simulator/key_codes.h"
#include "simulator/keypad.h"
#include "ui/builtin_templates.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;

std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }

// What the window holds now against what a full repaint of the display draws.
void expectFrameIsUpToDate(MainWindow& w) {
    w.QWidget::repaint();
    const QImage shown = w.frame();
    w.repaint(simulator::DisplayArea::WholeDisplay, 0);
    w.QWidget::repaint();
    EXPECT_EQ(shown, w.frame());
}

TEST(OperatorWindow, ClockLineAfterTicksIsWhatAFullRepaintDraws) {
    DesktopFixture f;
    for (int records : {0, 1, 3, 8, 12345}) {
        f.app().simulator().setRecordCount(records);
        f.app().tick();
    }
    ASSERT_EQ(f.app().simulator().clockLine().substr(15), "12345");
    expectFrameIsUpToDate(f.window());
}

TEST(OperatorWindow, LabelsShowADoubledAmpersandAsOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"5. Set Date && Time", "5. Set Date & Time"}, {"5.Set Date&&Time", "5.Set Date&Time"},
        {"&Файл", "Файл"}, {"A&&&B", "A&B"}, {"конец&", "конец"}};
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(labelText(cp(bytes)), QString::fromUtf8(shown)) << bytes;
}

// OK on the sheet after a new main-menu text on the Startup page: the
// terminal shows it at once, not after the next key.
TEST(OperatorWindow, TextsOfTheSheetShowOnTheTerminalAfterOk) {
    DesktopFixture f;
    QTimer::singleShot(0, [] {
        auto* sheet = dynamic_cast<SheetWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->tabs()->setCurrentIndex(5);
        ASSERT_NE(sheet->pagePanel(5), nullptr);
        sheet->pagePanel(5)->dialog().userType(511, cp("НОВОЕ МЕНЮ"));
        sheet->okButton()->click();
    });
    f.window().runCommand(shell::kCmdEdit);
    EXPECT_EQ(f.app().simulator().display().screenLines[0], cp("НОВОЕ МЕНЮ"));
    expectFrameIsUpToDate(f.window());
}

// The arithmetic is the core's (tests/ui); here the sheet as Qt shows it.
TEST(OperatorWindow, FramesGoOverTheAnchorAndWhollyInsideTheScreen) {
    // At the lower right too, where a frame counted twice ended past the edges.
    for (const QPoint terminalAt : {QPoint(300, 50), QPoint(0, 0), QPoint(650, 300), QPoint(600, 341)}) {
        DesktopFixture f;
        f.window().move(terminalAt);
        QRect sheet;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            ASSERT_NE(w, nullptr);
            sheet = w->frameGeometry();
            static_cast<QDialog*>(w)->reject();
        });
        f.window().runCommand(shell::kCmdEdit);
        const QRect available = f.window().screen()->availableGeometry();
        EXPECT_TRUE(available.contains(sheet)) << terminalAt.x() << "," << terminalAt.y();
        EXPECT_EQ(sheet, placeFrame(sheet.size(), f.window().frameGeometry(), available)) << terminalAt.x();
        EXPECT_TRUE(sheet.contains(f.window().frameGeometry().center())) << terminalAt.x();
    }
}

// Each PC key presses its terminal key as a click on it does: drawn pressed
// while held, and the same display after it.
TEST(OperatorWindow, PcKeysWorkTheTerminalAsClicksDo) {
    for (const simulator::PcKeyBinding& k : simulator::pcKeyboard()) {
        const Qt::Key key = Qt::Key(qtKeyOf(k.key));
        SCOPED_TRACE(QTest::toString(QKeySequence(key)));
        const simulator::Point click = simulator::clickPointOf(k.code);
        const QPoint at(click.x, click.y);
        const simulator::KeyHit hit = simulator::keyAt(at.x(), at.y());
        const Qt::KeyboardModifiers mods = k.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        ASSERT_EQ(terminalKeyFor(key, mods), k.code);

        std::vector<simulator::DisplayModel> after;
        for (const bool byKeyboard : {true, false}) {
            DesktopFixture f;
            f.app().workspace().project.forms[0].lineType[0] = 1;  // something to run
            ModalDriver driver(&f.window());
            MainWindow& w = f.window();
            w.setMenuRunner([](QMenu&, QPoint) -> QAction* { return nullptr; });
            if (byKeyboard) {
                w.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
                QTest::keyPress(w.windowHandle(), key, mods);
            } else {
                QTest::mousePress(&w, Qt::LeftButton, {}, at);
            }
            const QImage pressed = w.art().picture(simulator::pressedKeyPicture(k.code));
            const QImage frame = w.frame();
            const qreal r = frame.devicePixelRatio();
            EXPECT_EQ(frame.copy(QRect(QPoint(hit.origin.x, hit.origin.y) * r, pressed.size()))
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      pressed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
            EXPECT_TRUE(f.app().simulator().display().keyDown);
            if (byKeyboard)
                QTest::keyRelease(w.windowHandle(), key, mods);
            else
                QTest::mouseRelease(&w, Qt::LeftButton, {}, at);
            EXPECT_FALSE(f.app().simulator().display().keyDown);
            after.push_back(f.app().simulator().display());
        }
        EXPECT_EQ(after[0].screenLines, after[1].screenLines);
        EXPECT_EQ(after[0].state, after[1].state);
        EXPECT_EQ(after[0].highlightLine, after[1].highlightLine);
    }
    // Accelerators stay accelerators.
    EXPECT_EQ(terminalKeyFor(Qt::Key_1, Qt::ControlModifier), 0);
    EXPECT_EQ(terminalKeyFor(Qt::Key_Enter, Qt::NoModifier), 0);
}

TEST(OperatorWindow, QtsOwnButtonsSpeakRussian) {
    {
        const RussianQtTexts russian;
        ASSERT_TRUE(russian.loaded()) << "qt6-translations-l10n is not installed";
        QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
    }
    QMessageBox after(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("?"), QMessageBox::Yes);
    EXPECT_EQ(after.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Yes"));
}

TEST(OperatorWindow, HelpClosesWithEscAndCtrlW) {
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        QtServices services;
        services.showHelp(APPGEN_SOURCE_DIR "/docs/help.md", false);
        HelpWindow* help = services.helpWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::keySequence(help->windowHandle(), keys);
        EXPECT_FALSE(help->isVisible()) << keys.toString().toStdString();
    }
    // F1 is named where an operator looks for the help.
    EXPECT_TRUE(keyboardHint().contains(QStringLiteral("F1")));
    EXPECT_NE(ui::dialogTemplate("ABOUTBOX").control(1000)->text.find("F1"), std::string::npos);
}

}  // namespace
}  // namespace appgen::gui
