#pragma once

#include "scheduling/Exchanges.h"

#include "platform/NevixError.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>

// Exchanges from a script: each call takes the next step scripted for it
// (none: a quiet success) and records its name in calls.
class ScriptedExchanges : public Exchanges {
public:
    struct Step {
        QList<std::pair<int32_t, QString>> lines; // added to the caller's run
        QString fatalText;                        // recorded as FatalVQ3ErrorMessage
        int32_t warnings = 0;                     // recorded as VQ3Warnings
        std::optional<NevixError> raise;          // raised after the lines
        bool answer = true;                       // the comms test's and maintenance's result
        std::function<void()> during;             // runs inside the call (events, checks)
    };

    void Script(const QString& call, Step step) { m_steps[call].push_back(std::move(step)); }

    void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results) override
    {
        Run(QStringLiteral("DoImportTransmissionAndExport"), log, &results);
    }
    void DoTransmissionAndExport(LogLines& log, TransmissionResults& results) override
    {
        Run(QStringLiteral("DoTransmissionAndExport"), log, &results);
    }
    bool RunNevixCommsTest(LogLines& log) override
    {
        return Run(QStringLiteral("RunNevixCommsTest"), log, nullptr, QStringLiteral("NCOMST"));
    }
    bool TableMaintenance(std::shared_ptr<LogLines>& logger, bool skipCompact, const QString& userName) override
    {
        lastSkipCompact = skipCompact;
        if (!logger) {
            logger = std::make_shared<LogLines>();
            return Run(QStringLiteral("TableMaintenance"), *logger, nullptr, QStringLiteral("TBLMAINT"), userName);
        }
        return Run(QStringLiteral("TableMaintenance"), *logger, nullptr);
    }

    QStringList calls;
    bool lastSkipCompact = false;

private:
    // ownRun: the process code of a run the call opens itself.
    bool Run(const QString& call, LogLines& log, TransmissionResults* results, const QString& ownRun = {},
             const QString& userName = QStringLiteral("TESTER"))
    {
        calls << call;
        Step step;
        auto& queue = m_steps[call];
        if (!queue.empty()) {
            step = std::move(queue.front());
            queue.pop_front();
        }
        if (!ownRun.isEmpty())
            log.BeginLogging(ownRun, call, userName);
        for (const auto& [code, text] : step.lines)
            log.AddToLog(code, text);
        if (results) {
            if (!step.fatalText.isEmpty())
                results->SetFatalVQ3ErrorMessage(step.fatalText);
            if (step.warnings)
                results->SetVQ3Warnings(step.warnings);
        }
        if (step.during)
            step.during();
        if (!ownRun.isEmpty())
            log.EndLogging();
        if (step.raise)
            throw *step.raise;
        return step.answer;
    }

    std::map<QString, std::deque<Step>> m_steps;
};
