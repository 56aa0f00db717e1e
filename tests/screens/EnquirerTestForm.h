#pragma once

#include "screens/common/EnquirerSetupForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

// The smallest window offering the shared enquirer and user controls.
class EnquirerTestForm : public QWidget, public EnquirerSetupForm {
public:
    EnquirerTestForm() { setWindowTitle(QStringLiteral("Admin Functions")); }

    QWidget* FormWindow() const override { return const_cast<EnquirerTestForm*>(this); }
    QComboBox* cboEnquirer() const override { return m_cboEnquirer; }
    QLabel* lblEnquirerName() const override { return m_lblEnquirerName; }
    QCheckBox* chkIsDefaultEnquirer() const override { return m_chkIsDefault; }
    QLabel* lblEnquirerId() const override { return m_lblEnquirerId; }
    QLabel* lblIntermediaryId() const override { return m_lblIntermediaryId; }
    QLineEdit* txtEnqFolder(int index) const override { return m_txtEnqFolder[index]; }
    QWidget* frmEnqFolders() const override { return m_frmEnqFolders; }
    QComboBox* cboReasonForEnquiry() const override { return m_cboReason; }
    QLabel* lblDefaultReason() const override { return m_lblDefaultReason; }
    QListWidget* lstUsers() const override { return m_lstUsers; }

    bool Shows(const QWidget* control) const { return control->isVisibleTo(this); }

private:
    QComboBox* m_cboEnquirer = new QComboBox(this);
    QLabel* m_lblEnquirerName = new QLabel(this);
    QCheckBox* m_chkIsDefault = new QCheckBox(this);
    QLabel* m_lblEnquirerId = new QLabel(this);
    QLabel* m_lblIntermediaryId = new QLabel(this);
    QWidget* m_frmEnqFolders = new QWidget(this);
    QLineEdit* m_txtEnqFolder[2] = {new QLineEdit(m_frmEnqFolders), new QLineEdit(m_frmEnqFolders)};
    QComboBox* m_cboReason = new QComboBox(this);
    QLabel* m_lblDefaultReason = new QLabel(this);
    QListWidget* m_lstUsers = new QListWidget(this);
};
