#include "screens/admin/frmJuxClient.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/CommonDialogs.h"
#include "core/DiskFunctions.h"
#include "core/Utils.h"
#include "core/qt/FormWidgets.h"
#include "database/CDataBase.h"
#include "database/DatabasePassword.h"
#include "database/SysParameters.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/common/WrappedOption.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QLabel* Text(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

void Inform(const QString& message)
{
    TellUser(message, QString(), MsgBox::Information);
}

// The path with its folder resolved (links and "..", as opening it does)
// and its own name kept.
QString AbsoluteFilePath(const QString& path)
{
    const QFileInfo file(ToForwardSlashes(path));
    const QString folder = file.absoluteDir().canonicalPath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}

// Two spellings of one existing file: links followed.
bool IsSameFile(const QString& one, const QString& other)
{
    const QString canonical = QFileInfo(ToForwardSlashes(one)).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(ToForwardSlashes(other)).canonicalFilePath();
}
} // namespace

frmJuxClient::frmJuxClient(QWidget* parent)
    : QDialog(parent), m_txtDatabaseLocation(new QLineEdit(this)),
      m_lblServerLocation(Text(QStringLiteral("lblServerLocation"), QStringLiteral("SERVER Database"), this)),
      m_cmdBrowse(new QPushButton(QStringLiteral("..."), this)),
      m_cmdTestConnection(new QPushButton(QStringLiteral("Test Connection"), this)),
      m_cmdOk(new QPushButton(QStringLiteral("Continue"), this))
{
    setObjectName(QStringLiteral("frmJuxClient"));
    setWindowTitle(QStringLiteral("CLIENT DATABASE PATH"));
    m_txtDatabaseLocation->setObjectName(QStringLiteral("txtDatabaseLocation"));
    m_cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    m_cmdBrowse->setToolTip(QStringLiteral("Browse for database"));
    m_cmdTestConnection->setObjectName(QStringLiteral("cmdTestConnection"));
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);

    const QString captions[3] = {
        QStringLiteral("STANDALONE.  More than one person can use the program but the program will "
                       "only be installed on one computer."),
        QStringLiteral("SERVER.  Other installations will share the database.  This installation "
                       "will be the one that communicates with the NEVIX service.  This installation "
                       "must be done before any CLIENT installations."),
        QStringLiteral("CLIENT.  Use the database of a server already installed on your network.  "
                       "Client installations cannot send or receive data from the Nevix Service."),
    };
    auto* frame = new QGroupBox(QStringLiteral("Client and Database Location"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 3; ++i) {
        QRadioButton* option =
            AddWrappedOption(*frameLayout, QStringLiteral("optInstalMode%1").arg(i + 1), captions[i], frame);
        m_options[size_t(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { ShowDatabaseControls(i == 2); });
    }
    m_options[0]->setChecked(true);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_lblServerLocation);
    pathRow->addWidget(m_txtDatabaseLocation, 1);
    pathRow->addWidget(m_cmdBrowse);
    frameLayout->addLayout(pathRow);
    frameLayout->addWidget(m_cmdTestConnection, 0, Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text(QStringLiteral("Label1"),
                           QStringLiteral("This program can be used  either independently (as "
                                          "standalone) or with other installs (as server and client)."),
                           this));
    layout->addWidget(Text(QStringLiteral("Label2"),
                           QStringLiteral("Normally it would be used as standalone, but if you wish to "
                                          "use it with other installs, only the server install can "
                                          "communicate with the NEVIX service.  All the installs must "
                                          "share the same database."),
                           this));
    layout->addWidget(frame);
    layout->addWidget(Text(QStringLiteral("Label4"),
                           QStringLiteral("You can change this configuration later if you need to."),
                           this));
    layout->addWidget(m_cmdOk, 0, Qt::AlignRight);
    setMinimumWidth(520);

    ShowDatabaseControls(false);
    m_txtDatabaseLocation->installEventFilter(this);
    connect(m_cmdBrowse, &QPushButton::clicked, this, &frmJuxClient::cmdBrowse_Click);
    connect(m_cmdTestConnection, &QPushButton::clicked, this, &frmJuxClient::cmdTestConnection_Click);
    connect(m_cmdOk, &QPushButton::clicked, this, &frmJuxClient::cmdOk_Click);
}

void frmJuxClient::InitialiseForm(bool bAllowClientConfigOnly)
{
    if (!bAllowClientConfigOnly)
        return;
    m_options[0]->setEnabled(false);
    m_options[1]->setEnabled(false);
    m_options[2]->setChecked(true);
    ShowDatabaseControls(true);
}

void frmJuxClient::ShowDatabaseControls(bool shown)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_txtDatabaseLocation, m_lblServerLocation,
                                                      m_cmdBrowse, m_cmdTestConnection})
        w->setVisible(shown);
}

void frmJuxClient::cmdBrowse_Click()
{
    const QString nul(QChar(0));
    const QString filter = QStringLiteral("Nevix Database") + nul + QStringLiteral("Nevix.MDB") + nul +
                           QStringLiteral("All databases") + nul + QStringLiteral("*.mdb") + nul;
    const QString current = m_txtDatabaseLocation->text();
    const QString chosen = ShowOpenFileDialog(windowTitle(), QStringLiteral("Browse for database"),
                                              GetFolderFromPath(current), filter);
    if (!chosen.isEmpty())
        m_txtDatabaseLocation->setText(chosen);
}

void frmJuxClient::cmdTestConnection_Click()
{
    TestDatabaseConnection(true);
}

bool frmJuxClient::TestDatabaseConnection(bool showSuccess)
{
    m_txtDatabaseLocation->setText(m_txtDatabaseLocation->text().trimmed());
    const QString path = m_txtDatabaseLocation->text();
    if (path.isEmpty()) {
        Inform(QStringLiteral("You must specify a database."));
        return false;
    }
    if (!FileExists(path)) {
        Inform(QStringLiteral("You must specify a valid NEVIX database."));
        return false;
    }
    // Tested and stored as one absolute path: a relative one would later
    // be read against another working folder.
    const QString absolute = AbsoluteFilePath(path);
    CDataBase connection;
    connection.SetConnectionParams(AppRelativePath(Settings().Database()),
                                   QStringLiteral("Microsoft.Jet.OLEDB.4.0"), GetDbPassword(),
                                   QString(), QString());
    // Letter case does not make another database, nor does a link.
    const QString current = AbsoluteFilePath(connection.Source());
    if (current.compare(absolute, Qt::CaseInsensitive) == 0 || IsSameFile(current, absolute)) {
        Inform(QStringLiteral("You cannot connect to the database you are already using."));
        return false;
    }
    connection.SetSource(absolute);
    SysParameters parameters;
    try {
        connection.Connect();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to connect to the database that you specified."),
                        e.Description());
        return false;
    }
    try {
        parameters.SetDataSource(&connection);
        parameters.Load();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to read database system information - is this an "
                                       "older version of the database ?."),
                        e.Description());
        return false;
    }
    const bool setUp = parameters.IsSetupComplete();
    m_testedPath = absolute;
    if (!setUp)
        TellUserWarning(QStringLiteral("The database has not been setup yet."),
                        QStringLiteral("Install this program as a SERVER first and then add the CLIENT programs"));
    if (showSuccess)
        Inform(QStringLiteral("Connected successfully."));
    return setUp;
}

void frmJuxClient::cmdOk_Click()
{
    m_installMode = 0;
    for (int i = 0; i < 3; ++i) {
        if (m_options[size_t(i)]->isChecked())
            m_installMode = i + 1;
    }
    ApplicationSettings& settings = Settings();
    if (m_installMode == InstallMode::Client) {
        if (m_txtDatabaseLocation->text().trimmed().isEmpty()) {
            Inform(QStringLiteral("You must enter the path and filename of the database this program "
                                  "is going to share"));
            return;
        }
        if (!TestDatabaseConnection(false))
            return;
        settings.SetDatabase(m_testedPath);
    }
    settings.SetProgramInstallMode(static_cast<int16_t>(m_installMode));
    // The choice holds for this run even when it could not be saved.
    settings.ApplyOrWarn();
    m_closingFromCode = true;
    hide();
}

void frmJuxClient::closeEvent(QCloseEvent* event)
{
    if (m_closingFromCode || !isVisible()) {
        event->accept();
        return;
    }
    const int16_t answer = AskUser(QStringLiteral("If you do not select a type of install the setup process will end"),
                                   QStringLiteral("Do you want to end the setup?"), MsgBox::YesNo,
                                   MsgBox::AnswerNo);
    if (answer != MsgBox::AnswerYes) {
        event->ignore();
        return;
    }
    m_installMode = 0;
    event->accept();
}

void frmJuxClient::reject()
{
    close();
}

bool frmJuxClient::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtDatabaseLocation && event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, m_txtDatabaseLocation, [box = m_txtDatabaseLocation] { HighlightTextOnFocus(*box); });
    }
    return QDialog::eventFilter(watched, event);
}
