#pragma once

#include <QString>

// Raw access to settings files: one item of one section, the list of the
// sections, or the list of a section's items. The reads come back trimmed,
// listings joined with ",", and at most 10,239 characters long; a failed
// write raises 0x80040201.
class INIFile {
public:
    // Characters a read can hold, its end mark included.
    static constexpr int BufferSize = 10240;

    // Group empty: the section names; Item empty: the item names of Group;
    // else the value of Item, or Default when the file, section or item is
    // missing.
    QString GetIniString(const QString& Group, const QString& Item, const QString& Default,
                         const QString& FilePath) const;
    // Item empty removes the section, Value empty removes the item.
    void SetIniString(const QString& Group, const QString& Item, const QString& Value,
                      const QString& FilePath) const;

    // As above on the application settings path; raise when it is not set.
    QString GetFromAppIni(const QString& Group, const QString& Item, const QString& Default) const;
    void SetToAppIni(const QString& Group, const QString& Item, const QString& Value) const;

    void SetAppIniNameAndLocation(const QString& Value) { m_appIniPath = Value; }
    QString AppIniNameAndLocation() const { return m_appIniPath; }

private:
    QString m_appIniPath;
};
