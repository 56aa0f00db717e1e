#pragma once

#include "database/NevixParameters.h"
#include "database/SysParameters.h"
#include "accounts/Users.h"
#include "screens/common/UserList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class CDataBase;
class Enquirer;
class Enquirers;
class LogLine;
class LogLines;
class frmSetup;

// The steps of the set-up wizard over its window: the check made on
// leaving a step, the preparation of the step shown, the exchanges with
// the service, and the end of set-up.
class SetupWizard : public QObject {
    Q_OBJECT
public:
    static constexpr int LastStep = 4;

    SetupWizard(frmSetup& form, CDataBase& database, UserEditor editUser);
    ~SetupWizard() override;

    // Creates the objects the wizard works on and shows the first step.
    void Initialise();
    int CurrentStep() const { return m_step; }
    // Leaves the current step (a failed check keeps it) and shows the new
    // one. Errors are reported, never raised.
    void ChangeStep(int newStep);
    // True while the exchanges with the service run.
    bool Busy() const { return m_busy; }

    // The last step's Finish: true when set-up is complete and the wizard
    // may close.
    bool Finish();
    // Asks whether to stop the set-up; true when the user chose to.
    bool ConfirmStopSetup();

    void ShowLog();
    void ShowPassword(bool shown);
    void CapsLockTick();

    void EnquirerChosen(int index);
    void ReasonChosen(const QString& text);
    void DefaultEnquirerClicked(bool ticked);
    void FolderEdited(int index, const QString& folder);
    void BrowseFolder(int index);
    void AddUser();
    void EditUser();
    void RemoveUser();

    // What the list shows for a line of the log: nothing, the text itself,
    // or the explanation of a refused account or of no connection.
    static QStringList ProgressLines(int32_t eventCode, const QString& eventText,
                                     const QString& serviceUser, const QString& servicePassword,
                                     const QString& host);

    const std::shared_ptr<LogLines>& Log() const { return m_log; }
    const std::shared_ptr<Enquirers>& EnquirerList() const { return m_enquirers; }

private:
    void mobjLog_LogLineAdded(const std::shared_ptr<LogLine>& oLogLine, int32_t oAddedWhen);
    // The check of the step left; false keeps the step.
    bool LeaveStep(int newStep);
    void PrepareStep();
    void PrepareEnquirers();
    void SetCompanyNameFromEnquirers();
    bool SaveServiceAccount();
    bool RunExchanges();
    // "" when every exchange succeeded, else what the user is told.
    QString TalkToService();
    void EnableWizardButtons(bool enabled);
    void AddProgressLine(const QString& text);
    void ShowProgressList(bool shown);
    std::shared_ptr<Enquirer> EditedEnquirer() const;

    frmSetup& m_form;
    CDataBase& m_db;
    UserEditor m_editUser;
    int m_step = 0;
    bool m_busy = false;
    // Set once the exchanges have shown the list, until step 1 is shown
    // again.
    bool m_progressShown = false;

    std::shared_ptr<Enquirers> m_enquirers;
    NevixParameters m_account;
    std::shared_ptr<LogLines> m_log;
    SysParameters m_parameters;
    Users m_users;
};
