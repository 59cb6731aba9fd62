// The terminal window: how it starts, what the picture shows, which key each
// point of the picture reaches, the command menu, the accelerators and the
// close question. Screenshots land in the build folder.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPainter>
#include <QTest>
#include <functional>

#include "gui/command_menu.h"
#include "main_fakes.h"
#include "simulator/key_codes.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;
using simulator::SimState;

QImage region(const QImage& frame, QPoint at, QSize size) {
    const qreal r = frame.devicePixelRatio();
    QImage part = frame.copy(QRect(QPointF(at * r).toPoint(), QSizeF(size * r).toSize()));
    part.setDevicePixelRatio(1);
    return part.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Accelerators work in the active window; a closed box may have left none.
void typeInto(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers mods) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), key, mods);
}

bool frameShows(MainWindow& w, int picture, QPoint at) {
    QImage pic = w.art().picture(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pic.setDevicePixelRatio(1);
    return region(w.frame(), at, TerminalArt::pictureSize(picture)) == pic;
}

TEST(MainWindowTest, StartsBorderlessAtItsPlaceWithTheMainScreen) {
    DesktopFixture f;
    MainWindow& w = f.window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Генератор Приложений"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.size(), QSize(200, 459));
    EXPECT_EQ(w.pos(), QPoint(300, 50));
    EXPECT_FALSE(w.windowIcon().isNull());

    const auto& d = f.app().simulator().display();
    EXPECT_EQ(d.state, SimState::MainScreen);
    EXPECT_EQ(d.highlightLine, 1);
    EXPECT_FALSE(d.screenLines[0].empty());

    // The first line sits on the highlight bar: most of the bar's pixels
    // show through the white text.
    const QImage bar = region(w.frame(), {39, 37}, {116, 10});
    int barPixels = 0;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x) barPixels += bar.pixelColor(x, y) == QColor::fromRgba(kLcdBar);
    EXPECT_GT(barPixels, bar.width() * bar.height() / 2);
    // Every key is drawn where a full repaint puts it; the left and right
    // arrows share their lowest rows with ESC and backspace drawn after them.
    for (const auto& place : simulator::fullRepaintPictures()) {
        if (place.picture == simulator::kTerminalPicture) continue;
        QSize size = TerminalArt::pictureSize(place.picture);
        if (place.picture == simulator::normalKeyPicture(simulator::kKeyLeft) ||
            place.picture == simulator::normalKeyPicture(simulator::kKeyRight))
            size.setHeight(24);
        QImage pic = w.art().picture(place.picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        pic.setDevicePixelRatio(1);
        EXPECT_EQ(region(w.frame(), {place.at.x, place.at.y}, size), pic.copy(QRect(QPoint(), size)))
            << place.picture;
    }

    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    f.app().tick();  // the clock line, as the operator sees it a moment later
    w.grab().save(screenshotPath(QStringLiteral("main_window.png")));
}

TEST(MainWindowTest, ClockLineIsDrawnInPlaceOnEachTick) {
    DesktopFixture f;
    MainWindow& w = f.window();
    const QImage before = region(w.frame(), {39, 105}, {116, 12});
    f.app().tick();
    ASSERT_FALSE(f.app().simulator().clockLine().empty());
    EXPECT_EQ(f.app().simulator().clockLine().substr(0, 3), "MAR");
    EXPECT_NE(region(w.frame(), {39, 105}, {116, 12}), before);
}

// The hit points of the terminal's keypad, and the origin each key is drawn at.
struct KeyPoint {
    QPoint click;
    int code;
    QPoint origin;
};

TEST(MainWindowTest, ClicksOnThePictureReachTheirKeys) {
    const KeyPoint points[] = {
        {{60, 300}, 1, {38, 295}},     {{100, 250}, simulator::kKeyUp, {83, 241}},
        {{100, 280}, simulator::kKeyDown, {83, 265}}, {{60, 269}, simulator::kKeyLeft, {47, 239}},
        {{60, 280}, simulator::kKeyEsc, {47, 263}},   {{60, 210}, simulator::kKeyEnter, {43, 197}},
        {{140, 210}, simulator::kKeyRightEnter, {129, 197}}, {{130, 410}, simulator::kKeyFn, {121, 403}},
        {{140, 360}, 9, {121, 349}},    {{100, 385}, simulator::kKey0, {79, 376}},
    };
    for (const KeyPoint& k : points) {
        DesktopFixture f;
        ModalDriver driver(&f.window());  // key 1 starts an empty project: the editor opens
        MainWindow& w = f.window();
        QTest::mousePress(&w, Qt::LeftButton, {}, k.click);
        if (f.desktop.services().modalsRun() == 0) {
            EXPECT_TRUE(frameShows(w, simulator::pressedKeyPicture(k.code), k.origin)) << k.code;
            EXPECT_TRUE(f.app().simulator().display().keyDown);
        }
        QTest::mouseRelease(&w, Qt::LeftButton, {}, k.click);
        EXPECT_TRUE(frameShows(w, simulator::normalKeyPicture(k.code), k.origin)) << k.code;
        EXPECT_FALSE(f.app().simulator().display().keyDown);
        EXPECT_EQ(w.pos(), QPoint(300, 50)) << k.code;
    }
}

TEST(MainWindowTest, DigitOneOnAnEmptyProjectOpensTheEditorAfterTheKey) {
    DesktopFixture f;
    ModalDriver driver(&f.window());
    QTest::mouseClick(&f.window(), Qt::LeftButton, {}, QPoint(60, 300));
    EXPECT_EQ(f.desktop.services().sheetsRun(), 1);
    // The box took the release: the key is up again.
    EXPECT_FALSE(f.app().simulator().display().keyDown);
    EXPECT_TRUE(frameShows(f.window(), simulator::normalKeyPicture(1), {38, 295}));
}

TEST(MainWindowTest, DraggingBetweenKeysMovesTheWindow) {
    DesktopFixture f;
    MainWindow& w = f.window();
    const QImage before = w.frame();
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(79, 300));  // between two columns
    EXPECT_EQ(w.frame(), before);
    QTest::mouseMove(&w, QPoint(89, 310));
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(79, 300));
    EXPECT_EQ(w.pos(), QPoint(310, 60));
    EXPECT_FALSE(f.app().simulator().display().keyDown);
}

TEST(MainWindowTest, PowerKeyAndRightClickOpenTheMenuWhereTheyShould) {
    DesktopFixture f;
    MainWindow& w = f.window();
    std::vector<QPoint> opened;
    w.setMenuRunner([&](QMenu&, QPoint at) -> QAction* {
        opened.push_back(at);
        return nullptr;
    });
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(100, 410));
    EXPECT_TRUE(opened.empty());  // only on release
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(100, 410));
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(20, 30));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], w.mapToGlobal(QPoint(78, 403)));
    EXPECT_EQ(opened[1], w.mapToGlobal(QPoint(20, 30)));
}

TEST(MainWindowTest, AChosenMenuItemRunsItsCommand) {
    DesktopFixture f;
    ModalDriver driver(&f.window());
    f.window().setMenuRunner([](QMenu& menu, QPoint) -> QAction* {
        for (QAction* a : menu.actions())
            if (commandOf(a) == shell::kCmdAbout) return a;
        return nullptr;
    });
    QTest::mousePress(&f.window(), Qt::RightButton, {}, QPoint(20, 30));
    ASSERT_EQ(driver.seen.size(), 1u);
    EXPECT_EQ(driver.seen[0].title, QStringLiteral("Генератор приложений для DTR4610"));
}

// The Qt menu is the shell's, item for item (tests/shell checks the items).
TEST(MainWindowTest, CommandMenuCarriesTheExactItems) {
    QMenu menu;
    fillCommandMenu(menu);
    const std::function<void(QMenu&, const std::vector<shell::MenuEntry>&)> same = [&](QMenu& m, const auto& entries) {
        const QList<QAction*> actions = m.actions();
        ASSERT_EQ(actions.size(), qsizetype(entries.size()));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            QAction* a = actions[qsizetype(i)];
            const shell::MenuEntry& e = entries[i];
            EXPECT_EQ(a->isSeparator(), e.kind == shell::MenuEntry::Kind::Separator) << i;
            if (a->isSeparator()) continue;
            EXPECT_EQ(a->text(), QString::fromUtf8(e.text));
            EXPECT_EQ(commandOf(a), e.command);
            EXPECT_EQ(a->menu() != nullptr, e.kind == shell::MenuEntry::Kind::Submenu);
            if (a->menu()) same(*a->menu(), e.items);
        }
    };
    same(menu, shell::commandMenuEntries());

    menu.adjustSize();
    menu.grab().save(screenshotPath(QStringLiteral("command_menu.png")));
    if (QMenu* sub = menu.actions()[8]->menu()) {
        sub->adjustSize();
        sub->grab().save(screenshotPath(QStringLiteral("command_menu_download.png")));
    }
}

TEST(MainWindowTest, CtrlEOpensTheEditorSheetWithItsSixPages) {
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    driver.onSheet = [](QWidget* sheet) { sheet->grab().save(screenshotPath(QStringLiteral("editor_sheet.png"))); };
    typeInto(w, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(f.desktop.services().sheetsRun(), 1);
#ifdef APPGEN_HAVE_DIALOG_HOST
    ASSERT_EQ(driver.seen.size(), 1u);
    EXPECT_EQ(driver.seen[0].title, QStringLiteral("Application Generator"));
    const QStringList pages = {QStringLiteral("Форма"),         QStringLiteral("Меню"),
                               QStringLiteral("База Данных"),   QStringLiteral("Штриховой код"),
                               QStringLiteral("Установки"),     QStringLiteral("Начало работы")};
    EXPECT_EQ(driver.seen[0].tabs, pages);
#endif
}

TEST(MainWindowTest, AcceleratorsReachTheirCommands) {
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    f.app().workspace().modified = true;
    // Ctrl+O asks first; Cancel leaves everything as it was.
    driver.answers = {QMessageBox::Cancel};
    typeInto(w, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, QStringLiteral("Save current program ?"));
    EXPECT_EQ(driver.boxes()[0].title, QStringLiteral("Генератор Приложений для DTR4610"));
    EXPECT_EQ(driver.boxes()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(driver.boxes()[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(f.app().workspace().modified);
    // Ctrl+S on a project without a name asks for one; cancelled, it stays modified.
    typeInto(w, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(driver.seen.size(), 2u);
    EXPECT_EQ(driver.seen[1].kind, QStringLiteral("file"));
    EXPECT_TRUE(f.app().workspace().modified);
}

TEST(MainWindowTest, ClosingAsksAboutUnsavedChanges) {
    DesktopFixture f;
    MainWindow& w = f.window();
    ModalDriver driver(&w);
    bool finished = false;
    QObject::connect(&w, &MainWindow::finished, [&] { finished = true; });
    f.app().workspace().modified = true;

    driver.answers = {QMessageBox::Cancel};
    typeInto(w, Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_EQ(driver.boxes()[0].text, QStringLiteral("Save the program ?"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(finished);

    driver.answers = {QMessageBox::No};
    w.close();
    EXPECT_EQ(driver.boxes().size(), 2u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(finished);
    EXPECT_TRUE(f.app().closed());
}

TEST(MainWindowTest, ExitFromTheMenuClosesAnUnchangedProjectWithoutAsking) {
    DesktopFixture f;
    ModalDriver driver(&f.window());
    f.window().runCommand(shell::kCmdExit);
    EXPECT_TRUE(driver.seen.empty());
    EXPECT_FALSE(f.window().isVisible());
}

TEST(MainWindowTest, PicturesHaveTheirSizesAndFollowTheDevicePixelRatio) {
    for (qreal ratio : {1.0, 2.0}) {
        const TerminalArt art(ratio);
        for (int id = TerminalArt::kFirst; id <= TerminalArt::kLast; ++id) {
            const QImage& img = art.picture(id);
            ASSERT_FALSE(img.isNull()) << id;
            EXPECT_EQ(img.deviceIndependentSize().toSize(), TerminalArt::pictureSize(id)) << id;
            EXPECT_EQ(img.size(), TerminalArt::pictureSize(id) * ratio) << id;
        }
        EXPECT_TRUE(art.picture(499).isNull());
        EXPECT_TRUE(art.picture(552).isNull());
        // Pressed and normal looks differ for every key.
        for (int code = 1; code <= simulator::kKeyCount; ++code)
            EXPECT_NE(art.picture(simulator::normalKeyPicture(code)), art.picture(simulator::pressedKeyPicture(code)));
    }
    TerminalArt(2.0).picture(simulator::kTerminalPicture).save(screenshotPath(QStringLiteral("terminal@2x.png")));
}

TEST(MainWindowTest, PendingLetterIsDrawnOverTheCursorCell) {
    const TerminalArt art(1.0);
    const DisplayFont font = makeDisplayFont();
    const DisplayPainter painter(art, font);
    for (const auto& [row, col] : {std::pair{0, 0}, std::pair{2, 5}, std::pair{7, 19}}) {
        QImage img(200, 459, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        simulator::DisplayModel d;
        d.cursorRow = row;
        d.cursorCol = col;
        {
            QPainter p(&img);
            painter.paintPendingChar(p, d, 'W');
        }
        const QRect cell(39 + 6 * col, 36 + 10 * row, 6, 10);
        int inked = 0, lit = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool white = img.pixelColor(x, y) == QColor(Qt::white);
                if (!cell.contains(x, y)) {
                    lit += !white && y >= cell.bottom() + 6;  // below the glyph's cell: nothing
                    continue;
                }
                inked += img.pixelColor(x, y) == QColor::fromRgba(kLcdInk);
            }
        EXPECT_GT(inked, 10) << row << "," << col;   // the block
        EXPECT_LT(inked, 55) << row << "," << col;   // with the letter cut out of it
        EXPECT_EQ(lit, 0) << row << "," << col;
    }
}

TEST(MainWindowTest, DisplayFontIsMonospacedOnASixPixelPitch) {
    const DisplayFont f = makeDisplayFont();
    EXPECT_TRUE(QFontInfo(f.font).fixedPitch());
    EXPECT_LE(QFontMetrics(f.font).height(), 16);
    EXPECT_NEAR(QFontMetricsF(f.font).horizontalAdvance(QChar(0x0416)), 6.0, 1.5);  // Ж
}

}  // namespace
}  // namespace appgen::gui
