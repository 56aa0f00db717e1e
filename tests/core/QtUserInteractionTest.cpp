#include "core/qt/MessageBoxLayout.h"
#include "core/qt/QtUserInteraction.h"
#include "core/qt/frmWorkInProgress.h"
#include "core/WorkInProgress.h"
#include "platform/AppContext.h"
#include "support/Printers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using SB = QMessageBox::StandardButton;

TEST(MessageBoxLayout, ButtonSetsIconsAndDefaults)
{
    struct Case {
        uint32_t style;
        QList<SB> buttons;
        SB defaultButton;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {0, {SB::Ok}, SB::Ok, QMessageBox::NoIcon},
        {0x40, {SB::Ok}, SB::Ok, QMessageBox::Information},
        {0x30, {SB::Ok}, SB::Ok, QMessageBox::Warning},
        {0x10, {SB::Ok}, SB::Ok, QMessageBox::Critical},
        {0x124, {SB::Yes, SB::No}, SB::No, QMessageBox::Question},
        {0x212, {SB::Abort, SB::Retry, SB::Ignore}, SB::Ignore, QMessageBox::Critical},
        {0x223, {SB::Yes, SB::No, SB::Cancel}, SB::Cancel, QMessageBox::Question},
        {0x121, {SB::Ok, SB::Cancel}, SB::Cancel, QMessageBox::Question},
        {0x15, {SB::Retry, SB::Cancel}, SB::Retry, QMessageBox::Critical},
        {0x200, {SB::Ok}, SB::Ok, QMessageBox::NoIcon},
    };
    for (const Case& c : cases) {
        const MessageBoxLayout layout = MessageBoxLayout::FromStyle(c.style);
        EXPECT_EQ(layout.buttons, c.buttons) << std::hex << c.style;
        EXPECT_EQ(layout.defaultButton, c.defaultButton) << std::hex << c.style;
        EXPECT_EQ(layout.icon, c.icon) << std::hex << c.style;
    }
    EXPECT_TRUE(MessageBoxLayout::FromStyle(0x4000).helpButton);
}

TEST(MessageBoxLayout, AnswerCodes)
{
    int16_t code = 0;
    for (SB button : {SB::Ok, SB::Cancel, SB::Abort, SB::Retry, SB::Ignore, SB::Yes, SB::No})
        EXPECT_EQ(MessageBoxLayout::AnswerFor(button), ++code);
}

TEST(QtUserInteraction, RealBoxShowsTextAndReturnsTheButtonPressed)
{
    QtUserInteraction ui;
    QString shownText;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shownText = box->text();
                box->button(QMessageBox::No)->click();
            }
        }
    });
    EXPECT_EQ(ui.ShowMessageBox("Nevix", "Remove?\rAll of it", 0x124), 7);
    EXPECT_EQ(shownText, "Remove?\nAll of it");
}

TEST(QtUserInteraction, ASaveDialogThatMustNotAskAboutAnExistingFileDoesNot)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("VQ7.EXP");
    QFile(existing).open(QIODevice::WriteOnly);
    QtUserInteraction ui;
    for (const bool confirm : {true, false}) {
        bool asks = !confirm;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    asks = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
                    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
                    EXPECT_EQ(dialog->selectedFiles().value(0), existing);
                    if (confirm)
                        dialog->reject();
                    else
                        static_cast<QDialog*>(dialog)->accept();
                }
            }
        });
        FileDialogRequest request;
        request.mode = FileDialogMode::Save;
        request.initialFolder = dir.path();
        request.fileName = "VQ7.EXP";
        request.confirmOverwrite = confirm;
        const std::optional<QString> chosen = ui.ChooseFile(request);
        EXPECT_EQ(asks, confirm);
        EXPECT_EQ(chosen, confirm ? std::nullopt : std::optional<QString>(existing));
    }
}

TEST(QtUserInteraction, AWildcardNameIsTheFilterTheDialogShows)
{
    QTemporaryDir dir;
    QtUserInteraction ui;
    QString shownFilter;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                shownFilter = dialog->selectedNameFilter();
                dialog->reject();
            }
        }
    });
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.initialFolder = dir.path();
    request.fileName = "VQ3*.IMP";
    request.filter = "Import files|*.IMP|All files|*.*";
    EXPECT_EQ(ui.ChooseFile(request), std::nullopt);
    EXPECT_EQ(shownFilter, "VQ3*.IMP (VQ3*.IMP)");
}

TEST(QtUserInteraction, FiltersInQtForm)
{
    EXPECT_EQ(QtUserInteraction::ConvertFilter("All files (*.*) | *.*"), "All files (*)");
    EXPECT_EQ(QtUserInteraction::ConvertFilter("Import files|*.imp;*.csv|All|*.*"),
              "Import files (*.imp *.csv);;All (*)");
}

TEST(QtUserInteraction, WaitWindowCannotBeClosedByTheUserAndKeepsTheHourglass)
{
    auto ui = std::make_shared<QtUserInteraction>();
    ScopedAppContext scope(AppContext::MakeDefault(ui));
    {
        WorkInProgress wip;
        wip.Show("Enquiry maintenance in progress", "Nevix");
        frmWorkInProgress* window = ui->WaitWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->lblWIP()->text(), "Enquiry maintenance in progress");
        EXPECT_EQ(window->lblWait()->text(), "Please wait");
        EXPECT_EQ(window->windowTitle(), "Nevix");
        EXPECT_EQ(ui->MousePointer(), Pointer::Hourglass);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

        window->close();
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(ui->WaitWindow(), nullptr);
    EXPECT_EQ(ui->MousePointer(), Pointer::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The file "Print to file" writes is the one the dialog offers.
TEST(QtUserInteraction, ThePrintDialogOffersTheFileItIsGiven)
{
    QtUserInteraction ui;
    PrinterChoice current;
    current.deviceName = PrinterChoice::PrintToFile;
    current.outputFile = QStringLiteral("/srv/nevix/Nevix report.pdf");
    QString offered = QStringLiteral("no dialog");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        offered = file ? file->text() : QStringLiteral("no file box");
        dialog->reject();
    });
    EXPECT_FALSE(ui.ChoosePrinter(current, QString(), 0));
    EXPECT_EQ(offered, current.outputFile);
}

} // namespace
