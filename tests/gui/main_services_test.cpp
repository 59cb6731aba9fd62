// The desktop's answers to the core: message boxes as asked, file dialogs
// set up from the request, the progress window and the upload count box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>
#include <QTest>
#include <thread>

#include "main_fakes.h"

namespace appgen::gui {
namespace {

using namespace appgen::gui::testing;

TEST(MainServicesTest, MessageBoxesShowWhatTheCoreAsksAndReturnTheAnswer) {
    struct Case {
        ui::Buttons buttons;
        ui::Icon icon;
        QMessageBox::StandardButton click;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon shownIcon;
        ui::Answer answer;
    };
    const Case cases[] = {
        {ui::Buttons::Ok, ui::Icon::Warning, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning, ui::Answer::Ok},
        {ui::Buttons::YesNo, ui::Icon::Question, QMessageBox::No, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Question, ui::Answer::No},
        {ui::Buttons::YesNoCancel, ui::Icon::Warning, QMessageBox::Yes,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning, ui::Answer::Yes},
        {ui::Buttons::OkCancel, ui::Icon::None, QMessageBox::Cancel, QMessageBox::Ok | QMessageBox::Cancel,
         QMessageBox::NoIcon, ui::Answer::Cancel},
        {ui::Buttons::RetryCancel, ui::Icon::Error, QMessageBox::Retry, QMessageBox::Retry | QMessageBox::Cancel,
         QMessageBox::Critical, ui::Answer::Retry},
    };
    QtServices services;
    for (const Case& c : cases) {
        ModalDriver driver;
        driver.answers = {c.click};
        const ui::Answer got = services.messageBox({"Error", "Can't open the file!", c.buttons, c.icon});
        ASSERT_EQ(driver.boxes().size(), 1u);
        EXPECT_EQ(driver.boxes()[0].title, QStringLiteral("Error"));
        EXPECT_EQ(driver.boxes()[0].text, QStringLiteral("Can't open the file!"));
        EXPECT_EQ(driver.boxes()[0].buttons, c.shown);
        EXPECT_EQ(driver.boxes()[0].icon, c.shownIcon);
        EXPECT_EQ(got, c.answer);
    }
}

TEST(MainServicesTest, BoxesAskedFromAnotherThreadComeUpOnTheUiThread) {
    QtServices services;
    ModalDriver driver;
    QEventLoop loop;
    ui::Answer got = ui::Answer::Cancel;
    std::thread worker([&] {
        got = services.messageBox({"Upload Data", "No data received!"});
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    ASSERT_EQ(driver.boxes().size(), 1u);
    EXPECT_TRUE(driver.boxes()[0].onUiThread);
    EXPECT_EQ(got, ui::Answer::Ok);
}

TEST(MainServicesTest, FileDialogsTakeFiltersExtensionAndRulesFromTheRequest) {
    ui::FileDialogRequest open;
    open.kind = ui::FileDialogRequest::Kind::Open;
    open.filters = {{"Lookup data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    open.defaultExtension = "TXT";
    open.options = ui::kFileMustExist | ui::kHideReadOnly;
    QFileDialog a;
    configureFileDialog(a, open);
    EXPECT_EQ(a.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(a.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(a.nameFilters(), QStringList({QStringLiteral("Lookup data files {*.TXT} (*.TXT *.txt)"),
                                            QStringLiteral("All files {*.*} (*)")}));
    EXPECT_EQ(a.selectedNameFilter(), QStringLiteral("Lookup data files {*.TXT}"));  // as shown
    EXPECT_EQ(a.defaultSuffix(), QStringLiteral("TXT"));

    ui::FileDialogRequest save;
    save.kind = ui::FileDialogRequest::Kind::Save;
    save.filters = {{"Data files {*.TXT}", "*.TXT"}, {"All files {*.*}", "*.*"}};
    save.filterIndex = 1;
    save.options = ui::kOverwritePrompt | ui::kPathMustExist;
    QFileDialog b;
    configureFileDialog(b, save);
    EXPECT_EQ(b.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(b.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(b.selectedNameFilter(), QStringLiteral("All files {*.*}"));

    save.options = 0;
    QFileDialog c;
    configureFileDialog(c, save);
    EXPECT_TRUE(c.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(MainServicesTest, ProgressWindowHasItsCaptionTextAndBar) {
    QtServices services;
    services.progressOpen({ui::ProgressRequest::Kind::Bar, "Прогресс", "Загрузка..."});
    ProgressWindow* w = services.progressWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Прогресс"));
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(w->findChild<QLabel*>()->text(), QStringLiteral("Загрузка..."));
    const QRect bar = w->bar()->geometry();
    EXPECT_EQ(bar, QRect(14, w->contentHeight() / 2, w->width() - 28, 20));
    EXPECT_GE(w->cancelButton()->geometry().top(), bar.bottom());
    EXPECT_EQ(w->bar()->minimum(), 0);
    EXPECT_EQ(w->bar()->maximum(), 100);
    services.progressSet(57);
    EXPECT_EQ(w->percent(), 57);
    services.progressSet(140);
    EXPECT_EQ(w->percent(), 100);
    w->grab().save(screenshotPath(QStringLiteral("progress_window.png")));
    services.progressClose();
    EXPECT_EQ(services.progressWindow(), nullptr);
}

TEST(MainServicesTest, CountBoxIsLightYellowAndCentredOnTheScreen) {
    QtServices services;
    services.progressOpen({ui::ProgressRequest::Kind::Count, "Upload Data", "Data received : %d"});
    CountBox* box = services.countBox();
    ASSERT_NE(box, nullptr);
    services.progressSet(12);
    EXPECT_EQ(box->text(), QStringLiteral("Data received : 12"));
    EXPECT_EQ(box->boxRect().height(), 40);
    EXPECT_EQ(box->width(), QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("Data received : 0   ")) + 20);
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE(std::abs(box->geometry().center().x() - centre.x()), 1);
    EXPECT_LE(std::abs(box->boxRect().translated(box->pos()).center().y() - centre.y()), 1);
    const QImage shot = box->grab().toImage();
    EXPECT_EQ(shot.pixelColor(QPoint(4, 4) * shot.devicePixelRatio()), QColor(255, 255, 100));
    shot.save(screenshotPath(QStringLiteral("upload_count.png")));
    services.progressClose();
    EXPECT_EQ(services.countBox(), nullptr);
}

TEST(MainServicesTest, HelpShowsTheDocument) {
    QtServices services;
    services.showHelp(APPGEN_SOURCE_DIR "/docs/help.md", false);
    ASSERT_NE(services.helpWindow(), nullptr);
    EXPECT_TRUE(services.helpWindow()->isVisible());
    EXPECT_FALSE(services.helpWindow()->toPlainText().isEmpty());
    EXPECT_FALSE(services.helpWindow()->toPlainText().startsWith(QStringLiteral("Can't open")));
    services.showHelp("/nonexistent/help.md", true);
    EXPECT_TRUE(services.helpWindow()->toPlainText().startsWith(QStringLiteral("Can't open the file!")));
}

}  // namespace
}  // namespace appgen::gui
