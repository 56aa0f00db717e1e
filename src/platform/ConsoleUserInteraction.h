#pragma once

#include "platform/UserInteraction.h"

// Used where no screen is attached (tools, and before a window system is
// set up): messages go to standard error and every question takes the
// box's default button.
class ConsoleUserInteraction : public UserInteraction {
public:
    int16_t ShowMessageBox(const QString& title, const QString& text, uint32_t style) override;
    void SetWaitMessage(const QString&) override {}
    void SetWaitCaption(const QString&) override {}
    void ShowWaitWindow() override {}
    void UnloadWaitWindow() override {}
    int16_t MousePointer() const override { return m_pointer; }
    void SetMousePointer(int16_t pointer) override { m_pointer = pointer; }
    void PumpEvents() override;
    std::optional<QString> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> ChooseFolder(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }

    std::optional<PrinterChoice> ChoosePrinter(const PrinterChoice&, const QString&, uint32_t) override
    {
        return std::nullopt;
    }

    // The answer of the button that a style makes the default.
    static int16_t DefaultAnswer(uint32_t style);

private:
    int16_t m_pointer = Pointer::Default;
};
