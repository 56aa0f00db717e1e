#include "support/FakeUserInteraction.h"

#include "platform/ConsoleUserInteraction.h"

#include <QCoreApplication>

int16_t FakeUserInteraction::ShowMessageBox(const QString& title, const QString& text, uint32_t style)
{
    boxes.append({title, text, style});
    pointerDuringBox.append(pointer);
    if (answers.empty())
        return ConsoleUserInteraction::DefaultAnswer(style);
    const int16_t answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUserInteraction::Load()
{
    if (!waitLoaded) {
        waitLoaded = true;
        waitMessage = QStringLiteral("Database Work in Progress");
        waitCaption.clear();
    }
}

void FakeUserInteraction::SetWaitMessage(const QString& message)
{
    Load();
    waitMessage = message;
}

void FakeUserInteraction::SetWaitCaption(const QString& caption)
{
    Load();
    waitCaption = caption;
}

void FakeUserInteraction::ShowWaitWindow()
{
    Load();
    waitVisible = true;
    ++waitShows;
}

void FakeUserInteraction::UnloadWaitWindow()
{
    if (!waitLoaded)
        return;
    waitLoaded = false;
    waitVisible = false;
    ++waitUnloads;
}

void FakeUserInteraction::SetMousePointer(int16_t p)
{
    pointer = p;
    pointerHistory.append(p);
}

std::optional<QString> FakeUserInteraction::ChooseFile(const FileDialogRequest& request)
{
    fileRequests.append(request);
    if (onFileDialog)
        onFileDialog(request);
    return files.isEmpty() ? std::nullopt : files.takeFirst();
}

std::optional<QString> FakeUserInteraction::ChooseFolder(const QString& title,
                                                         const QString& startFolder,
                                                         const QString& ownerCaption)
{
    folderRequests.append({title, startFolder, ownerCaption});
    return files.isEmpty() ? std::nullopt : files.takeFirst();
}

void FakeUserInteraction::PumpEvents()
{
    ++pumps;
    QCoreApplication::processEvents();
}

std::optional<PrinterChoice> FakeUserInteraction::ChoosePrinter(const PrinterChoice& current, const QString&,
                                                                uint32_t)
{
    printerRequests.append(current);
    if (printerChoices.empty())
        return std::nullopt;
    const bool confirmed = printerChoices.front().has_value();
    PrinterChoice choice = confirmed ? *printerChoices.front() : PrinterChoice();
    printerChoices.pop_front();
    if (!confirmed)
        return std::nullopt;
    return choice;
}

QStringList FakeUserInteraction::Texts() const
{
    QStringList texts;
    for (const auto& box : boxes)
        texts.append(box.text);
    return texts;
}
