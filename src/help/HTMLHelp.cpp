#include "help/HTMLHelp.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/ProfileFile.h"
#include "help/HtmlHelpApi.h"
#include "platform/AppContext.h"

#include <QVariant>

namespace {
const QString RegistrySection = QStringLiteral("HTML Help");

void ShowBox(const QString& text, uint32_t style = MsgBox::Exclamation)
{
    // Unattended, no box may wait for a person: the message routine logs it.
    if (Settings().ProgramRunningMode() == RunningMode::Automatic)
        TellUser(text, QString(), style);
    else
        AppContext::Current().ui().ShowMessageBox(QStringLiteral("HTML Help Class"), text, style);
}

ProfileFile Registrations()
{
    return ProfileFile(AppContext::Current().programFolder() + QStringLiteral("/Nevix.INI"));
}

bool IsBareName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// The last component of a path written with either separator.
QString LastComponent(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString FolderOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut <= 0 ? path.left(1) : path.left(cut);
}
} // namespace

bool HTMLHelp::IsChmFile(const QString& name)
{
    if (name.right(3).compare(QStringLiteral("chm"), Qt::CaseInsensitive) == 0)
        return true;
    ShowBox(name + QStringLiteral(" is not a valid HTML Help file."));
    return false;
}

void HTMLHelp::Display(uint32_t command, const QVariant& data, intptr_t CallingForm)
{
    if (!IsChmFile(m_chmFile) || !EnsureFileExists(m_chmFile))
        return;
    const QString target = m_window.trimmed().isEmpty() ? m_chmFile : m_chmFile + QLatin1Char('>') + m_window;
    const intptr_t owner = m_showOnTop ? CallingForm : 0;
    m_wndHandle = HtmlHelp(owner, target, command, data);
}

void HTMLHelp::HHDisplayTopicURL(intptr_t CallingForm)
{
    Display(HH::DisplayTopic, m_topicUrl, CallingForm);
}

void HTMLHelp::HHDisplayTopicID(intptr_t CallingForm)
{
    Display(HH::HelpContext, m_topicId, CallingForm);
}

void HTMLHelp::HHDisplayContents(intptr_t CallingForm)
{
    Display(HH::DisplayToc, 0, CallingForm);
}

void HTMLHelp::HHClose()
{
    HtmlHelp(0, QString(), HH::CloseAll, 0);
}

bool HTMLHelp::EnsureFileExists(QString& FileToFind)
{
    if (IsBareName(FileToFind)) {
        HHCheckRegistry(FileToFind);
        FileToFind = m_regFileName.isEmpty()
                         ? AppContext::Current().programFolder() + QLatin1Char('/') + FileToFind
                         : m_regFilePath + QLatin1Char('/') + m_regFileName;
    }
    if (FileExists(FileToFind))
        return true;
    ShowBox(QStringLiteral("The file ") + FileToFind + QStringLiteral(" does not exist.") + QChar(10) +
            QStringLiteral("Please make sure the correct path and file name have been specified."));
    return false;
}

std::optional<bool> HTMLHelp::HHCheckRegistry(const QString& FileToCheck)
{
    if (FileToCheck.isEmpty())
        return std::nullopt;
    m_regFileExists = false;
    if (!IsChmFile(FileToCheck))
        return false;
    const QString name = LastComponent(FileToCheck);
    const ProfileFile registrations = Registrations();
    m_regFileName.clear();
    m_regFilePath.clear();
    for (const QString& key : registrations.Keys(RegistrySection)) {
        if (key.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        m_regFileName = key;
        m_regFilePath = registrations.Value(RegistrySection, key).value_or(QString());
        break;
    }
    if (m_regFileName.isEmpty())
        return false;
    QString registered = m_regFilePath + QLatin1Char('/') + m_regFileName;
    m_regFileExists = EnsureFileExists(registered);
    return m_regFileExists;
}

bool HTMLHelp::HHRegister(const QString& FileToRegister)
{
    if (IsBareName(FileToRegister)) {
        ShowBox(FileToRegister + QStringLiteral(" has no path: give the full path of the help file to register."));
        return false;
    }
    const QString name = LastComponent(FileToRegister);
    ProfileFile registrations = Registrations();
    if (registrations.Value(RegistrySection, name)) {
        ShowBox(name + QStringLiteral(" is already registered."), MsgBox::Information);
        return false;
    }
    if (!registrations.Write(RegistrySection, name, FolderOf(FileToRegister))) {
        ShowBox(QStringLiteral("Could not register ") + name + QStringLiteral(": ") + registrations.ErrorString(),
                MsgBox::Critical);
        return false;
    }
    return true;
}

bool HTMLHelp::HHUnRegister(const QString& FileToUnRegister)
{
    const QString name = LastComponent(FileToUnRegister);
    ProfileFile registrations = Registrations();
    if (!registrations.Value(RegistrySection, name)) {
        ShowBox(name + QStringLiteral(" is not registered."), MsgBox::Information);
        return false;
    }
    if (!registrations.RemoveKey(RegistrySection, name)) {
        ShowBox(QStringLiteral("Could not unregister ") + name + QStringLiteral(": ") +
                    registrations.ErrorString(),
                MsgBox::Critical);
        return false;
    }
    return true;
}

intptr_t HTMLHelp::HHWndHandle() const
{
    if (m_wndHandle == 0)
        ShowBox(QStringLiteral("No HTML Help window handle to retrieve."));
    return m_wndHandle;
}

QString HTMLHelp::HHSetHelpFile(int intSelHelpFile) const
{
    switch (intSelHelpFile) {
    case 1:
        return AppContext::Current().programFolder() + QStringLiteral("/Library.chm");
    case 2:
        return QStringLiteral("Library.txt");
    default:
        return QString();
    }
}
