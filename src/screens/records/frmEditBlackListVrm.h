#pragma once

#include <QDialog>

#include <functional>

class BlackListedVRM;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits one blacklist entry in memory: its mark (while it may change) and
// its reason, or removes it. The caller owns the entry and writes it when
// the dialog has closed with the entry's BeenApplied set (IsDeleted then
// tells a removal); a cancelled dialog leaves the entry as it came.
class frmEditBlackListVrm : public QDialog {
    Q_OBJECT
public:
    explicit frmEditBlackListVrm(QWidget* parent = nullptr);

    void SetBlacklistedVRM(BlackListedVRM& oBLVrm, bool DisableVrm = false, bool AllowDelete = false);

    QGroupBox* Frame1() const { return m_frame1; }
    QLabel* Label(int index) const;
    QLineEdit* txtVRM() const { return m_txtVRM; }
    QLineEdit* txtReason() const { return m_txtReason; }
    QLineEdit* txtAddedBy() const { return m_txtAddedBy; }
    QLineEdit* txtAddedOn() const { return m_txtAddedOn; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdDelete() const { return m_cmdDelete; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();

protected:
    // Esc and the close box cancel.
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtVRM_Change(const QString& text);
    void txtReason_Change(const QString& text);
    // Why the entry cannot be saved, one reason a line; empty when it can.
    QString Refusals();

    QGroupBox* m_frame1;
    QLabel* m_labels[4]{};
    QLineEdit* m_txtVRM;
    QLineEdit* m_txtReason;
    QLineEdit* m_txtAddedBy;
    QLineEdit* m_txtAddedOn;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    QPushButton* m_cmdDelete;
    BlackListedVRM* m_entry = nullptr;
    bool m_filling = false;
};

// How a screen has a blacklist entry edited: modal over the owner, the
// entry changed in memory only (see frmEditBlackListVrm). Tests put a
// scripted editor in its place.
using BlacklistEntryEditor =
    std::function<void(QWidget* owner, BlackListedVRM& entry, bool disableVrm, bool allowDelete)>;

// The real editor: frmEditBlackListVrm shown modal over the owner.
void EditBlacklistEntry(QWidget* owner, BlackListedVRM& entry, bool disableVrm, bool allowDelete);
