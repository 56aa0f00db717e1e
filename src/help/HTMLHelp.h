#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Shows a compiled help file: holds the file, the window type and the topic,
// checks that the file is a ".chm" file that exists (looking a bare name up
// in the [HTML Help] section of Nevix.INI, where help files are registered
// by file name = folder), and sends the commands to the help engine. Its
// messages are boxes captioned "HTML Help Class".
class HTMLHelp {
public:
    // Each display returns nothing: a file that fails the checks has been
    // reported, and the engine reports what it cannot show.
    void HHDisplayTopicURL(intptr_t CallingForm = 0);
    void HHDisplayTopicID(intptr_t CallingForm = 0);
    void HHDisplayContents(intptr_t CallingForm = 0);
    // Registers a full path under its file name; refuses a bare name and a
    // name already registered. False when refused or not written.
    bool HHRegister(const QString& FileToRegister);
    bool HHUnRegister(const QString& FileToUnRegister);
    // No value for an empty name; else whether the file is registered where
    // it lies. The registration fields hold what was found.
    std::optional<bool> HHCheckRegistry(const QString& FileToCheck);
    void HHClose();
    // A bare name is looked up in the registrations, else in the program
    // folder, and rewritten to the full path.
    bool EnsureFileExists(QString& FileToFind);
    QString HHSetHelpFile(int intSelHelpFile) const;

    QString HHWindow() const { return m_window; }
    void SetHHWindow(const QString& value) { m_window = value; }
    QString HHTopicURL() const { return m_topicUrl; }
    void SetHHTopicURL(const QString& value) { m_topicUrl = value; }
    int32_t HHTopicID() const { return m_topicId; }
    void SetHHTopicID(int32_t value) { m_topicId = value; }
    QString CHMFile() const { return m_chmFile; }
    void SetCHMFile(const QString& value) { m_chmFile = value; }
    bool HHShowOnTop() const { return m_showOnTop; }
    void SetHHShowOnTop(bool value) { m_showOnTop = value; }
    QString HHRegFileName() const { return m_regFileName; }
    QString HHRegFilePath() const { return m_regFilePath; }
    bool HHRegFileExists() const { return m_regFileExists; }
    // The handle of the last help window shown; 0 is a warning.
    intptr_t HHWndHandle() const;

    static bool IsChmFile(const QString& name);

private:
    void Display(uint32_t command, const QVariant& data, intptr_t CallingForm);

    QString m_chmFile;
    QString m_window;
    int32_t m_topicId = 0;
    QString m_topicUrl;
    bool m_showOnTop = false;
    QString m_regFileName;
    QString m_regFilePath;
    bool m_regFileExists = false;
    intptr_t m_wndHandle = 0;
};
