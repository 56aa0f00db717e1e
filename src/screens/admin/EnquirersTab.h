#pragma once

#include <QGroupBox>

#include <array>
#include <memory>

class Enquirer;
class EnquirerSetupForm;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ParametersData;

// The parameters screen's "Enquirers" frame: the enquirers with their
// reasons, the default enquirer and reasons, the import and export
// folders (held in memory until the screen's save), the download of the
// enquirers from the service and the date-of-event limits. The shared
// enquirer routines fill its boxes through the form.
class EnquirersTab : public QGroupBox {
    Q_OBJECT
public:
    EnquirersTab(ParametersData& data, EnquirerSetupForm& form, QWidget* parent = nullptr);

    // The enquirer boxes from the window's enquirers.
    void Refill();
    // Stores the folder boxes' texts into the current enquirer, once the
    // boxes show it: what the boxes show is saved, left or not.
    void StoreFolders();

    QComboBox* cboEnquirer() const { return m_cboEnquirer; }
    QLabel* lblEnquirerName() const { return m_lblEnquirerName; }
    QLabel* lblEnquirerId() const { return m_lblEnquirerId; }
    QLabel* lblIntermediaryId() const { return m_lblIntermediaryId; }
    QCheckBox* chkIsDefaultEnquirer() const { return m_chkIsDefaultEnquirer; }
    QComboBox* cboReasonForEnquiry() const { return m_cboReasonForEnquiry; }
    QLabel* lblDefaultReason() const { return m_lblDefaultReason; }
    QGroupBox* frmEnqFolders() const { return m_frmEnqFolders; }
    QLineEdit* txtEnqFolder(int index) const { return m_txtEnqFolder.at(size_t(index)); }
    QPushButton* cmdBrowse(int index) const { return m_cmdBrowse.at(size_t(index)); }
    QPushButton* cmdGetEnquirersFromNevix() const { return m_cmdGetEnquirersFromNevix; }
    QPushButton* cmdShowDoeCutOff() const { return m_cmdShowDoeCutOff; }

public slots:
    void cboEnquirer_Click();
    void chkIsDefaultEnquirer_Click();
    void cboReasonForEnquiry_Click();
    // Stores the folder box's text into the current enquirer.
    void txtEnqFolder_LostFocus(int index);
    void cmdBrowse_Click(int index);
    void cmdGetEnquirersFromNevix_Click();
    void cmdShowDoeCutOff_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The only enquirer, else the one selected; none when there is none.
    std::shared_ptr<Enquirer> CurrentEnquirer() const;
    void DownloadEnquirers();

    ParametersData& m_data;
    EnquirerSetupForm& m_form;
    bool m_filled = false;
    QComboBox* m_cboEnquirer;
    QLabel* m_lblEnquirerName;
    QLabel* m_lblEnquirerId;
    QLabel* m_lblIntermediaryId;
    QCheckBox* m_chkIsDefaultEnquirer;
    QComboBox* m_cboReasonForEnquiry;
    QLabel* m_lblDefaultReason;
    QGroupBox* m_frmEnqFolders;
    std::array<QLineEdit*, 2> m_txtEnqFolder{};
    std::array<QPushButton*, 2> m_cmdBrowse{};
    QPushButton* m_cmdGetEnquirersFromNevix;
    QPushButton* m_cmdShowDoeCutOff;
};
