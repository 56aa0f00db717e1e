#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

// The splash window shown while the program starts, and the about box.
// As the splash it polls GoAway (first after 2 s, then every 0.5 s) and
// then hands over to the logon window, unless start-up failed.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    // handOver opens the logon window.
    explicit frmSplash(std::function<void()> handOver = {}, QWidget* parent = nullptr);

    bool GoAway() const { return m_goAway; }
    void SetGoAway(bool value) { m_goAway = value; }
    bool HasError() const { return m_hasError; }
    void SetHasError(bool value) { m_hasError = value; }
    void SetIsAboutBox(bool value);

    QLabel* lblVersion() const { return m_lblVersion; }
    QPushButton* cmdClose() const { return m_cmdClose; }
    QTimer* tmrintro() const { return m_tmrintro; }

public slots:
    void tmrintro_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    std::function<void()> m_handOver;
    QLabel* m_lblVersion;
    QLabel* m_imgKeeper;
    QPushButton* m_cmdClose;
    QTimer* m_tmrintro;
    bool m_goAway = false;
    bool m_hasError = false;
    bool m_isAboutBox = false;
    bool m_unloading = false;
};
