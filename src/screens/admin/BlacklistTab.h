#pragma once

#include "screens/records/frmEditBlackListVrm.h"

#include <QGroupBox>

#include <memory>

class BlackListedVRM;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct ParametersData;

// The parameters screen's "Vehicle Blacklist" frame: the marks for which no
// enquiry goes to the DVLA, each added, changed or removed at once.
class BlacklistTab : public QGroupBox {
    Q_OBJECT
public:
    BlacklistTab(ParametersData& data, BlacklistEntryEditor editor, QWidget* parent = nullptr);

    // Every entry not marked deleted, in the list's order; the first
    // selected.
    void RefreshBlackList();

    QListWidget* lstBlackList() const { return m_lstBlackList; }
    QPushButton* cmdAdd2BL() const { return m_cmdAdd2BL; }
    QPushButton* cmdRemoveBL() const { return m_cmdRemoveBL; }
    QPushButton* cmdEditBL() const { return m_cmdEditBL; }

public slots:
    void cmdAdd2BL_Click();
    void cmdEditBL_Click();
    void cmdRemoveBL_Click();

private:
    // The mark, a TAB and the first 50 characters of the reason.
    void AddBlackListLine(const BlackListedVRM& entry);
    std::shared_ptr<BlackListedVRM> SelectedBlackListEntry() const;

    ParametersData& m_data;
    BlacklistEntryEditor m_editor;
    QListWidget* m_lstBlackList;
    QPushButton* m_cmdAdd2BL;
    QPushButton* m_cmdRemoveBL;
    QPushButton* m_cmdEditBL;
};
