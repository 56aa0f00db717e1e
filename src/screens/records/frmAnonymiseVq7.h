#pragma once

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class VQ7;

// Makes one keeper response anonymous in memory, with a reason. Every way
// out hides the dialog; the caller reads HasChanged and saves the response
// when it is True.
class frmAnonymiseVq7 : public QDialog {
    Q_OBJECT
public:
    explicit frmAnonymiseVq7(QWidget* parent = nullptr);

    void InitialiseForm(std::shared_ptr<VQ7> oVQ7);
    bool HasChanged() const { return m_changed; }

    QGroupBox* fraReason() const { return m_fraReason; }
    QLabel* lblInst1() const { return m_lblInst1; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    QLineEdit* txtReason() const { return m_txtReason; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    // Esc and the close box: as Cancel.
    void reject() override;

private:
    QGroupBox* m_fraReason;
    QLabel* m_lblInst1;
    QLabel* m_label1;
    QLabel* m_label2;
    QLineEdit* m_txtReason;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    std::shared_ptr<VQ7> m_response;
    bool m_changed = false;
};
