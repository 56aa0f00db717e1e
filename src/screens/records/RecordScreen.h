#pragma once

#include "screens/common/InitialisableForm.h"
#include "screens/records/RecordScreenTools.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QAbstractItemModel;
class QLabel;
class QLayout;
class QPushButton;
class QTableView;
class frmChoosePrintType;
struct RecordExport;

// What the response and statement screens share: the banner over a grid
// of records beside the current one in full, read only; that record shown
// once the window is first activated and whenever the user moves the
// grid's current row; F1 and Help for the screen's help topic; Close;
// printing and export.
class RecordScreen : public QWidget, public InitialisableForm {
    Q_OBJECT
public:
    ~RecordScreen() override;

    // Makes the grid's current row (the first when none) current and
    // selected again, gives the grid the keyboard and shows the record.
    void SelectCurrentRow();
    // Every bold text box gets the read-only look.
    void ApplyControlLook();

public slots:
    void cmdReturn_Click();
    void cmdHelp_Click();

protected:
    RecordScreen(QWidget* parent, RecordScreenTools tools, int32_t helpTopic);

    // Shows the record of the grid's current row.
    virtual void ShowCurrentRecord() = 0;

    // Sets the grid up over the model, under the grid's control name.
    void SetUpGrid(QAbstractItemModel* model, const char* name);
    // Lays the window out: the banner over the body, and under it the
    // screen's own buttons on the left, Export, Print, Help and Close on
    // the right. Returns the banner, hidden on a low screen.
    QLabel* LayOutWindow(const QString& subject, QLayout* body, std::initializer_list<QPushButton*> ownButtons);
    // The user's enquirers' ids; raises a NevixError when no user is logged on.
    static QStringList UserEnquirerIds();
    // "none" when there are no records, else the print-type dialog as
    // setUp prepares it; a failure is reported.
    void PrintRecords(int records, const QString& none, const std::function<void(frmChoosePrintType&)>& setUp);
    // Exports the records of the enquirer the user chooses into the file
    // they choose and tells the outcome; Export stays enabled while
    // records are left to export. A failure is reported.
    void ExportRecords(const RecordExport& kind);

    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

    RecordScreenTools m_tools;
    QTableView* m_grid;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdReturn = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    // Set while the program fills or moves the grid: no record is shown.
    bool m_filling = false;

private:
    int32_t m_helpTopic;
    bool m_activated = false;
};
