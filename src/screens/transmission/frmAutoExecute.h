#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class AutoExecuteConsole;
class CDataBase;
class Exchanges;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class ScheduleGrid;

// Where the unattended console leads.
struct ConsoleRoads {
    // Manual mode: the logon window, for a user to log on interactively.
    std::function<void()> OpenLogon;
    // Shut down: the program ends.
    std::function<void()> EndProgram;
};

// "NEVIX - AUTOEXECUTION": stands in for the main menu while the program
// runs unattended. Its work is the console's; the window maps it.
class frmAutoExecute : public QWidget {
    Q_OBJECT

public:
    frmAutoExecute(CDataBase& database, std::shared_ptr<Exchanges> exchanges, ConsoleRoads roads,
                   QWidget* parent = nullptr);
    ~frmAutoExecute() override;

    // In immediate mode the run happens before this returns.
    void InitialiseForm();
    AutoExecuteConsole& Console() const { return *m_console; }

    QLabel* lblScheduledConnections() const { return m_lblScheduledConnections; }
    QCheckBox* chkScheduler(int index) const;
    QLineEdit* txtLastRan(int index) const;
    QLineEdit* txtNextRun(int index) const;
    QPushButton* cmdSchSettings(int index) const;
    QListView* lstExecutionLog() const { return m_lstExecutionLog; }
    QPushButton* cmdShowLog() const { return m_cmdShowLog; }
    QPushButton* cmdExit() const { return m_cmdExit; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    QLabel* lblTestMode() const { return m_lblTestMode; }

public slots:
    void cmdSchSettings_Click(int index);
    void cmdShowLog_Click();
    void cmdExit_Click();
    void cmdHelp_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowRow(int index);
    // Closed by the program, not questioned.
    void CloseByProgram();
    void Unload();

    std::unique_ptr<AutoExecuteConsole> m_console;
    ConsoleRoads m_roads;
    bool m_closingByProgram = false;
    bool m_unloaded = false;

    QLabel* m_lblScheduledConnections;
    std::unique_ptr<ScheduleGrid> m_grid;
    QListView* m_lstExecutionLog;
    QPushButton* m_cmdShowLog;
    QPushButton* m_cmdExit;
    QPushButton* m_cmdHelp;
    QLabel* m_lblTestMode;
};
