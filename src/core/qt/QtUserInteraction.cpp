#include "core/qt/QtUserInteraction.h"

#include "core/qt/MessageBoxLayout.h"
#include "core/qt/frmWorkInProgress.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

QtUserInteraction::QtUserInteraction() = default;

QtUserInteraction::~QtUserInteraction()
{
    delete m_wait;
}

int16_t QtUserInteraction::ShowMessageBox(const QString& title, const QString& text, uint32_t style)
{
    const MessageBoxLayout layout = MessageBoxLayout::FromStyle(style);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox box(layout.icon, title, shown);
    for (QMessageBox::StandardButton button : layout.buttons)
        box.addButton(button);
    if (layout.helpButton)
        box.addButton(QMessageBox::Help);
    box.setDefaultButton(layout.defaultButton);
    if (layout.buttons.contains(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    QMessageBox::StandardButton pressed;
    do {
        pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    } while (pressed == QMessageBox::Help);
    return MessageBoxLayout::AnswerFor(pressed);
}

frmWorkInProgress& QtUserInteraction::LoadWaitWindow()
{
    if (!m_wait)
        m_wait = new frmWorkInProgress();
    return *m_wait;
}

void QtUserInteraction::SetWaitMessage(const QString& message)
{
    QLabel* label = LoadWaitWindow().lblWIP();
    label->setText(message);
    label->repaint();
}

void QtUserInteraction::SetWaitCaption(const QString& caption)
{
    LoadWaitWindow().setWindowTitle(caption);
}

void QtUserInteraction::ShowWaitWindow()
{
    LoadWaitWindow().show();
}

void QtUserInteraction::UnloadWaitWindow()
{
    if (!m_wait)
        return;
    m_wait->Unload();
    delete m_wait;
}

void QtUserInteraction::SetMousePointer(int16_t pointer)
{
    m_pointer = pointer;
    if (pointer == Pointer::Default) {
        if (m_overridden)
            QApplication::restoreOverrideCursor();
        m_overridden = false;
        return;
    }
    const QCursor cursor(pointer == Pointer::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor);
    if (m_overridden) {
        QApplication::changeOverrideCursor(cursor);
    } else {
        QApplication::setOverrideCursor(cursor);
        m_overridden = true;
    }
}

void QtUserInteraction::PumpEvents()
{
    QCoreApplication::processEvents();
}

QString QtUserInteraction::ConvertFilter(const QString& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts.at(i).trimmed();
        name.remove(trailingPatterns);
        QStringList patterns;
        for (const QString& p : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        filters.append(name + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> QtUserInteraction::ChooseFile(const FileDialogRequest& request)
{
    QString filters = ConvertFilter(request.filter);
    // A wildcard name ("VQ3*.IMP") narrows the list as typed into the name
    // box would: it comes first, so it is the filter shown.
    const QString& name = request.fileName;
    if (name.contains(u'*') && name != QLatin1String("*") && name != QLatin1String("*.*"))
        filters = name + QStringLiteral(" (") + name + u')' + (filters.isEmpty() ? QString() : QStringLiteral(";;") + filters);
    QFileDialog dialog(OwnerWindow(request.ownerCaption), request.title, request.initialFolder, filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.mode == FileDialogMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    }
    if (!request.fileName.contains(u'*'))
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtUserInteraction::ChooseFolder(const QString& title,
                                                       const QString& startFolder,
                                                       const QString& ownerCaption)
{
    QFileDialog dialog(OwnerWindow(ownerCaption), title, startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!startFolder.isEmpty())
        dialog.selectFile(startFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

QWidget* QtUserInteraction::OwnerWindow(const QString& caption)
{
    if (!caption.isEmpty()) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == caption)
                return w;
        return nullptr;
    }
    return QApplication::activeWindow();
}

std::optional<PrinterChoice> QtUserInteraction::ChoosePrinter(const PrinterChoice& current,
                                                              const QString& ownerCaption, uint32_t)
{
    QPrinter printer(QPrinter::HighResolution);
    if (current.deviceName == PrinterChoice::PrintToFile || current.deviceName.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(current.outputFile);
    }
    else
        printer.setPrinterName(current.deviceName);
    if (current.orientation != 0)
        printer.setPageOrientation(current.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (current.duplex != 0)
        printer.setDuplex(current.duplex == 2   ? QPrinter::DuplexLongSide
                          : current.duplex == 3 ? QPrinter::DuplexShortSide
                                                : QPrinter::DuplexNone);
    QPrintDialog dialog(&printer, OwnerWindow(ownerCaption));
    // Left to itself, the dialog proposes a file of its own choosing for
    // "Print to file" on a real printer; the program's file is the one its
    // users are told about.
    if (printer.outputFormat() != QPrinter::PdfFormat && !current.outputFile.isEmpty()) {
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(current.outputFile);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrinterChoice chosen;
    chosen.deviceName =
        printer.outputFormat() == QPrinter::PdfFormat ? PrinterChoice::PrintToFile : printer.printerName();
    chosen.copies = int16_t(printer.copyCount());
    chosen.duplex = printer.duplex() == QPrinter::DuplexLongSide    ? 2
                    : printer.duplex() == QPrinter::DuplexShortSide ? 3
                                                                    : 1;
    chosen.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    chosen.paperSize = int16_t(printer.pageLayout().pageSize().id() + 1);
    chosen.printQuality = int16_t(printer.resolution());
    chosen.colour = printer.colorMode() == QPrinter::Color ? 2 : 1;
    chosen.defaultSource = int16_t(printer.paperSource() + 1);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        chosen.outputFile = printer.outputFileName();
    return chosen;
}
