#pragma once

#include "core/qt/frmWorkInProgress.h"
#include "platform/UserInteraction.h"

#include <QPointer>

// The user interaction of the real program: Qt message boxes, the
// please-wait window, override cursors and file dialogs.
class QtUserInteraction : public UserInteraction {
public:
    QtUserInteraction();
    ~QtUserInteraction() override;

    int16_t ShowMessageBox(const QString& title, const QString& text, uint32_t style) override;

    void SetWaitMessage(const QString& message) override;
    void SetWaitCaption(const QString& caption) override;
    void ShowWaitWindow() override;
    void UnloadWaitWindow() override;

    int16_t MousePointer() const override { return m_pointer; }
    void SetMousePointer(int16_t pointer) override;
    void PumpEvents() override;

    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder,
                                        const QString& ownerCaption) override;

    std::optional<PrinterChoice> ChoosePrinter(const PrinterChoice& current, const QString& ownerCaption,
                                               uint32_t flags) override;

    // The top-level window with exactly this caption, else the active one.
    static QWidget* OwnerWindow(const QString& caption);

    // "Text (*.txt)|*.txt|All files (*.*)|*.*" in Qt's form; "*.*" matches
    // every file.
    static QString ConvertFilter(const QString& filter);

    frmWorkInProgress* WaitWindow() const { return m_wait; }

private:
    frmWorkInProgress& LoadWaitWindow();

    QPointer<frmWorkInProgress> m_wait;
    int16_t m_pointer = Pointer::Default;
    bool m_overridden = false;
};
