// The character table in the Qt host: the grid painted from the core's
// geometry, clicks reaching the table as points, and the picker box of the
// field properties painted blue while the table is open for it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "dialog_test_support.h"
#include "editor/field_properties.h"
#include "editor/grid_dialog.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::gui {
namespace {

using editor::kGridId;
using editor::kGridResultId;

// The centre of the data cell for byte 16 * column + row.
QPoint cellCentre(const QWidget& grid, int column, int row) {
    const int w = grid.width() / 17;
    const int h = grid.height() / 17;
    return {(column + 1) * w + w / 2, (row + 1) * h + h / 2};
}

struct Table {
    ui::HeadlessServices services;
    char buffer[editor::kPickerCapacity]{};
    editor::GridDialog handler{services, buffer};
    ui::Dialog dialog{ui::dialogTemplate("GridDlg"), handler};
    DialogWindow window{dialog, nullptr};

    Table() {
        EXPECT_TRUE(window.begin());
        window.show();
    }
    QWidget& grid() { return *window.panel().controlWidget(kGridId); }
    void click(int column, int row) {
        QTest::mouseClick(&grid(), Qt::LeftButton, {}, cellCentre(grid(), column, row));
    }
};

TEST(GridHost, ClicksOnCellsAppendTheirBytes) {
    Table t;
    t.click(0, 2);   // STX
    t.click(4, 1);   // A
    t.click(0, 13);  // CR
    EXPECT_EQ(t.handler.resultText(), "[STX][A][CR]");
    EXPECT_EQ(t.handler.count(), 3);
    // The header row and column take no clicks.
    QTest::mouseClick(&t.grid(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(&t.grid(), Qt::LeftButton, {}, QPoint(t.grid().width() / 2, 2));
    EXPECT_EQ(t.handler.count(), 3);
    test::saveScreenshot(t.window, "GridDlg_in_use");
}

TEST(GridHost, TheGridAndResultFieldArePaintedFromTheCoresGeometry) {
    Table t;
    t.click(15, 15);
    const QImage grid = t.grid().grab().toImage();
    const int w = t.grid().width() / 17;
    const int h = t.grid().height() / 17;
    // The selected cell is blue, an unselected data cell white, a header grey.
    EXPECT_EQ(grid.pixelColor(16 * w + 2, 16 * h + h - 2), QColor(0, 0, 255));
    EXPECT_EQ(grid.pixelColor(2 * w + 2, 2 * h + h - 2), QColor(255, 255, 255));
    EXPECT_EQ(grid.pixelColor(w / 2, 5 * h + h - 2), QColor(192, 192, 192));
    // The outline is black; the grid lines inside light grey.
    EXPECT_EQ(grid.pixelColor(0, h / 2), QColor(0, 0, 0));
    EXPECT_EQ(grid.pixelColor(2 * w, 3 * h + 3), QColor(196, 196, 196));

    QWidget* result = t.window.panel().controlWidget(kGridResultId);
    const QImage field = result->grab().toImage();
    EXPECT_EQ(field.pixelColor(0, 0), QColor(128, 128, 128));
    EXPECT_EQ(field.pixelColor(field.width() - 1, field.height() - 1), QColor(255, 255, 255));
    bool greyText = false;  // "[255]" drawn in grey beside the left edge
    for (int x = 5; x < 40 && !greyText; ++x)
        for (int y = 2; y < field.height() - 2 && !greyText; ++y)
            greyText = field.pixelColor(x, y) != QColor(255, 255, 255);
    EXPECT_TRUE(greyText);
    EXPECT_EQ(t.handler.resultText(), "[255]");
}

TEST(GridHost, TheClickedPointIsTheGridsClientPoint) {
    Table t;
    const ui::ControlState* grid = t.dialog.control(kGridId);
    EXPECT_EQ(grid->pixelWidth, t.grid().width());
    EXPECT_EQ(grid->pixelHeight, t.grid().height());
    // The last pixel of a cell still belongs to it.
    const int w = t.grid().width() / 17;
    const int h = t.grid().height() / 17;
    QTest::mouseClick(&t.grid(), Qt::LeftButton, {}, QPoint(2 * w - 1, 2 * h - 1));
    EXPECT_EQ(t.handler.selected(), (editor::GridCell{0, 0}));
    QTest::mouseClick(&t.grid(), Qt::LeftButton, {}, QPoint(2 * w, 2 * h));
    EXPECT_EQ(t.handler.selected(), (editor::GridCell{1, 1}));
}

TEST(GridHost, ThePickerBoxIsBlueWhileTheTableIsOpenForIt) {
    test::HostedServices services;
    editor::FormPageState state;
    for (auto& f : state.work) editor::resetFormOnPage(f);
    state.work[0].lineType[0] = 1;
    state.work[0].prefixOn[0] = 1;

    constexpr int kPrefixBox = 503;
    QColor boxWhileOpen;
    QString boxAfter;
    services.actions.push_back([&](QDialog& window) {
        auto& advance = dynamic_cast<DialogWindow&>(window);
        QWidget* box = advance.panel().controlWidget(kPrefixBox);
        test::saveScreenshot(advance, "AdvanceDlg_in_use");
        QTest::mouseClick(box, Qt::LeftButton);  // opens the table, runs the next action
        boxAfter = static_cast<QLineEdit*>(box)->text();
        EXPECT_NE(test::centreColour(*box), QColor(0, 0, 255));
        QTest::mouseClick(advance.panel().controlWidget(ui::kIdOk), Qt::LeftButton);
    });
    services.actions.push_back([&](QDialog& window) {
        auto& table = dynamic_cast<DialogWindow&>(window);
        auto* advance = dynamic_cast<DialogWindow*>(table.parentWidget());
        ASSERT_NE(advance, nullptr) << "the table belongs to the dialog that opened it";
        boxWhileOpen = test::centreColour(*advance->panel().controlWidget(kPrefixBox));
        QWidget* grid = table.panel().controlWidget(kGridId);
        QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(*grid, 0, 2));
        QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(*grid, 4, 1));
        QTest::mouseClick(table.panel().controlWidget(ui::kIdOk), Qt::LeftButton);
    });

    EXPECT_EQ(editor::openFieldProperties(state, services), 1);
    EXPECT_EQ(services.opened, (std::vector<std::string>{"AdvanceDlg", "GridDlg"}));
    EXPECT_EQ(boxWhileOpen, QColor(0, 0, 255));
    EXPECT_EQ(boxAfter, QStringLiteral("[STX][A]"));
    EXPECT_EQ(std::string(state.work[0].prefix[0], 2), "\x02" "A");
}

}  // namespace
}  // namespace appgen::gui
