// An operator's walk through the desktop program, through the real widgets:
// design a form in the editor sheet, run it on the terminal picture, save,
// start afresh, reopen, download the program to the terminal emulator over a
// pseudo-terminal and upload its records. Each step waits on what the
// operator would see, never on the clock.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

#include "gui/command_menu.h"
#include "gui/dialog_widgets.h"
#include "gui/sheet_window.h"
#include "link/program_image.h"
#include "main_fakes.h"
#include "main_walkthrough_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/steady_tick_clock.h"
#include "project/project_file.h"
#include "project/text.h"
#include "simulator/key_codes.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;

// Controls of the Form page's first line.
constexpr int kLine1Type = 601;
constexpr int kLine1Prompt = 501;
constexpr int kLine1MaxLen = 521;
constexpr int kIntegerType = 2;  // "целое" in the type list

const QString kPrompt = QStringLiteral("Кол-во ");

std::string slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The middle of the area of the picture that reaches the key, where an
// operator would put the pointer.
QPoint keyPoint(int code) {
    QRect area;
    for (int y = 0; y < 459; ++y)
        for (int x = 0; x < 200; ++x)
            if (simulator::keyAt(x, y).code == code) area |= QRect(x, y, 1, 1);
    const QPoint centre = area.center();
    EXPECT_EQ(simulator::keyAt(centre.x(), centre.y()).code, code);
    return centre;
}

// Types text as a keyboard would, Cyrillic letters included.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }
}

void clickKey(MainWindow& w, int code) { QTest::mouseClick(&w, Qt::LeftButton, {}, keyPoint(code)); }

// Accelerators work in the active window; a closed box may have left none.
void accelerator(MainWindow& w, Qt::Key key) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), key, Qt::ControlModifier);
}

// The command menu opened by a right click, with the item of `command` chosen
// in it or in one of its submenus.
void chooseFromMenu(MainWindow& w, int command) {
    bool found = false;
    w.setMenuRunner([&](QMenu& menu, QPoint) -> QAction* {
        for (QAction* a : menu.actions()) {
            if (commandOf(a) == command) return found = true, a;
            if (a->menu())
                for (QAction* sub : a->menu()->actions())
                    if (commandOf(sub) == command) return found = true, sub;
        }
        return nullptr;
    });
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(20, 30));
    EXPECT_TRUE(found) << command;
}

template <class Widget>
Widget* pageControl(QWidget* sheet, int id) {
    auto* window = dynamic_cast<SheetWindow*>(sheet);
    if (!window || !window->pagePanel(0)) return nullptr;
    return qobject_cast<Widget*>(window->pagePanel(0)->controlWidget(id));
}

// COMn of a project names the emulator's line for as long as this lives.
class PortName {
public:
    PortName(const char* variable, const std::string& device) : variable_(variable) {
        qputenv(variable_, QByteArray::fromStdString(device));
    }
    ~PortName() { qunsetenv(variable_); }

private:
    const char* variable_;
};

// The desktop over the machine's own serial port and clock, as main() builds it.
struct RealDesktop {
    platform::PosixSerialPort port;
    platform::SteadyTickClock ticks;
    FixedClock clock;
    Desktop desktop{{port, ticks, clock, APPGEN_SOURCE_DIR "/docs/help.md"}};
    RealDesktop() { desktop.start(); }
};

TEST(MainWalkthroughTest, DesignRunSaveReopenDownloadAndUpload) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString projectPath = dir.filePath(QStringLiteral("WALK.TGP"));
    RealDesktop d;
    MainWindow& w = d.desktop.window();
    shell::Application& app = d.desktop.app();
    ModalDriver driver(&w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    // Ctrl+E: on the Form page, line 1 becomes an integer of up to five
    // digits behind a prompt typed into its box; OK keeps it.
    bool designed = false;
    driver.onSheet = [&](QWidget* sheet) {
        auto* type = pageControl<QComboBox>(sheet, kLine1Type);
        auto* prompt = pageControl<QLineEdit>(sheet, kLine1Prompt);
        auto* maxLen = pageControl<QLineEdit>(sheet, kLine1MaxLen);
        ASSERT_TRUE(type && prompt && maxLen);
        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == sheet; }));
        type->setFocus();
        for (int i = 0; i < kIntegerType; ++i) QTest::keyClick(type, Qt::Key_Down);
        ASSERT_EQ(type->currentText(), QStringLiteral("целое"));
        ASSERT_TRUE(prompt->isEnabled());
        // Tab leads from the type to the prompt, as the keyboard goes along
        // the line; the characters land in the order typed.
        QTest::keyClick(type, Qt::Key_Tab);
        ASSERT_TRUE(prompt->hasFocus());
        typeText(prompt, kPrompt);
        EXPECT_EQ(prompt->text(), kPrompt);
        maxLen->setFocus();
        maxLen->selectAll();
        typeText(maxLen, QStringLiteral("5"));
        EXPECT_EQ(maxLen->text(), QStringLiteral("5"));
        sheet->grab().save(screenshotPath(QStringLiteral("walk_form_designed.png")));
        QTest::mouseClick(dynamic_cast<SheetWindow*>(sheet)->okButton(), Qt::LeftButton);
        designed = true;
    };
    accelerator(w, Qt::Key_E);
    ASSERT_TRUE(designed);
    ASSERT_EQ(d.desktop.services().sheetsRun(), 1);
    const std::string promptBytes = utf8ToCp1251(kPrompt.toStdString());
    EXPECT_EQ(slotText(app.workspace().project.forms[0].prompt[0]), promptBytes);
    EXPECT_TRUE(app.workspace().isModified());
    driver.onSheet = nullptr;

    // Key 1 runs the form; digits and ENTER complete one record.
    clickKey(w, 1);
    const simulator::DisplayModel& shown = app.simulator().display();
    ASSERT_EQ(shown.state, simulator::SimState::FormScreen);
    EXPECT_EQ(shown.screenLines[0], promptBytes);
    clickKey(w, 4);
    clickKey(w, 2);
    EXPECT_EQ(shown.screenLines[0], promptBytes + "42");
    w.grab().save(screenshotPath(QStringLiteral("walk_form_running.png")));
    clickKey(w, simulator::kKeyEnter);
    EXPECT_EQ(shown.recordCount, 1);
    EXPECT_EQ(shown.screenLines[0], promptBytes);  // the form again, for the next record
    // ESC leaves for the main screen, whose clock line counts the records
    // once the window's timer has run.
    clickKey(w, simulator::kKeyEsc);
    EXPECT_EQ(shown.state, simulator::SimState::MainScreen);
    const std::string& clockLine = app.simulator().clockLine();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clockLine.ends_with("00001"); }, 5000)) << clockLine;
    EXPECT_TRUE(driver.boxes().empty());

    // Ctrl+S on a project without a name asks for one.
    driver.fileToChoose = projectPath;
    accelerator(w, Qt::Key_S);
    ASSERT_FALSE(driver.seen.empty());
    EXPECT_EQ(driver.seen.back().kind, QStringLiteral("file"));
    EXPECT_FALSE(app.workspace().isModified());
    const std::string saved = slurp(projectPath);
    ASSERT_FALSE(saved.empty());
    EXPECT_NE(saved.find(promptBytes), std::string::npos);

    // Ctrl+N asks nothing of a saved project and opens the sheet on an empty one.
    const std::size_t boxesBefore = driver.boxes().size();
    QString freshPrompt = QStringLiteral("?");
    driver.onSheet = [&](QWidget* sheet) {
        if (auto* prompt = pageControl<QLineEdit>(sheet, kLine1Prompt)) freshPrompt = prompt->text();
    };
    accelerator(w, Qt::Key_N);
    EXPECT_EQ(driver.boxes().size(), boxesBefore);
    EXPECT_EQ(d.desktop.services().sheetsRun(), 2);
    EXPECT_EQ(freshPrompt, QString());

    // Ctrl+O with the saved file: the sheet comes up showing the prompt.
    QString reopenedPrompt;
    driver.onSheet = [&](QWidget* sheet) {
        if (auto* prompt = pageControl<QLineEdit>(sheet, kLine1Prompt)) reopenedPrompt = prompt->text();
        sheet->grab().save(screenshotPath(QStringLiteral("walk_reopened.png")));
    };
    accelerator(w, Qt::Key_O);
    EXPECT_EQ(driver.boxes().size(), boxesBefore);
    EXPECT_EQ(d.desktop.services().sheetsRun(), 3);
    EXPECT_EQ(reopenedPrompt, kPrompt);
    driver.onSheet = nullptr;

    // Download (3020) from the menu to the emulator on COM1.
    {
        const QString imagePath = dir.filePath(QStringLiteral("got.img"));
        TerminalEmulator terminal({"--image-out", imagePath.toStdString(), "--idle-exit", "20"});
        ASSERT_TRUE(terminal.started());
        PortName com1("APPGEN_COM1", terminal.slave());
        chooseFromMenu(w, shell::kCmdDownloadDirect);
        ASSERT_FALSE(driver.boxes().empty());
        EXPECT_EQ(driver.boxes().back().text, QStringLiteral("Downloaded completely!"));
        EXPECT_FALSE(w.transferRunning());

        Project fromFile;
        ASSERT_TRUE(loaded(readProjectFile(projectPath.toStdString(), fromFile)));
        const link::ProgramImage compiled = link::compile(fromFile);
        const std::string image = slurp(imagePath);
        ASSERT_EQ(image.size(), compiled.size());
        EXPECT_EQ(image, std::string(compiled.begin(), compiled.end()));
        EXPECT_NE(image.find(promptBytes), std::string::npos);
    }

    // Upload (3030) into a new file: the emulator's records, one a line.
    {
        const QString recordsPath = dir.filePath(QStringLiteral("records.txt"));
        const std::string records = "00042\n4600123;2\nЧай;1\n";
        std::ofstream(recordsPath.toStdString(), std::ios::binary) << records;
        TerminalEmulator terminal(
            {"--mode", "upload", "--records", recordsPath.toStdString(), "--idle-exit", "20"});
        ASSERT_TRUE(terminal.started());
        PortName com1("APPGEN_COM1", terminal.slave());
        const QString dataPath = dir.filePath(QStringLiteral("DATA.TXT"));
        driver.fileToChoose = dataPath;
        chooseFromMenu(w, shell::kCmdUploadDirect);
        ASSERT_FALSE(driver.boxes().empty());
        EXPECT_EQ(driver.boxes().back().text,
                  QStringLiteral("Done : 3 records received.\nView the received data?"));
        EXPECT_EQ(slurp(dataPath), "00042\r\n4600123;2\r\nЧай;1\r\n");
    }
    EXPECT_EQ(driver.boxes().size(), boxesBefore + 2);
}

}  // namespace
}  // namespace appgen::gui
