#pragma once

#include "transfer/ExportProgress.h"
#include "transfer/ImportQuestions.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of record-by-record work (enquiry import, response
// and debit-statement export): a bar, a line saying what is done, and a
// Cancel that the work sees at its next step. The work loads it, drives it
// and unloads it.
class frmProgress : public QDialog, public ImportProgress, public ExportProgress {
    Q_OBJECT
public:
    explicit frmProgress(QWidget* parent = nullptr);

    // ImportProgress
    void Load(const QString& caption, const QString& info) override;
    void SetValue(int32_t percent) override;
    bool CancelRequested() const override;
    void Unload() override;

    // ExportProgress: each step lets waiting events run, so a Cancel
    // pressed meanwhile is seen.
    void Start(const QString& caption, const QString& info) override;
    bool Step(int percent) override;
    void Finish() override;

    bool IsLoaded() const { return m_loaded; }

    QProgressBar* StatusPnl() const { return m_statusPnl; }
    QLabel* InfoLbl(int index) const { return index == 0 ? m_infoLbl : nullptr; }
    QLabel* StatusLbl() const { return m_statusLbl; }
    QPushButton* CancelBtn() const { return m_cancelBtn; }

public slots:
    void CancelBtn_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QProgressBar* m_statusPnl;
    QLabel* m_infoLbl;
    QLabel* m_statusLbl;
    QPushButton* m_cancelBtn;
    bool m_loaded = false;
};
