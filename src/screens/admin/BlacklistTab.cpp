#include "screens/admin/BlacklistTab.h"

#include "core/AskTellUser.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/ParametersData.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* Button(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* Text(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

BlacklistTab::BlacklistTab(ParametersData& data, BlacklistEntryEditor editor, QWidget* parent)
    : QGroupBox(QStringLiteral("Vehicle Blacklist"), parent), m_data(data), m_editor(std::move(editor)),
      m_lstBlackList(new QListWidget(this)), m_cmdAdd2BL(Button("Add Vehicle", "cmdAdd2BL", this)),
      m_cmdRemoveBL(Button("Remove Vehicle", "cmdRemoveBL", this)),
      m_cmdEditBL(Button("Edit Vehicle", "cmdEditBL", this))
{
    setObjectName(QStringLiteral("fraParams3"));
    m_lstBlackList->setObjectName(QStringLiteral("lstBlackList"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdAdd2BL);
    buttons->addWidget(m_cmdEditBL);
    buttons->addWidget(m_cmdRemoveBL);
    buttons->addStretch();
    buttons->addWidget(Text("These changes come into effect immediately", this));
    auto* columns = new QHBoxLayout;
    columns->addWidget(m_lstBlackList, 1);
    columns->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text("Enquiries are not made to the DVLA for vehicles on the Vehicle Blacklist.  This can be "
                           "overridden when an enquiry is entered.  Vehicles can be put onto the vehicle blacklist "
                           "when a response from the DVLA has been received.",
                           this));
    layout->addLayout(columns, 1);

    connect(m_cmdAdd2BL, &QPushButton::clicked, this, &BlacklistTab::cmdAdd2BL_Click);
    connect(m_cmdEditBL, &QPushButton::clicked, this, &BlacklistTab::cmdEditBL_Click);
    connect(m_cmdRemoveBL, &QPushButton::clicked, this, &BlacklistTab::cmdRemoveBL_Click);
    connect(m_lstBlackList, &QListWidget::itemDoubleClicked, this, &BlacklistTab::cmdEditBL_Click);
    // Without an editor there is nothing to add or change with.
    m_cmdAdd2BL->setEnabled(bool(m_editor));
    m_cmdEditBL->setEnabled(bool(m_editor));
}

void BlacklistTab::RefreshBlackList()
{
    m_lstBlackList->clear();
    for (const auto& entry : m_data.blacklist) {
        if (!entry->IsDeleted())
            AddBlackListLine(*entry);
    }
    if (m_lstBlackList->count() > 0)
        m_lstBlackList->setCurrentRow(0);
}

void BlacklistTab::AddBlackListLine(const BlackListedVRM& entry)
{
    auto* line = new QListWidgetItem(entry.VRM() + u'\t' + entry.Reason().left(50), m_lstBlackList);
    line->setData(Qt::UserRole, entry.VRM());
}

std::shared_ptr<BlackListedVRM> BlacklistTab::SelectedBlackListEntry() const
{
    const QListWidgetItem* line = m_lstBlackList->currentItem();
    if (!line || !line->isSelected())
        return nullptr;
    return m_data.blacklist.Find(line->data(Qt::UserRole).toString().trimmed());
}

void BlacklistTab::cmdAdd2BL_Click()
{
    if (!m_editor)
        return;
    auto entry = std::make_shared<BlackListedVRM>();
    try {
        entry->SetDataSource(&m_data.db);
        entry->SetBlacklistedBy(m_data.userName);
        entry->SetBlacklistedOn(AppContext::Current().clock().Now());
        entry->EndSetDefaultsEdit();
        m_editor(window(), *entry, false, false);
        if (!entry->BeenApplied())
            return;
        if (m_data.blacklist.Exists(entry->VRM())) {
            TellUser(QStringLiteral("This VRM is already in the blacklist"), QString(), MsgBox::Information);
            return;
        }
        m_data.blacklist.Add(entry);
        try {
            m_data.blacklist.Apply();
        } catch (...) {
            // Not stored: a later write of the list must not store it either.
            m_data.blacklist.Remove(entry->VRM());
            throw;
        }
        AddBlackListLine(*entry);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error adding to blacklist:"), e.Description());
    }
}

void BlacklistTab::cmdEditBL_Click()
{
    if (!m_editor)
        return;
    try {
        const auto entry = SelectedBlackListEntry();
        if (!entry)
            return;
        m_editor(window(), *entry, false, false);
        if (!entry->BeenApplied())
            return;
        m_data.blacklist.Apply();
        RefreshBlackList();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to update the blacklist because:"), e.Description());
    }
}

void BlacklistTab::cmdRemoveBL_Click()
{
    try {
        const auto entry = SelectedBlackListEntry();
        if (!entry)
            return;
        if (AskUser(QStringLiteral("Delete ") + entry->VRM() + QStringLiteral(" from the blacklist?"), QString(),
                    MsgBox::YesNo, MsgBox::AnswerNo) != MsgBox::AnswerYes)
            return;
        entry->SetIsDeleted(true);
        try {
            m_data.blacklist.Apply();
        } catch (...) {
            // Not deleted: a later write of the list must not delete it.
            entry->SetIsDeleted(false);
            throw;
        }
        RefreshBlackList();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to delete from blacklist because:"), e.Description());
    }
}
