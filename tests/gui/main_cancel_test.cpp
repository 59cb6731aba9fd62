// Cancel in the desktop program against the terminal emulator over a
// pseudo-terminal: the connecting window's during a silent handshake, and the
// count box's in the middle of an upload. The window stays alive meanwhile:
// its clock goes on and its cursor says it is busy.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>

#include "main_fakes.h"
#include "main_walkthrough_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/steady_tick_clock.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;

// The desktop over the machine's own port and tick clock, COM1 on the emulator.
struct EmulatedDesktop {
    explicit EmulatedDesktop(const std::string& device) { qputenv("APPGEN_COM1", QByteArray::fromStdString(device)); }
    ~EmulatedDesktop() { qunsetenv("APPGEN_COM1"); }
    platform::PosixSerialPort port;
    platform::SteadyTickClock ticks;
    FixedClock clock;
    Desktop desktop{{port, ticks, clock, APPGEN_SOURCE_DIR "/docs/help.md"}};
    bool started = (desktop.start(), true);
};

std::string slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MainCancelTest, CancelWhileConnectingStopsTheHandshakeAndAsksNothing) {
    QTemporaryDir dir;
    const QString wire = dir.filePath(QStringLiteral("wire.bin"));
    TerminalEmulator terminal({"--silent", "--capture", wire.toStdString(), "--idle-exit", "20"});
    ASSERT_TRUE(terminal.started());
    EmulatedDesktop d(terminal.slave());
    MainWindow& w = d.desktop.window();
    ModalDriver driver(&w);

    QString shown;
    int firstTick = -1, tickAtCancel = -1;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QElapsedTimer since;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        ProgressWindow* c = d.desktop.services().connectingWindow();
        if (!c || !c->cancelButton()->isEnabled()) return;
        const int tick = d.desktop.app().simulator().display().clockTick;
        if (firstTick < 0) {
            shown = c->findChild<QLabel*>()->text();
            firstTick = tick;
            cursor = w.cursor().shape();
            since.start();
            c->grab().save(screenshotPath(QStringLiteral("connecting_window.png")));
        }
        // Once the clock has moved on (or after a second, so nothing hangs).
        if (tick != firstTick || since.elapsed() > 1000) {
            tickAtCancel = tick;
            QTest::mouseClick(c->cancelButton(), Qt::LeftButton);
        }
    });
    probe.start(10);
    w.runCommand(shell::kCmdDownloadDirect);

    EXPECT_EQ(shown, QStringLiteral("Соединение с терминалом...\n") + QString::fromStdString(terminal.slave()) +
                         QStringLiteral(" (COM1), 115200 bit/s"));
    EXPECT_NE(tickAtCancel, firstTick);  // the simulator's clock ticked during the transfer
    EXPECT_EQ(cursor, Qt::BusyCursor);
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(driver.boxes().empty());  // neither "Terminal is not ready!" nor the retry question
    EXPECT_EQ(d.desktop.services().connectingWindow(), nullptr);
    EXPECT_FALSE(w.transferRunning());
    EXPECT_FALSE(d.port.isOpen());
    // Stopped within the first handshake's wait.
    EXPECT_EQ(slurp(wire), "BRIGAN\r");
}

TEST(MainCancelTest, CancelOfTheCountBoxKeepsTheRecordsReceived) {
    QTemporaryDir dir;
    const QString records = dir.filePath(QStringLiteral("records.txt"));
    std::string all;
    for (int i = 0; i < 40; ++i) all += "record" + std::to_string(100 + i) + "\n";
    std::ofstream(records.toStdString(), std::ios::binary) << all;
    // Slow enough that the box is up long before the last record.
    TerminalEmulator terminal({"--mode", "upload", "--records", records.toStdString(), "--pace-baud", "2400",
                               "--idle-exit", "20"});
    ASSERT_TRUE(terminal.started());
    EmulatedDesktop d(terminal.slave());
    MainWindow& w = d.desktop.window();
    ModalDriver driver(&w);
    const QString out = dir.filePath(QStringLiteral("DATA.TXT"));
    driver.fileToChoose = out;

    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        CountBox* box = d.desktop.services().countBox();
        if (box && box->cancelButton()->isEnabled() && box->text() != QStringLiteral("Data received : 0") &&
            box->text() != QStringLiteral("Data received : 1")) {
            box->grab().save(screenshotPath(QStringLiteral("upload_count_cancel.png")));
            QTest::mouseClick(box->cancelButton(), Qt::LeftButton);
        }
    });
    probe.start(5);
    w.runCommand(shell::kCmdUploadDirect);

    const auto boxes = driver.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    int n = 0;
    ASSERT_EQ(std::sscanf(boxes[0].text.toUtf8().constData(), "The transfer did not complete : %d records", &n), 1)
        << boxes[0].text.toStdString();
    EXPECT_GE(n, 2);
    EXPECT_LT(n, 40);
    std::string kept;
    for (int i = 0; i < n; ++i) kept += "record" + std::to_string(100 + i) + "\r\n";
    EXPECT_EQ(slurp(out), kept);
    EXPECT_EQ(d.desktop.services().countBox(), nullptr);
    EXPECT_FALSE(d.port.isOpen());
}

}  // namespace
}  // namespace appgen::gui
