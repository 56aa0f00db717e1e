#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class DebitStatement;
class DebitStatements;
class PrinterCatalog;
class PrinterOfData;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ReportCanvas;
class VQ3;
class VQ3Enquiries;
class VQ7;
class VQ7Responses;

// "WHAT TO PRINT": the record screens hand over their current record and
// their list; the user picks what to print and may switch printer. The
// window stays open after a run; Cancel during a run stops it after the
// row being printed.
class frmChoosePrintType : public QDialog {
    Q_OBJECT
public:
    using CanvasMaker = std::function<std::unique_ptr<ReportCanvas>()>;

    explicit frmChoosePrintType(QWidget* parent = nullptr);
    ~frmChoosePrintType() override;

    // Where reports go (the current printer unless set) and the printers
    // "Another Printer" offers (the installed ones unless set).
    void SetCanvasMaker(CanvasMaker maker);
    void SetPrinterCatalog(PrinterCatalog* printers);

    // The dialog keeps the caller's record and list; it does not own them.
    void SetForVQ3(std::shared_ptr<VQ3> oCurrentVq3, VQ3Enquiries& oVQ3List);
    void SetForVQ7(std::shared_ptr<VQ7> oCurrentVQ7, VQ7Responses& oVq7List);
    void SetForDebs(std::shared_ptr<DebitStatement> oCurrentDeb, DebitStatements& oDebList);

    int32_t Mode() const { return m_mode; }
    int32_t PrintType() const { return m_printType; }
    bool Printing() const { return m_printing; }

    QGroupBox* FraPrintWhat(int mode) const { return m_fraPrintWhat.at(mode - 1); }
    QRadioButton* OptWhatToPrintVq3(int index) const { return m_optVq3.at(index); }
    QRadioButton* OptWhatToPrintVq7(int index) const { return m_optVq7.at(index); }
    QRadioButton* OptWhatToPrintDeb(int index) const { return m_optDeb.at(index); }
    QComboBox* CboVq7Selection() const { return m_cboVq7Selection; }
    QLabel* LblPrinterName() const { return m_lblPrinterName; }
    QPushButton* CmdOk() const { return m_cmdOk; }
    QPushButton* CmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdChangePrinter() const { return m_cmdChangePrinter; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdChangePrinter_Click();
    void optWhatToPrintVq7_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlacePeriodList();
    void ShowFrame(int32_t mode);
    int32_t ChosenPrintType() const;
    void PrintSelection();
    void EnableChoiceControls();
    void PrintingProgress(int32_t eProgress, const QString& title, int32_t rowsToPrint, int32_t rowBeingPrinted,
                          bool& cancelPrinting);
    std::vector<std::shared_ptr<VQ3>> GetEnquiriesToPrint();
    std::vector<std::shared_ptr<VQ7>> GetResponsesToPrint();
    std::vector<std::shared_ptr<DebitStatement>> GetStatementsToPrint();
    // The print done by `print` as a log run under the process code: its
    // two lines, then a line for each file printed to.
    void LogRun(const QString& processCode, int32_t count, const std::function<void()>& print);
    void ShowCurrentPrinter();

    std::array<QGroupBox*, 3> m_fraPrintWhat{};
    std::array<QRadioButton*, 2> m_optVq3{};
    std::array<QRadioButton*, 5> m_optVq7{};
    std::array<QRadioButton*, 3> m_optDeb{};
    QComboBox* m_cboVq7Selection;
    QLabel* m_lblPrinterName;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    QPushButton* m_cmdChangePrinter;
    QLabel* m_picLogo;

    int32_t m_mode = 0;
    int32_t m_printType = 0;
    int32_t m_periodIndex = -1;
    bool m_printing = false;

    std::shared_ptr<VQ3> m_currentVq3;
    VQ3Enquiries* m_vq3List = nullptr;
    std::shared_ptr<VQ7> m_currentVq7;
    VQ7Responses* m_vq7List = nullptr;
    std::shared_ptr<DebitStatement> m_currentDeb;
    DebitStatements* m_debList = nullptr;

    CanvasMaker m_makeCanvas;
    PrinterCatalog* m_printers = nullptr;
    std::unique_ptr<PrinterCatalog> m_ownPrinters;
    std::unique_ptr<ReportCanvas> m_canvas;
    std::unique_ptr<PrinterOfData> mobjMyPrinter;
};
