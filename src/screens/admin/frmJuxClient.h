#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The choice of this computer's install mode: standalone, server, or a
// client sharing a server's database. OK stores the mode (and for a client
// the database) in the settings file.
class frmJuxClient : public QDialog {
    Q_OBJECT
public:
    explicit frmJuxClient(QWidget* parent = nullptr);

    void InitialiseForm(bool bAllowClientConfigOnly);
    // The mode chosen by a completed OK; 0 when none.
    int32_t InstallMode() const { return m_installMode; }

    // Options 1 to 3 are the modes.
    QRadioButton* optInstalMode(int index) const { return m_options.at(size_t(index - 1)); }
    QLineEdit* txtDatabaseLocation() const { return m_txtDatabaseLocation; }
    QLabel* lblServerLocation() const { return m_lblServerLocation; }
    QPushButton* cmdBrowse() const { return m_cmdBrowse; }
    QPushButton* cmdTestConnection() const { return m_cmdTestConnection; }
    QPushButton* cmdOk() const { return m_cmdOk; }

public slots:
    void cmdOk_Click();
    void cmdBrowse_Click();
    void cmdTestConnection_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TestDatabaseConnection(bool showSuccess);
    void ShowDatabaseControls(bool shown);

    std::array<QRadioButton*, 3> m_options{};
    QLineEdit* m_txtDatabaseLocation;
    QLabel* m_lblServerLocation;
    QPushButton* m_cmdBrowse;
    QPushButton* m_cmdTestConnection;
    QPushButton* m_cmdOk;
    int32_t m_installMode = 0;
    // The database that passed the last test, as an absolute path.
    QString m_testedPath;
    bool m_closingFromCode = false;
};
