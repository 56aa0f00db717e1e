#pragma once

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

#include "reports/TransmissionLogReport.h"

class LogLines;
class LogListView;
class PrinterCatalog;
class QCheckBox;
class QFrame;
class QPushButton;
class QVBoxLayout;
class ReportCanvas;

// What the two transmission log windows share: the detail box, the log
// list, the buttons, the reload after a resize, printing and saving.
class LogViewerForm : public QDialog {
    Q_OBJECT

public:
    using CanvasFactory = std::function<std::unique_ptr<ReportCanvas>()>;

    // The printers chosen from and the canvas printed on (the program's
    // current printer unless set).
    void SetPrinting(PrinterCatalog& printers, CanvasFactory canvas);

    virtual void LoadLog() = 0;
    // Another log window prints as this one does.
    void ShareSettingsWith(LogViewerForm& other) const
    {
        other.m_printers = m_printers;
        other.m_canvas = m_canvas;
    }

    QCheckBox* chkShowDetail() const { return m_chkShowDetail; }
    LogListView* lstTransmissionLog() const { return m_lstTransmissionLog; }
    QFrame* fraButtons() const { return m_fraButtons; }
    QPushButton* cmdPrint() const { return m_cmdPrint; }
    QPushButton* cmdSave() const { return m_cmdSave; }
    QPushButton* cmdReturn() const { return m_cmdReturn; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }

public slots:
    void cmdPrint_Click();
    void cmdSave_Click();
    void cmdHelp_Click();

protected:
    explicit LogViewerForm(QWidget* parent);
    // Ends the window's layout with the detail box and the buttons, and
    // sizes it: the lines wrap to the lists' width, so the lists get their
    // size before anything fills them.
    void FinishLayout(QVBoxLayout* layout, int width, int height);

    // The log the window shows; none before it is loaded.
    virtual const LogLines* Log() const = 0;
    virtual QString PrintTitle() const = 0;
    virtual QList<PrintedLogList> PrintedLists() const = 0;
    // Every list of the window, for keeping selections over a reload.
    virtual QList<LogListView*> Lists() const = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QCheckBox* m_chkShowDetail;
    LogListView* m_lstTransmissionLog;
    QFrame* m_fraButtons;
    QPushButton* m_cmdPrint;
    QPushButton* m_cmdSave;
    QPushButton* m_cmdReturn;
    QPushButton* m_cmdHelp;
    PrinterCatalog* m_printers = nullptr;
    CanvasFactory m_canvas;
};
