#pragma once

#include "platform/UserInteraction.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// Records everything the program shows and answers from a script. Without
// a scripted answer a box answers with its default button.
class FakeUserInteraction : public UserInteraction {
public:
    struct Box {
        QString title;
        QString text;
        uint32_t style = 0;
    };

    int16_t ShowMessageBox(const QString& title, const QString& text, uint32_t style) override;
    void SetWaitMessage(const QString& message) override;
    void SetWaitCaption(const QString& caption) override;
    void ShowWaitWindow() override;
    void UnloadWaitWindow() override;
    int16_t MousePointer() const override { return pointer; }
    void SetMousePointer(int16_t p) override;
    // Events really flow, as they do in the program.
    void PumpEvents() override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder,
                                        const QString& ownerCaption) override;

    std::optional<PrinterChoice> ChoosePrinter(const PrinterChoice& current, const QString& ownerCaption,
                                               uint32_t flags) override;
    // Without a scripted choice the dialog is cancelled.
    void ScriptPrinter(std::optional<PrinterChoice> choice) { printerChoices.push_back(std::move(choice)); }

    void ScriptAnswer(int16_t answer) { answers.push_back(answer); }
    void ScriptFile(std::optional<QString> file) { files.push_back(std::move(file)); }

    QList<Box> boxes;
    // The texts of the boxes shown, in order.
    QStringList Texts() const;
    std::deque<int16_t> answers;
    // Pointer seen while each box was open.
    QList<int16_t> pointerDuringBox;

    // The please-wait window: loaded from the first call until unloaded.
    bool waitLoaded = false;
    bool waitVisible = false;
    int waitShows = 0;
    int waitUnloads = 0;
    QString waitMessage;
    QString waitCaption;

    int16_t pointer = Pointer::Default;
    QList<int16_t> pointerHistory;
    int pumps = 0;

    QList<FileDialogRequest> fileRequests;
    // Runs as each file dialog opens, before it answers (it may raise).
    std::function<void(const FileDialogRequest&)> onFileDialog;
    QList<std::optional<QString>> files;

    struct FolderRequest {
        QString title;
        QString startFolder;
        QString ownerCaption;
    };
    QList<FolderRequest> folderRequests;
    // What each print dialog was pre-set to.
    QList<PrinterChoice> printerRequests;
    std::deque<std::optional<PrinterChoice>> printerChoices;
    // Scripted with ScriptFile too: file and folder choices share one queue.

private:
    void Load();
};
