#pragma once

#include "help/HtmlHelpApi.h"

#include <QString>
#include <QStringList>

#include <memory>

// The compiled help fixture: topic 1000 is "Main menu help" with a
// picture, 2000 links to it, the default topic is a welcome page.
inline QString FixtureHelpFile()
{
    return QStringLiteral(NEVIX_TEST_DATA "/help/guide.chm");
}

// Records what the help engine asks the help window to show.
class RecordingHost : public HelpWindowHost {
public:
    intptr_t Show(std::shared_ptr<ChmFile> file, const QString& page, const QString& windowType) override;
    void CloseAll() override { ++closes; }

    QStringList shown; // file name, " ", page, " ", window type
    int closes = 0;
};

// Installs a recording help window for the life of a scope.
class ScopedRecordingHost {
public:
    ScopedRecordingHost() : host(std::make_shared<RecordingHost>()) { SetHelpWindowHost(host); }
    ~ScopedRecordingHost() { SetHelpWindowHost(nullptr); }
    std::shared_ptr<RecordingHost> host;
};
