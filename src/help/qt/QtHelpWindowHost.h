#pragma once

#include "help/HtmlHelpApi.h"

#include "help/qt/HelpWindow.h"

#include <QPointer>


// Shows help in one modeless help window, made when first needed.
class QtHelpWindowHost : public HelpWindowHost {
public:
    ~QtHelpWindowHost() override;
    intptr_t Show(std::shared_ptr<ChmFile> file, const QString& page, const QString& windowType) override;
    void CloseAll() override;

    // The open help window, nullptr when none.
    HelpWindow* Window() const { return m_window.data(); }

private:
    QPointer<HelpWindow> m_window;
};
