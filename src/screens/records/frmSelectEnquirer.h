#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

// Picks one of the logged-on user's enquirers. Every way out hides the
// dialog, so the caller reads GetSelectEnquirerId() afterwards. An
// enquirer chosen with OK is not offered again by the same object.
class frmSelectEnquirer : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectEnquirer(QWidget* parent = nullptr);

    void SetForImport();
    void SetForExport();
    QString GetSelectEnquirerId() const { return m_chosenId; }

    QLabel* LblCaption() const { return m_lblCaption; }
    QListWidget* LstEnquirers() const { return m_lstEnquirers; }
    QLabel* LblImportNote(int index) const { return m_lblImportNote.at(index); }
    QPushButton* CmdOk() const { return m_cmdOk; }
    QPushButton* CmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void lstEnquirers_DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void LoadList();
    void TakeSelected();

    QLabel* m_lblCaption;
    QListWidget* m_lstEnquirers;
    std::array<QLabel*, 2> m_lblImportNote{};
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    QStringList m_done;
    QStringList m_offered;
    QString m_chosenId;
};
