#pragma once

#include "screens/common/EnquirerSetupForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

// The smallest window offering the shared enquirer and user controls.
class EnquirerTestForm : public QWidget, public EnquirerSetupForm {
public:
    EnquirerTestForm()
        : m_cboEnquirer(new QComboBox(this)), m_lblEnquirerName(new QLabel(this)),
          m_chkIsDefaultEnquirer(new QCheckBox(this)), m_lblEnquirerId(new QLabel(this)),
          m_lblIntermediaryId(new QLabel(this)), m_frmEnqFolders(new QWidget(this)),
          m_txtEnqFolder{new QLineEdit(m_frmEnqFolders), new QLineEdit(m_frmEnqFolders)},
          m_cboReasonForEnquiry(new QComboBox(this)), m_lblDefaultReason(new QLabel(this)),
          m_lstUsers(new QListWidget(this))
    {
        setWindowTitle(QStringLiteral("Admin Functions"));
    }

    QWidget* FormWindow() const override { return const_cast<EnquirerTestForm*>(this); }
    QComboBox* cboEnquirer() const override { return m_cboEnquirer; }
    QLabel* lblEnquirerName() const override { return m_lblEnquirerName; }
    QCheckBox* chkIsDefaultEnquirer() const override { return m_chkIsDefaultEnquirer; }
    QLabel* lblEnquirerId() const override { return m_lblEnquirerId; }
    QLabel* lblIntermediaryId() const override { return m_lblIntermediaryId; }
    QLineEdit* txtEnqFolder(int index) const override { return m_txtEnqFolder[index]; }
    QWidget* frmEnqFolders() const override { return m_frmEnqFolders; }
    QComboBox* cboReasonForEnquiry() const override { return m_cboReasonForEnquiry; }
    QLabel* lblDefaultReason() const override { return m_lblDefaultReason; }
    QListWidget* lstUsers() const override { return m_lstUsers; }

    bool Shows(const QWidget* control) const { return control->isVisibleTo(this); }

private:
    QComboBox* m_cboEnquirer;
    QLabel* m_lblEnquirerName;
    QCheckBox* m_chkIsDefaultEnquirer;
    QLabel* m_lblEnquirerId;
    QLabel* m_lblIntermediaryId;
    QWidget* m_frmEnqFolders;
    QLineEdit* m_txtEnqFolder[2];
    QComboBox* m_cboReasonForEnquiry;
    QLabel* m_lblDefaultReason;
    QListWidget* m_lstUsers;
};
