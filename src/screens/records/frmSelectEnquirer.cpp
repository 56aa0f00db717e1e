#include "screens/records/frmSelectEnquirer.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/AskTellUser.h"
#include "database/ErrorPersist.h"
#include "platform/UserInteraction.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The handlers report their own failures and return.
template <typename Action>
void Reported(const char* procedure, Action action)
{
    try {
        action();
    } catch (...) {
        ErrorPersist error;
        error.Load();
        TellUser(QLatin1String(procedure), error.Description(), MsgBox::Information);
    }
}

} // namespace

frmSelectEnquirer::frmSelectEnquirer(QWidget* parent)
    : QDialog(parent), m_lblCaption(new QLabel(this)), m_lstEnquirers(new QListWidget(this)),
      m_cmdOk(new QPushButton(QStringLiteral("&Ok"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmSelectEnquirer"));
    setWindowTitle(QStringLiteral("SELECT ENQUIRER"));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial")));
    m_lblCaption->setObjectName(QStringLiteral("lblCaption"));
    m_lstEnquirers->setObjectName(QStringLiteral("lstEnquirers"));
    m_lstEnquirers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    const char* notes[] = {
        "Enquiries in the file that you are importing which HAVE Enquirers, will be imported for those Enquirers",
        "Enquiries in the file that you are importing which DO NOT HAVE Enquirers, will be imported as the "
        "Enquirer you select now"};
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblCaption);
    // The list takes the room the notes leave when they are hidden.
    layout->addWidget(m_lstEnquirers, 1);
    for (int i = 0; i < 2; ++i) {
        m_lblImportNote[i] = new QLabel(QLatin1String(notes[i]), this);
        m_lblImportNote[i]->setObjectName(QStringLiteral("lblImportNote%1").arg(i));
        m_lblImportNote[i]->setWordWrap(true);
        layout->addWidget(m_lblImportNote[i]);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);
    setMinimumWidth(400);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmSelectEnquirer::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSelectEnquirer::cmdCancel_Click);
    connect(m_lstEnquirers, &QListWidget::itemDoubleClicked, this, &frmSelectEnquirer::lstEnquirers_DblClick);
}

void frmSelectEnquirer::SetForImport()
{
    Reported("SetForImport", [this] {
        m_lblCaption->setText(QStringLiteral("Select the Enquirer you want to import data for"));
        LoadList();
    });
}

void frmSelectEnquirer::SetForExport()
{
    Reported("SetForExport", [this] {
        for (QLabel* note : m_lblImportNote)
            note->setVisible(false);
        m_lblCaption->setText(QStringLiteral("Select the Enquirer you want to export data for"));
        LoadList();
    });
}

void frmSelectEnquirer::LoadList()
{
    Reported("LoadList", [this] {
        m_lstEnquirers->clear();
        m_offered.clear();
        m_chosenId.clear();
        const std::shared_ptr<User> user = GetCurrentUser();
        if (user) {
            for (const auto& enquirer : *user->Enquirers()) {
                if (m_done.contains(enquirer->EnquirerId(), Qt::CaseInsensitive))
                    continue;
                m_lstEnquirers->addItem(enquirer->Name());
                m_offered.append(enquirer->EnquirerId());
            }
        }
        if (m_lstEnquirers->count() > 0)
            m_lstEnquirers->setCurrentRow(0);
        m_cmdOk->setEnabled(m_lstEnquirers->count() > 0);
    });
}

void frmSelectEnquirer::TakeSelected()
{
    const int row = m_lstEnquirers->currentRow();
    if (row >= 0 && row < m_offered.size()) {
        m_chosenId = m_offered.at(row);
        m_done.append(m_chosenId);
    }
    hide();
}

void frmSelectEnquirer::cmdOk_Click()
{
    Reported("cmdOk_Click", [this] { TakeSelected(); });
}

void frmSelectEnquirer::lstEnquirers_DblClick()
{
    Reported("lstEnquirers_DblClick", [this] { TakeSelected(); });
}

void frmSelectEnquirer::cmdCancel_Click()
{
    Reported("cmdCancel_Click", [this] { hide(); });
}

void frmSelectEnquirer::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Reported("Form_QueryUnload", [this] { hide(); });
}

void frmSelectEnquirer::reject()
{
    cmdCancel_Click();
}
