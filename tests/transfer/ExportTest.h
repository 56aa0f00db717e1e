#pragma once

#include "support/AccountsTest.h"
#include "support/FileBytes.h"

#include "accounts/CurrentUser.h"
#include "core/ApplicationSettings.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "records/DebitStatement.h"
#include "records/VQ7.h"
#include "transfer/ExportProgress.h"
#include "transfer/ExportSteps.h"

#include <QDateTime>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A delivered database with response and statement builders, the settings
// and parameters the exports read, and a logged-on user.
class ExportTest : public AccountsTest {
protected:
    ~ExportTest() override { SetCurrentUser(nullptr); }

    static QDateTime At(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
    {
        return QDateTime(QDate(y, m, d), QTime(hh, mm, ss));
    }

    // Settings file lines ("[System]\nConfigVersion=3\n...").
    void Configure(const QByteArray& ini, int16_t mode = RunningMode::Interactive)
    {
        WriteBytes(world.PathOf("Nevix.INI"), ini);
        Settings().Load();
        Settings().SetProgramRunningMode(mode);
    }
    void Parameters(int16_t format, bool legacy = false, bool fromLeft = false)
    {
        SysParameters sys;
        sys.SetDataSource(&db);
        sys.Load();
        sys.SetExportFormat(format);
        sys.SetLegacyExport(legacy);
        sys.SetWriteFromLeft(fromLeft);
        sys.Apply();
    }

    // A private keeper answered in full.
    // Stored in `into`, or else `db`.
    std::shared_ptr<VQ7> Keeper(const QString& enquirer = "AB001", CDataBase* into = nullptr)
    {
        auto r = std::make_shared<VQ7>();
        r->SetVRM("AB12CDE");
        r->SetDateOfEvent(At(2024, 2, 1));
        r->SetEnquiryReference("REF-1");
        r->SetHardcopyCode("0");
        r->SetMake("FORD");
        r->SetModel("FOCUS");
        r->SetColour("BLUE");
        r->SetEngineCapacity("1596");
        r->SetSeatingCapacity("5");
        r->SetTaxClass("PLG");
        r->SetVIN("WF0AXXGCDA1234567");
        r->SetNumberOfKeepers(3);
        r->SetDateFirstRegistered(At(2015, 6, 1));
        r->SetKeeperNameCode("3");
        r->SetKeeperTitleCode("1");
        r->SetTitle("MR");
        r->SetKeeperName1("SMITH");
        r->SetKeeperName2("JOHN");
        r->SetKeeperAddress1("1 HIGH STREET");
        r->SetKeeperAddress4("NEWTOWN");
        r->SetKeeperPostTown("LEEDS");
        r->SetKeeperPostCode("LS1 1AA");
        r->SetControlReference(42);
        r->SetDateOfResponse(At(2024, 3, 14));
        r->SetWhenPrepared(At(2024, 3, 14, 8, 5, 9));
        r->SetWhenReceived(At(2024, 3, 14, 9, 0, 0));
        r->SetEnquirerId(enquirer);
        r->SetEnquiryCode("01AB");
        return Stored(r, into);
    }
    // A company answered with a DVLA error; a VIN in the VRM column, a
    // comma in the make and the name, no enquirer.
    std::shared_ptr<VQ7> Company()
    {
        auto r = std::make_shared<VQ7>();
        r->SetVRM("WVWZZZ1JZXW000001");
        r->SetDateOfEvent(At(2024, 1, 31));
        r->SetEnquiryReference("REF-2");
        r->SetHardcopyCode("1");
        r->SetDVLAERRCode("X");
        r->AddError("E2201", "Vehicle record incomplete");
        r->SetMake("VAUXHALL, OPEL AND GENERAL MOTORS UK LTD");
        r->SetKeeperNameCode("1");
        r->SetCompanyName("NORTHERN LEASING AND CONTRACT HIRE, FLEET SERVICES DIVISION LTD");
        r->SetKeeperAddress1("UNIT 4");
        r->SetKeeperAddress2("TRADING ESTATE");
        r->SetKeeperAddress3("MILL LANE");
        r->SetKeeperAddress4("OLDTOWN");
        r->SetKeeperPostTown("YORK");
        r->SetKeeperPostCode("YO1 7HH");
        r->SetControlReference(42);
        return Stored(r);
    }
    std::shared_ptr<VQ7> Stored(std::shared_ptr<VQ7> response, CDataBase* into = nullptr)
    {
        response->SetDataSource(into ? into : &db);
        response->Apply();
        return response;
    }

    std::shared_ptr<DebitStatement> Statement(const QString& enquirer, bool full = true)
    {
        auto s = std::make_shared<DebitStatement>();
        s->SetEnquirerId(enquirer);
        s->SetDEBSTAReference("ABC");
        s->SetIssueDate(At(2024, 3, 1));
        s->SetTransactionDate(At(2024, 3, 2));
        s->SetChargePeriodStart(At(2024, 2, 1));
        s->SetChargePeriodEnd(At(2024, 2, 29));
        s->SetTotalAmountOfDebit(Currency{125000});
        s->SetNumberOfCharges(3);
        s->SetRateOfCharge(Currency{41667});
        s->SetTotalAmountOfCharge(Currency{125000});
        s->SetControlReference(42);
        s->SetWhenPrepared(At(2024, 3, 2, 7, 30, 1));
        if (full) {
            s->SetDVLABankAccountNumber("12345678");
            s->SetDVLABankAccountName("DVLA RECEIPTS");
            s->SetDVLABankSortCode("60-70-80");
            s->SetTPBankAccountNumber("87654321");
            s->SetTPBankAccountName("ENQUIRER PLC");
            s->SetTPBankSortCode("10-20-30");
            s->SetWhenReceived(At(2024, 3, 2, 8, 0, 0));
        }
        s->SetDataSource(&db);
        s->Apply();
        return s;
    }

    // Enquirers with export folders ("" for none), all given to the
    // logged-on user "clerk".
    void LogOn(const QList<std::pair<QString, QString>>& enquirerFolders)
    {
        QStringList ids;
        for (const auto& [id, folder] : enquirerFolders) {
            auto enquirer = StoreEnquirer(id, "Enquirer " + id);
            enquirer->SetExportFolder(folder);
            enquirer->Apply();
            ids << id;
        }
        StoreUser("clerk", "secret", {}, ids.join(','));
        SetCurrentUser(LoadedUser("clerk"));
    }

    // Responses (or statements) of AB001 whose references are the prefix
    // and 1, 2...
    QStringList Records(const QString& prefix, int count, bool statements = false)
    {
        QStringList references;
        for (int i = 1; i <= count; ++i) {
            references << prefix + QString::number(i);
            if (statements) {
                auto statement = Statement("AB001");
                statement->SetDEBSTAReference(references.last());
                statement->Apply();
            } else {
                auto response = Keeper();
                response->SetEnquiryReference(references.last());
                response->Apply();
            }
        }
        return references;
    }

    // Runs `run` in a child process, which a hook it installs ends by Die()
    // at the point a kill -9 is to stop it; true when the child died so.
    bool RunsUntilKilled(const std::function<void()>& run)
    {
        db.Disconnect(); // the child opens a connection of its own
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                run();
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
               WTERMSIG(status) == SIGKILL;
    }
    static void Die() { ::raise(SIGKILL); }
    // RunsUntilKilled, dying at the step.
    bool KilledAt(ExportStep step, const std::function<void()>& run)
    {
        return RunsUntilKilled([&] {
            SetExportStepHook([step](ExportStep reached) {
                if (reached == step)
                    Die();
            });
            run();
        });
    }
    // Last written that many hours ago.
    static void Age(const QString& path, int hours)
    {
        const timespec at[2] = {{::time(nullptr) - hours * 3600, 0}, {::time(nullptr) - hours * 3600, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), at, AT_SYMLINK_NOFOLLOW), 0)
            << path.toStdString();
    }

    QString Texts(const LogLines& log) const
    {
        QStringList lines;
        for (const auto& line : log)
            lines << line->EventText();
        return lines.join('\n');
    }
    int64_t Exported(const QString& table) const
    {
        return CountRows(table, "JuxExportedDate = '2024-03-15 00:00:00'");
    }
};

// Answers Cancel at the given step (from 1); 0 never.
class CancellingProgress : public ExportProgress {
public:
    explicit CancellingProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    void Start(const QString& caption, const QString&) override { this->caption = caption; }
    bool Step(int percent) override
    {
        steps << percent;
        if (onStep)
            onStep(int(steps.size()));
        return int(steps.size()) == m_cancelAt;
    }
    void Finish() override { finished = true; }

    std::function<void(int)> onStep;
    QString caption;
    QList<int> steps;
    bool finished = false;

private:
    int m_cancelAt;
};
