#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SysParameters;

// The parameters screen's "NEVIX Client" frame: the company name, the
// export format and batch size, the start-up actions and the duplicate
// check. Written only by the screen's save.
class ClientTab : public QGroupBox {
    Q_OBJECT
public:
    explicit ClientTab(QWidget* parent = nullptr);

    // From the system parameters and the settings (bespoke format,
    // configuration version).
    void Fill(const SysParameters& parameters);
    // Shows the messages together as one warning; false when there were any.
    bool ValidateGeneral();
    // Puts the entries into the parameters (in memory); a number box that
    // holds no number raises an error naming it.
    void WriteTo(SysParameters& parameters) const;

    QLineEdit* txtPartyName() const { return m_txtPartyName; }
    QComboBox* cboExportFileFormat() const { return m_cboExportFileFormat; }
    QLineEdit* TxtBatchSize() const { return m_TxtBatchSize; }
    QCheckBox* chkImportVRMThatFail() const { return m_chkImportVRMThatFail; }
    QCheckBox* chkExcludeNEVIXDataInExport() const { return m_chkExcludeNEVIXDataInExport; }
    QCheckBox* ChkTrimAsterisk() const { return m_ChkTrimAsterisk; }
    QCheckBox* chkWriteFromLeft() const { return m_chkWriteFromLeft; }
    QCheckBox* chkCompactAtStatuo() const { return m_chkCompactAtStatuo; }
    QCheckBox* chkDoMainentanceAtStartup() const { return m_chkDoMainentanceAtStartup; }
    QLineEdit* txtDuplicateDays() const { return m_txtDuplicateDays; }
    QCheckBox* chkDuplicatesToPrint() const { return m_chkDuplicatesToPrint; }
    QCheckBox* chkDuplicatesToFile() const { return m_chkDuplicatesToFile; }
    QCheckBox* chkOnlyCurrentDuplicate() const { return m_chkOnlyCurrentDuplicate; }
    QLineEdit* txtDuplicateFileLocation() const { return m_txtDuplicateFileLocation; }
    QLabel* lblDuplicateFileLocation() const { return m_lblDuplicateFileLocation; }
    QPushButton* cmdBrowse2() const { return m_cmdBrowse2; }
    QLabel* lblConfigVersion() const { return m_lblConfigVersion; }

public slots:
    void chkDuplicatesToFile_Click();
    void cmdBrowse2_Click();

private:
    QLineEdit* m_txtPartyName;
    QComboBox* m_cboExportFileFormat;
    QLineEdit* m_TxtBatchSize;
    QCheckBox* m_chkImportVRMThatFail;
    QCheckBox* m_chkExcludeNEVIXDataInExport;
    QCheckBox* m_ChkTrimAsterisk;
    QCheckBox* m_chkWriteFromLeft;
    QCheckBox* m_chkCompactAtStatuo;
    QCheckBox* m_chkDoMainentanceAtStartup;
    QLineEdit* m_txtDuplicateDays;
    QCheckBox* m_chkDuplicatesToPrint;
    QCheckBox* m_chkDuplicatesToFile;
    QCheckBox* m_chkOnlyCurrentDuplicate;
    QLineEdit* m_txtDuplicateFileLocation;
    QLabel* m_lblDuplicateFileLocation;
    QPushButton* m_cmdBrowse2;
    QLabel* m_lblConfigVersion;
};
