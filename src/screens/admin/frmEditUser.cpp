#include "screens/admin/frmEditUser.h"

#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "accounts/UserGroup.h"
#include "accounts/UserGroups.h"
#include "accounts/Users.h"
#include "accounts/Validation.h"
#include "core/AskTellUser.h"
#include "database/CDataBase.h"
#include "database/InTransaction.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/common/HelpButton.h"
#include "screens/common/SelectOnFocus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString AutoExecuteUser = QStringLiteral("AUTOEXECUTE");
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

struct GroupOption {
    const char* caption;
    const QString& group;
};

const GroupOption GroupOptions[] = {
    {"System Administrators (users in this group cannot be edited or deleted)", GroupNames::SystemUsers},
    {"Administrators (users in this group can do everything in the program)", GroupNames::Administrators},
    {"Managers (users can enter data, send/receive data but cannot change the program's settings)",
     GroupNames::Managers},
    {"Normal Users (users can enter data but cannot send/receive data or  change the program's "
     "settings)",
     GroupNames::NormalUsers},
};

QLineEdit* TextBox(const char* name, int maxLength, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    return box;
}

// The group named by an option's tag.
QString TagOf(const QRadioButton* option)
{
    return option->property("Tag").toString();
}
} // namespace

frmEditUser::frmEditUser(QWidget* parent)
    : QDialog(parent), m_txtUserName(TextBox("txtUserName", 15, this)),
      m_txtPassword(TextBox("txtPassword", 15, this)),
      m_chkShowPassword(new QCheckBox(QStringLiteral("Show password"), this)),
      m_lblPasswordRule(new QLabel(PasswordRuleText(), this)),
      m_txtDescription(TextBox("txtDescription", 50, this)), m_cboEnabled(new QComboBox(this)),
      m_lblEnabledUserWarning(new QLabel(QStringLiteral("Disabled users cannot log on"), this)),
      m_lstEnquirers(new QListWidget(this)), m_cmdOk(new QPushButton(QStringLiteral("&Save"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmEditUser"));
    setWindowTitle(QStringLiteral("EDIT USER"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    m_lblPasswordRule->setObjectName(QStringLiteral("lblPasswordRule"));
    m_lblPasswordRule->setWordWrap(true);
    m_lblPasswordRule->setVisible(false);
    m_cboEnabled->setObjectName(QStringLiteral("cboEnabled"));
    m_cboEnabled->addItems({Yes, No});
    m_lblEnabledUserWarning->setObjectName(QStringLiteral("lblEnabledUserWarning"));
    m_lstEnquirers->setObjectName(QStringLiteral("lstEnquirers"));
    m_lstEnquirers->setSelectionMode(QAbstractItemView::MultiSelection);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* details = new QGroupBox(QStringLiteral("User's Details"), this);
    details->setObjectName(QStringLiteral("fraDetails"));
    auto* form = new QFormLayout(details);
    form->addRow(QStringLiteral("User Name"), m_txtUserName);
    form->addRow(QStringLiteral("Password"), m_txtPassword);
    form->addRow(QString(), m_chkShowPassword);
    form->addRow(QString(), m_lblPasswordRule);
    form->addRow(QStringLiteral("Description"), m_txtDescription);
    auto* enabled = new QHBoxLayout;
    enabled->addWidget(m_cboEnabled);
    enabled->addWidget(m_lblEnabledUserWarning, 1);
    form->addRow(QStringLiteral("Enabled"), enabled);

    auto* groups = new QGroupBox(QStringLiteral("The user is in this user group"), this);
    groups->setObjectName(QStringLiteral("fraGroups"));
    auto* groupLayout = new QVBoxLayout(groups);
    for (size_t i = 0; i < m_optUGroup.size(); ++i) {
        auto* option = new QRadioButton(QLatin1String(GroupOptions[i].caption), groups);
        option->setObjectName(QStringLiteral("optUGroup%1").arg(i));
        option->setProperty("Tag", GroupOptions[i].group);
        groupLayout->addWidget(option);
        m_optUGroup[i] = option;
    }

    auto* enquirers = new QGroupBox(QStringLiteral("Enquirers"), this);
    enquirers->setObjectName(QStringLiteral("fraEnquirers"));
    auto* enquirerLayout = new QVBoxLayout(enquirers);
    enquirerLayout->addWidget(m_lstEnquirers);
    auto* note = new QLabel(
        QStringLiteral("This user can only deal with Enquiries and Responses from the ticked Enquirers"),
        enquirers);
    note->setWordWrap(true);
    enquirerLayout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details);
    layout->addWidget(groups);
    layout->addWidget(enquirers);
    layout->addLayout(buttons);

    for (QLineEdit* box : {m_txtUserName, m_txtPassword, m_txtDescription})
        SelectTextOnFocus(*box);
    connect(m_chkShowPassword, &QCheckBox::toggled, this, [this](bool shown) {
        m_txtPassword->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        m_lblPasswordRule->setVisible(shown);
    });
    connect(m_lstEnquirers, &QListWidget::itemSelectionChanged, this, [this] {
        for (int row = 0; row < m_lstEnquirers->count(); ++row) {
            QListWidgetItem* item = m_lstEnquirers->item(row);
            item->setCheckState(item->isSelected() ? Qt::Checked : Qt::Unchecked);
        }
    });
    connect(m_cmdOk, &QPushButton::clicked, this, &frmEditUser::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmEditUser::cmdCancel_Click);
    HideHelpButton(*this, HelpTopics::UserEditor);
}

frmEditUser::~frmEditUser() = default;

CDataBase& frmEditUser::Connection() const
{
    CDataBase* db = m_user ? m_user->DataSource() : nullptr;
    if (!db)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No data source"),
                         QStringLiteral("frmEditUser"));
    return *db;
}

void frmEditUser::SetEnquirers(std::shared_ptr<Enquirers> oEnquirers)
{
    m_enquirers = std::move(oEnquirers);
    m_lstEnquirers->clear();
    if (!m_enquirers)
        return;
    for (const auto& enquirer : *m_enquirers) {
        auto* row = new QListWidgetItem(enquirer->Name() + QStringLiteral(" (") + enquirer->EnquirerId() + u')',
                                        m_lstEnquirers);
        // The tick shows the row's selection; a click or the space bar
        // changes both together.
        row->setFlags(row->flags() & ~Qt::ItemIsUserCheckable);
        row->setCheckState(Qt::Unchecked);
    }
}

void frmEditUser::SetUser(std::shared_ptr<User> oUser)
{
    m_user = std::move(oUser);
    InTransaction(Connection(), [this] { FillFromUser(); });
}

void frmEditUser::FillFromUser()
{
    CDataBase& db = Connection();
    if (!m_user->IsNew())
        m_user->Load();

    UserGroup administrators;
    administrators.SetDataSource(&db);
    administrators.LoadByName(GroupNames::Administrators);
    const auto enabledAdmins = administrators.Users(true);
    m_onlyEnabledAdmin = enabledAdmins->Count() == 1 && !m_user->UserId().isEmpty() &&
                         enabledAdmins->Item(1)->UserId() == m_user->UserId();

    UserGroups groups;
    groups.SetDataSource(&db);
    groups.Load();

    m_txtUserName->setText(m_user->UserName());
    m_txtPassword->setText(m_user->Password());
    m_txtDescription->setText(m_user->Description());
    m_cboEnabled->setCurrentIndex(m_user->Enabled() ? 0 : 1);

    const auto ownGroups = m_user->UserGroups();
    QString ownGroupId;
    if (ownGroups->Count() == 1)
        ownGroupId = ownGroups->Item(1)->ID();
    for (QRadioButton* option : m_optUGroup) {
        const auto group = groups.Find(TagOf(option));
        const bool selected = ownGroupId.isEmpty()
                                  ? TagOf(option) == GroupNames::NormalUsers
                                  : group && group->ID() == ownGroupId;
        option->setChecked(selected);
    }
    m_optUGroup[0]->setEnabled(false);

    if (m_onlyEnabledAdmin) {
        m_lblEnabledUserWarning->setText(
            QStringLiteral("This is the only enabled Admin user so it cannot be disabled"));
        m_cboEnabled->setEnabled(false);
        for (size_t i = 1; i < m_optUGroup.size(); ++i)
            m_optUGroup[i]->setEnabled(false);
    }

    m_txtPassword->setEnabled(m_user->CanChangePassword());
    m_chkShowPassword->setEnabled(m_user->UserName().compare(AutoExecuteUser, Qt::CaseInsensitive) != 0);

    if (m_optUGroup[0]->isChecked()) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{m_cmdOk, m_txtUserName, m_txtPassword, m_lstEnquirers, m_cboEnabled})
            control->setEnabled(false);
        m_txtDescription->setReadOnly(true);
    }

    const auto ownEnquirers = m_user->Enquirers();
    for (int row = 0; row < m_lstEnquirers->count(); ++row) {
        const auto enquirer = m_enquirers->Item(row + 1);
        m_lstEnquirers->item(row)->setSelected(ownEnquirers->Exists(enquirer->EnquirerId()));
    }
}

bool frmEditUser::Invalid(const QString& message, QWidget* focus, bool warning)
{
    if (warning)
        TellUserWarning(message, QString());
    else
        TellUser(message, QString(), MsgBox::Information);
    if (focus)
        focus->setFocus();
    return false;
}

bool frmEditUser::ValidateUserEntry()
{
    const QString name = TrimSpaces(m_txtUserName->text());
    if (name.isEmpty())
        return Invalid(QStringLiteral("User Name cannot be blank."), m_txtUserName);
    // Every user's name must be free, a renamed one's too: the logon finds
    // a user by name alone.
    User sameName;
    sameName.SetDataSource(&Connection());
    sameName.LoadByUserName(name);
    if (!sameName.IsNew() && sameName.UserId() != m_user->UserId())
        return Invalid(QStringLiteral("This user name is already being used."), m_txtUserName);
    if (TrimSpaces(m_txtPassword->text()).isEmpty())
        return Invalid(QStringLiteral("Password cannot be blank."), m_txtPassword);
    if (const QString rule = ValidateNevixPassword(m_txtPassword->text()); !rule.isEmpty())
        return Invalid(rule, m_txtPassword, true);
    if (TrimSpaces(m_txtDescription->text()).isEmpty())
        return Invalid(QStringLiteral("Description cannot be blank."), m_txtDescription);
    if (m_lstEnquirers->selectedItems().isEmpty())
        return Invalid(QStringLiteral("The user must be able to deal with at least one enquirer."),
                       m_lstEnquirers);
    if (m_onlyEnabledAdmin) {
        if (m_cboEnabled->currentText() == No)
            return Invalid(QStringLiteral("You cannot disable the only Admin user"), nullptr);
        if (!m_optUGroup[1]->isChecked())
            return Invalid(QStringLiteral("You cannot change the group of the only Admin user"), nullptr);
    }
    return true;
}

void frmEditUser::cmdOk_Click()
{
    try {
        if (!ValidateUserEntry())
            return;
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to save the user because:"), e.Description());
        return;
    }
    // A failed save leaves the user as it was before, the window open with
    // the entries as typed, and no transaction open.
    const auto before = m_user->SaveState();
    try {
        InTransaction(Connection(), [this] { Save(); });
    } catch (const NevixError& e) {
        m_user->RestoreState(*before);
        TellUserWarning(QStringLiteral("Unable to save the user because:"), e.Description());
        return;
    }
    accept();
}

void frmEditUser::Save()
{
    if (m_user->IsNew() && m_user->UserId().isEmpty())
        m_user->CreatePersistableId();
    m_user->SetUserName(TrimSpaces(m_txtUserName->text()));
    m_user->SetPassword(TrimSpaces(m_txtPassword->text()));
    m_user->SetDescription(TrimSpaces(m_txtDescription->text()));
    m_user->SetEnabled(m_cboEnabled->currentText() == Yes);
    SaveGroups();
    SaveEnquirers();
    m_user->Apply();
}

void frmEditUser::SaveGroups()
{
    const auto ownGroups = m_user->UserGroups();
    for (QRadioButton* option : m_optUGroup) {
        const QString name = TagOf(option);
        const bool member = ownGroups->Find(name) != nullptr;
        if (option->isChecked() == member)
            continue;
        UserGroup group;
        group.SetDataSource(&Connection());
        group.LoadByName(name);
        if (option->isChecked())
            group.AddUser(*m_user);
        else
            group.RemoveUser(*m_user);
    }
    m_user->SetUserGroups(nullptr);
}

void frmEditUser::SaveEnquirers()
{
    auto chosen = std::make_shared<Enquirers>();
    chosen->SetDataSource(&Connection());
    for (int row = 0; row < m_lstEnquirers->count(); ++row) {
        if (m_lstEnquirers->item(row)->isSelected())
            chosen->Add(m_enquirers->Item(row + 1));
    }
    m_user->ReplaceEnquirers(chosen);
}

void frmEditUser::cmdCancel_Click()
{
    reject();
}

void frmEditUser::reject()
{
    // Esc and the title bar's close come here too.
    if (m_user)
        m_user->CancelEdit();
    QDialog::reject();
}

void frmEditUser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        ShowHelpTopic(HelpTopics::UserEditor);
        return;
    }
    QDialog::keyPressEvent(event);
}

void EditUserInWindow(QWidget* owner, const std::shared_ptr<Enquirers>& enquirers,
                      const std::shared_ptr<User>& user)
{
    frmEditUser editor(owner);
    if (owner)
        editor.setWindowIcon(owner->windowIcon());
    editor.SetEnquirers(enquirers);
    editor.SetUser(user);
    editor.exec();
}
