// Transfers from the window: they run on a worker thread while the window
// keeps its event loop, their boxes come up on the user-interface thread,
// no other command starts meanwhile, and the bytes on the wire are the
// transfer's own.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <QTest>

#include "main_fakes.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;

TEST(MainTransferTest, SilentTerminalIsReportedFromTheWorkerOnTheUiThread) {
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    int refusedSheets = -1;
    // While the first box is up, a menu command must not get through.
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (refusedSheets < 0 && !driver.boxes().empty()) {
            w.runCommand(shell::kCmdEdit);
            refusedSheets = f.desktop.services().sheetsRun();
        }
    });
    probe.start(1);
    w.runCommand(shell::kCmdDownloadDirect);

    const auto boxes = driver.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Terminal is not ready!"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Error"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("Failed to download, would you like to retry?"));
    EXPECT_EQ(boxes[1].buttons, QMessageBox::Yes | QMessageBox::No);
    for (const SeenWindow& b : boxes) {
        EXPECT_TRUE(b.onUiThread);
        EXPECT_TRUE(b.transferRunning);
    }
    EXPECT_EQ(refusedSheets, 0);
    EXPECT_FALSE(w.transferRunning());
    EXPECT_EQ(f.port.written, "BRIGAN\rBRIGAN\rBRIGAN\r");
}

TEST(MainTransferTest, ProgramDownloadSendsTwoHundredBlocksBehindTheProgressWindow) {
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    f.port.terminal = [](const std::string&) { return std::string("ACK\r"); };
    bool sawBar = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (ProgressWindow* bar = f.desktop.services().progressWindow()) {
            if (!sawBar) bar->grab().save(screenshotPath(QStringLiteral("progress_window.png")));
            sawBar = true;
            EXPECT_EQ(bar->windowTitle(), QStringLiteral("Прогресс"));
        }
    });
    probe.start(0);
    w.runCommand(shell::kCmdDownloadDirect);

    const auto boxes = driver.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Downloaded completely!"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Download"));
    EXPECT_EQ(f.port.written.size(), 7u + 200u * 103u);
    EXPECT_EQ(f.desktop.services().progressWindow(), nullptr);
    (void)sawBar;  // whether a timer fired mid-transfer depends on the scheduler
}

// The terminal answers the upload request, then sends two records and the end.
void sendTwoRecords(ScriptedPort& port) {
    auto script = std::make_shared<std::deque<std::string>>(std::deque<std::string>{"ACK\r"});
    for (int seq = 0; seq < 2; ++seq) {
        std::string frame(1, char(seq));
        frame += 'R';
        frame += char('0' + seq);
        unsigned sum = 0;
        for (unsigned char c : frame) sum += c;
        frame += char(sum & 0xFF);
        frame += char(sum >> 8);
        frame += '\r';
        script->push_back(frame);
    }
    script->push_back("OVER\r");
    port.terminal = [script](const std::string&) {
        if (script->empty()) return std::string();
        std::string next = script->front();
        script->pop_front();
        return next;
    };
}

TEST(MainTransferTest, UploadWritesTheRecordsAndOffersTheViewer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DATA.TXT"));
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    driver.fileToChoose = path;
    sendTwoRecords(f.port);
    w.runCommand(shell::kCmdUploadDirect);

    ASSERT_GE(driver.seen.size(), 2u);
    EXPECT_EQ(driver.seen[0].kind, QStringLiteral("file"));
    const auto boxes = driver.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Done : 2 records received.\nView the received data?"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Upload Data"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("R0\r\nR1\r\n"));
    EXPECT_EQ(f.desktop.services().countBox(), nullptr);
}

// Yes to the viewer when none can be started: the operator is told where
// the data are, and the failed opener is not tried again for their folder
// (whether a folder is offered depends on this machine's file manager; the
// offer is answered No).
TEST(MainTransferTest, AViewerThatCannotStartIsReportedWithThePath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DATA.TXT"));
    DesktopFixture f;
    ModalDriver driver(&f.window());
    driver.fileToChoose = path;
    driver.answers = {QMessageBox::Yes};
    std::vector<std::string> launched;
    f.desktop.services().setViewerLauncher([&](const std::string& p) {
        launched.push_back(p);
        return false;
    });
    sendTwoRecords(f.port);
    f.window().runCommand(shell::kCmdUploadDirect);

    const auto boxes = driver.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].title, QStringLiteral("Upload Data"));
    EXPECT_EQ(boxes[1].icon, QMessageBox::Warning);
    EXPECT_TRUE(boxes[1].text.contains(path)) << boxes[1].text.toStdString();
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(QString::fromStdString(launched[0]), path);
}

}  // namespace
}  // namespace appgen::gui
