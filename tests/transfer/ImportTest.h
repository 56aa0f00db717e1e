#pragma once

#include "support/AccountsTest.h"
#include "support/FileBytes.h"

#include "accounts/CurrentUser.h"
#include "core/ApplicationSettings.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "records/BlackListedVRM.h"
#include "transfer/ImportQuestions.h"
#include "transfer/VQ3FileImport.h"

#include <QDir>
#include <QStringList>

#include <deque>

// Answers the import's questions from a script and keeps the questions.
class ScriptedQuestions : public ImportQuestions {
public:
    int32_t AskAction(const QString& message) override
    {
        asked.append(message);
        if (answers.empty())
            return 0;
        const int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<int32_t> answers;
    QStringList asked;
};

// A progress window whose Cancel button is pressed after a number of
// updates (never when negative).
class FakeProgress : public ImportProgress {
public:
    void Load(const QString&, const QString&) override { loaded = true; }
    void SetValue(int32_t percent) override
    {
        values.append(percent);
        if (cancelAfter >= 0 && values.size() > cancelAfter)
            cancel = true;
    }
    bool CancelRequested() const override { return cancel; }
    void Unload() override { loaded = false; }

    int cancelAfter = -1;
    bool cancel = false;
    bool loaded = false;
    QList<int32_t> values;
};

// A delivered database that is also the program's global one, enquirer
// AB123 "Alpha Ltd" with reasons 01AB (default, cut-off 180 days) and 02CD
// (cut-off 0), the blacklisted mark XY51ABC, the file layouts of settings
// version 3.0, unattended running and a run log in memory.
class ImportTest : public AccountsTest {
protected:
    ImportTest()
    {
        ConnectTo(NewGlobalDatabase(), path);
        StoreEnquirerWithFolder(QStringLiteral("AB123"), QStringLiteral("Alpha Ltd"), QStringLiteral("+in"));
        BlackListedVRM entry;
        entry.SetDataSource(&db);
        entry.SetVRM(QStringLiteral("XY51ABC"));
        entry.SetReason(QStringLiteral("Stolen"));
        entry.Apply();
        Settings().SetProgramRunningMode(RunningMode::Automatic);
        WriteSettings(QStringLiteral("ConfigVersion=3.0"));
        log.BeginLogging(QStringLiteral("VQ3IMP"), QStringLiteral("Import"), QStringLiteral("tester"));
    }
    ~ImportTest() override
    {
        SetCurrentUser(nullptr);
        ReleaseGlobalDatabase();
    }

    void StoreEnquirerWithFolder(const QString& id, const QString& name, const QString& folder)
    {
        auto enquirer = std::make_shared<Enquirer>();
        enquirer->SetDataSource(&db);
        enquirer->SetEnquirerId(id);
        enquirer->SetName(name);
        enquirer->SetImportFolder(folder);
        const struct {
            const char* code;
            int16_t cutOff;
            bool isDefault;
        } reasons[] = {{"01AB", 180, true}, {"02CD", 0, false}};
        for (const auto& r : reasons) {
            auto reason = std::make_shared<EnquiryReason>();
            reason->SetEnquiryCode(QLatin1String(r.code));
            reason->SetDescription(QStringLiteral("Reason ") + QLatin1String(r.code));
            reason->SetDateOfEventCutOff(r.cutOff);
            reason->SetIsDefault(r.isDefault);
            enquirer->AddEnquiryReason(reason);
        }
        enquirer->Apply();
    }

    // Settings file lines of [System] (and [NevixClient] after a blank line).
    void WriteSettings(const QString& system, const QString& client = {})
    {
        WriteBytes(world.PathOf(QStringLiteral("Nevix.INI")),
                   (QStringLiteral("[System]\r\n") + system + QStringLiteral("\r\n[NevixClient]\r\n") + client +
                    QStringLiteral("\r\n"))
                       .toUtf8());
        const int16_t mode = Settings().ProgramRunningMode();
        Settings().Load();
        Settings().SetProgramRunningMode(mode);
    }

    template <typename Change>
    void ChangeParameters(Change change)
    {
        SysParameters parameters;
        parameters.SetDataSource(&db);
        parameters.Load();
        change(parameters);
        parameters.Apply();
    }

    QString WriteImportFile(const QString& name, const QByteArray& bytes)
    {
        const QString file = world.PathOf(name);
        QDir().mkpath(QFileInfo(file).path());
        WriteBytes(file, bytes);
        return file;
    }

    void Import(const QString& file, const QString& enquirerId = {}, ImportProgress* progress = nullptr)
    {
        ImportVQ3FromFile(file, progress, log, false, results, enquirerId, {&questions, 0});
    }

    bool Logged(const QString& text) const
    {
        for (const auto& line : log) {
            if (line->EventText() == text)
                return true;
        }
        return false;
    }
    QStringList LogTexts() const
    {
        QStringList texts;
        for (const auto& line : log)
            texts.append(line->EventText());
        return texts;
    }

    LogLines log;
    TransmissionResults results;
    ScriptedQuestions questions;
};
