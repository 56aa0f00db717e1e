#pragma once

#include "help/HelpTopics.h"
#include "screens/common/FormRegistry.h"

#include <QList>
#include <QMetaObject>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class CDataBase;
class QLabel;
class QPushButton;

// The names under which the screens the menu opens are registered.
namespace MenuScreens {
inline const QString Enquiries = QStringLiteral("frmVQ3");
inline const QString Responses = QStringLiteral("frmVQ7");
inline const QString Debits = QStringLiteral("frmDEB");
inline const QString SendReceive = QStringLiteral("frmTransmissionControl");
inline const QString Log = QStringLiteral("frmTransmissionStatus");
inline const QString Parameters = QStringLiteral("frmParameters");
inline const QString Information = QStringLiteral("frmInfo");
} // namespace MenuScreens

// The topic the menu's help asks for.
constexpr int32_t MenuHelpTopic = HelpTopics::Menu;

// Where the main menu's ways out lead; the menu has unloaded itself first
// or does so right after.
struct MenuRoads {
    // Log off and the return to automatic execution: the logon window,
    // loaded and initialised, shown when it is still loaded.
    std::function<void()> OpenLogon;
    // Shut down: the program ends.
    std::function<void()> EndProgram;
};

// The hub of interactive work: greets the user, opens the other screens
// (gated by the user's roles and the install mode), warns administrators
// of old data, and ends the work by exit, log off or a return to the
// unattended console.
class frmMenu : public QWidget {
    Q_OBJECT
public:
    frmMenu(CDataBase& database, FormRegistry screens, MenuRoads roads, QWidget* parent = nullptr);
    ~frmMenu() override;

    // The window's load: the welcome line, the gates, the help button.
    void InitialiseForm();
    // Runs each time the window becomes active.
    void Form_Activate();
    bool IsLoaded() const { return m_loaded; }

    // Result 0: the menu stays; 1 shut down, 2 log off, 3 back to
    // automatic execution (the menu has unloaded).
    int32_t QueryShutDown();

    QPushButton* cmdEnq() const { return m_cmdEnq; }
    QPushButton* cmdResp() const { return m_cmdResp; }
    QPushButton* cmdDebit() const { return m_cmdDebit; }
    QPushButton* cmdSend() const { return m_cmdSend; }
    QPushButton* cmdStatus() const { return m_cmdStatus; }
    QPushButton* cmdMaint() const { return m_cmdMaint; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    QPushButton* cmdAbout() const { return m_cmdAbout; }
    QPushButton* cmdExit() const { return m_cmdExit; }
    QPushButton* cmdChangePassword() const { return m_cmdChangePassword; }
    QPushButton* cmdMoreInformation() const { return m_cmdMoreInformation; }
    QLabel* lblTestMode() const { return m_lblTestMode; }
    QLabel* lblWelcome(int index) const { return m_lblWelcome.at(index); }
    QLabel* imgEnq() const { return m_imgEnq; }
    QLabel* imgResp() const { return m_imgResp; }
    QLabel* imgDeb() const { return m_imgDeb; }
    QLabel* imgDebDisabled() const { return m_imgDebDisabled; }
    QLabel* imgSendRec() const { return m_imgSendRec; }
    QLabel* imgSendRecDisabled() const { return m_imgSendRecDisabled; }
    QLabel* imgLog() const { return m_imgLog; }
    QLabel* imgLogDisabled() const { return m_imgLogDisabled; }
    QLabel* imgAdmin() const { return m_imgAdmin; }
    QLabel* imgAdminDisabled() const { return m_imgAdminDisabled; }

public slots:
    void cmdEnq_Click();
    void cmdResp_Click();
    void cmdDebit_Click();
    void cmdSend_Click();
    void cmdStatus_Click();
    void cmdMaint_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdExit_Click();
    void cmdChangePassword_Click();
    void cmdMoreInformation_Click();

signals:
    void Unloaded();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Builds, initialises and shows a registered screen; false when it did
    // not open (the user has been told why).
    bool ShowForm(const QString& name, bool modal, QPushButton* button);
    void ScreenClosed();
    void SetButtonState(QPushButton* button, QLabel* picture, QLabel* greyPicture, bool enabled);
    void WarnOfOldRecords(bool enquiries);
    // The enquiry or the response screen, after the maintenance warning.
    void OpenRecordScreen(bool enquiries);
    void PlaceWelcome();
    void Unload();

    CDataBase& m_db;
    FormRegistry m_screens;
    MenuRoads m_roads;
    bool m_loaded = true;
    QList<QMetaObject::Connection> m_screenConnections;

    QPushButton* m_cmdEnq;
    QPushButton* m_cmdResp;
    QPushButton* m_cmdDebit;
    QPushButton* m_cmdSend;
    QPushButton* m_cmdStatus;
    QPushButton* m_cmdMaint;
    QPushButton* m_cmdHelp;
    QPushButton* m_cmdAbout;
    QPushButton* m_cmdExit;
    QPushButton* m_cmdChangePassword;
    QPushButton* m_cmdMoreInformation;
    QLabel* m_lblTestMode;
    std::array<QLabel*, 5> m_lblWelcome{};
    QLabel* m_imgEnq;
    QLabel* m_imgResp;
    QLabel* m_imgDeb;
    QLabel* m_imgDebDisabled;
    QLabel* m_imgSendRec;
    QLabel* m_imgSendRecDisabled;
    QLabel* m_imgLog;
    QLabel* m_imgLogDisabled;
    QLabel* m_imgAdmin;
    QLabel* m_imgAdminDisabled;
};
