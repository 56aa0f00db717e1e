#pragma once

#include "core/Currency.h"
#include "core/INIFile.h"
#include "platform/Nullable.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>

// The typed property store over the settings file: a property is addressed
// by a group (a section; "APP" unless changed) and a name, and read with a
// default that comes back whenever the stored text is missing or unusable.
// Booleans are stored as "Yes"/"No"; numbers with "." decimals whatever the
// locale; dates as "yyyy,m,d" and date-times as "yyyy,m,d,h,n,s".
//
// Errors are recorded, never raised (except the refusal of an empty ASCII
// value), and stay until ClearError or a later error.
//
// The "registry" variant keeps the values in a per-user settings file
// instead, under the user's configuration folder; the program itself always
// uses its own settings file.
class IProperty {
public:
    // The program's name: it names the settings file and the application key
    // of the per-user store.
    static inline const QString ApplicationName = QStringLiteral("Nevix");

    // Opens Nevix.INI in the program folder.
    IProperty();

    bool HadError() const { return m_lastError != 0; }
    int32_t GetLastError() const { return m_lastError; }
    QString GetLastErrorDesc() const { return m_lastErrorDesc; }
    void ClearError();

    QString GetProperty(const QString& Name, const QString& Group = {},
                        const QString& Default = {});
    QString GetAllGroups();
    QString GetAllItems(const QString& Group);
    void ClearGroup(const QString& Group);
    void SetProperty(const QString& Name, const QString& Value, const QString& Group = {});

    // "{TAB}", "{ENTER}" ("{RETURN}" read only), "{ESC}" (a blank) and
    // "{QUOTE}" stand for their characters.
    QString GetASCIIProperty(const QString& Name, const QString& Group = {},
                             const QString& Default = {});
    // An empty value raises an invalid-argument error.
    void SetASCIIProperty(const QString& Name, const QString& Value, const QString& Group = {});

    bool GetBooleanProperty(const QString& Name, const QString& Group = {}, bool Default = false);
    void SetBooleanProperty(const QString& Name, bool Value, const QString& Group = {});
    int16_t GetIntegerProperty(const QString& Name, const QString& Group = {}, int16_t Default = 0);
    void SetIntegerProperty(const QString& Name, int16_t Value, const QString& Group = {});
    int32_t GetLongIntegerProperty(const QString& Name, const QString& Group = {},
                                   int32_t Default = 0);
    void SetLongIntegerProperty(const QString& Name, int32_t Value, const QString& Group = {});
    float GetSingleProperty(const QString& Name, const QString& Group = {}, float Default = 0);
    void SetSingleProperty(const QString& Name, float Value, const QString& Group = {});
    double GetDoubleProperty(const QString& Name, const QString& Group = {}, double Default = 0);
    void SetDoubleProperty(const QString& Name, double Value, const QString& Group = {});
    Currency GetCurrencyProperty(const QString& Name, const QString& Group = {},
                                 Currency Default = {});
    void SetCurrencyProperty(const QString& Name, Currency Value, const QString& Group = {});
    Nullable<QDate> GetDateProperty(const QString& Name, const QString& Group = {},
                                    const Nullable<QDate>& Default = {});
    void SetDateProperty(const QString& Name, const Nullable<QDate>& Value,
                         const QString& Group = {});
    Nullable<QDateTime> GetDateTimeProperty(const QString& Name, const QString& Group = {},
                                            const Nullable<QDateTime>& Default = {});
    void SetDateTimeProperty(const QString& Name, const Nullable<QDateTime>& Value,
                             const QString& Group = {});

    // True when no stored settings existed when the store was opened.
    bool IsNew() const { return m_isNew; }
    void SetIsNew(bool value) { m_isNew = value; }
    // Moves the store to another settings file and works IsNew out again.
    void SetINILocation(const QString& iniFile);
    // An empty name keeps the current default group.
    void SetDefaultGroup(const QString& DefaultGroup);
    QString DefaultGroup() const { return m_defaultGroup; }
    // One-way switch to the per-user store.
    void SetPersistToRegistry();
    bool PersistToRegistry() const { return m_persistToRegistry; }

    // The settings file in use; the per-user store's file.
    QString INILocation() const { return m_iniFile.AppIniNameAndLocation(); }
    static QString RegistryLocation();

private:
    void OpenSettingsFile(const QString& path);
    QString GroupOrDefault(const QString& group) const;
    void Record(int32_t number, const QString& description);

    QString m_applicationName = ApplicationName;
    bool m_persistToRegistry = false;
    QString m_defaultGroup = QStringLiteral("APP");
    INIFile m_iniFile;
    bool m_isNew = true;
    int32_t m_lastError = 0;
    QString m_lastErrorDesc;
};
