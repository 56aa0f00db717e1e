#pragma once

#include "transfer/ImportQuestions.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The question an interactive enquiry import asks about an enquiry with
// errors or duplicates. It stays loaded between the questions of one file,
// so the user's last choice is offered again; the import's Finished()
// unloads it, and the next file starts from "CANCEL".
class frmMessage : public QDialog, public ImportQuestions {
    Q_OBJECT
public:
    explicit frmMessage(QWidget* parent = nullptr);

    // ImportQuestions: shows the question modally and returns GetAction().
    int32_t AskAction(const QString& message) override;
    void Finished() override;

    int32_t GetAction() const { return m_action; }
    void SetMessage(const QString& message);

    QLabel* LblHeader() const { return m_lblHeader; }
    QPlainTextEdit* TxtMessage() const { return m_txtMessage; }
    QRadioButton* OptAction(int index) const { return m_optAction.at(index); }
    QCheckBox* ChkApply() const { return m_chkApply; }
    QPushButton* CmdContinue() const { return m_cmdContinue; }

public slots:
    void cmdContinue_Click();

protected:
    // The close box (and Escape) is no way out without an answer: it
    // answers CANCEL.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ResetChoice();

    QLabel* m_lblHeader;
    QPlainTextEdit* m_txtMessage;
    std::array<QRadioButton*, 3> m_optAction{};
    QCheckBox* m_chkApply;
    QPushButton* m_cmdContinue;
    int32_t m_action = 0;
};
