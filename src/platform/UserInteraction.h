#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Message box style flags and answers, as the callers of the message
// routines pass and test them.
namespace MsgBox {
constexpr uint32_t OkOnly = 0;
constexpr uint32_t OkCancel = 1;
constexpr uint32_t AbortRetryIgnore = 2;
constexpr uint32_t YesNoCancel = 3;
constexpr uint32_t YesNo = 4;
constexpr uint32_t RetryCancel = 5;
constexpr uint32_t ButtonMask = 0x7;

constexpr uint32_t Critical = 0x10;
constexpr uint32_t Question = 0x20;
constexpr uint32_t Exclamation = 0x30;
constexpr uint32_t Information = 0x40;
constexpr uint32_t IconMask = 0x70;

constexpr uint32_t DefaultButton2 = 0x100;
constexpr uint32_t DefaultButton3 = 0x200;
constexpr uint32_t DefaultMask = 0x300;

constexpr uint32_t HelpButton = 0x4000;

constexpr int16_t AnswerOk = 1;
constexpr int16_t AnswerCancel = 2;
constexpr int16_t AnswerAbort = 3;
constexpr int16_t AnswerRetry = 4;
constexpr int16_t AnswerIgnore = 5;
constexpr int16_t AnswerYes = 6;
constexpr int16_t AnswerNo = 7;
} // namespace MsgBox

// Mouse pointer codes.
namespace Pointer {
constexpr int16_t Default = 0;
constexpr int16_t Hourglass = 11;
} // namespace Pointer

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString title;
    QString initialFolder; // empty: the dialog's own choice
    QString fileName;      // the name offered, "*" or "name.ext"
    QString filter;        // "Text (*.txt)|*.txt|All files (*.*)|*.*"
    QString ownerCaption;  // the window that owns the dialog; none when empty
    // Save mode: whether the dialog itself asks before an existing file is
    // chosen; off where the caller asks its own question.
    bool confirmOverwrite = true;
};

// What the print dialog is pre-set to and what it gives back. A value the
// printer cannot report is 0.
struct PrinterChoice {
    // The printer that writes PDF files, which every machine has.
    static inline const QString PrintToFile = QStringLiteral("Print to file (PDF)");

    QString deviceName;
    int16_t copies = 0;
    int16_t duplex = 0;      // 1 simplex, 2 long edge, 3 short edge
    int16_t orientation = 0; // 1 portrait, 2 landscape
    int16_t paperSize = 0;   // a QPageSize::PageSizeId plus 1
    int16_t printQuality = 0; // dots per inch
    int16_t colour = 0;      // 1 monochrome, 2 colour
    int16_t defaultSource = 0; // a QPrinter::PaperSource plus 1
    // Print to file: the PDF file the user named ("": the program's own).
    QString outputFile;
};

// Everything the program asks of the person at the screen. The Qt
// implementation shows real windows; tests script the answers.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // Shows a modal box and returns the answer code of the button pressed.
    virtual int16_t ShowMessageBox(const QString& title, const QString& text, uint32_t style) = 0;

    // The one please-wait window. Loading it (first call of any of these)
    // shows the hourglass until it is unloaded.
    virtual void SetWaitMessage(const QString& message) = 0;
    virtual void SetWaitCaption(const QString& caption) = 0;
    virtual void ShowWaitWindow() = 0;
    virtual void UnloadWaitWindow() = 0;

    // Application-wide mouse pointer.
    virtual int16_t MousePointer() const = 0;
    virtual void SetMousePointer(int16_t pointer) = 0;

    // Lets pending window events run.
    virtual void PumpEvents() = 0;

    // The file chosen, or no value when the user cancelled.
    virtual std::optional<QString> ChooseFile(const FileDialogRequest& request) = 0;
    // The folder chosen, or no value when the user cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder,
                                                const QString& ownerCaption) = 0;
    // The print dialog pre-set to the current printer; the printer and
    // settings chosen, or no value when the user cancelled.
    virtual std::optional<PrinterChoice> ChoosePrinter(const PrinterChoice& current, const QString& ownerCaption,
                                                       uint32_t flags) = 0;
};
