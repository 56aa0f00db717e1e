#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The version resource of a program or library file: its fixed part as
// text (versions, flags, operating system, type) and its string table.
// Only Windows PE files (.exe, .dll) carry one; any other file leaves
// Available false and the other properties as they were.
class CFileVersionInfo {
public:
    // The path is made absolute and read at once; an empty path changes
    // nothing.
    void SetFullPathName(const QString& value);
    QString FullPathName() const { return m_fullPathName; }
    bool Available() const { return m_available; }
    QString FileFlags() const { return m_fileFlags; }
    QString FileOS() const { return m_fileOS; }
    QString FileType() const { return m_fileType; }
    QString FileSubType() const { return m_fileSubType; }
    // "3.01.0005" for version 3.1.0.5, "3.01.0205" for 3.1.2.5.
    QString VerFile() const { return m_verFile; }
    QString VerProduct() const { return m_verProduct; }
    QString VerStructure() const { return m_verStructure; }

    // The display name and the value of string value Which (0 to 14); ""
    // for any other Which.
    QString PredefinedName(int32_t Which) const;
    QString PredefinedValue(int32_t Which) const;

    QString Comments() const { return m_values[Comments_]; }
    QString CompanyName() const { return m_values[CompanyName_]; }
    QString FileDescription() const { return m_values[FileDescription_]; }
    QString FileVersion() const { return m_values[FileVersion_]; }
    QString InternalName() const { return m_values[InternalName_]; }
    QString Language() const { return m_values[Language_]; }
    QString LegalCopyright() const { return m_values[LegalCopyright_]; }
    QString LegalTrademarks() const { return m_values[LegalTrademarks_]; }
    QString OriginalFilename() const { return m_values[OriginalFilename_]; }
    QString ProductName() const { return m_values[ProductName_]; }
    QString ProductVersion() const { return m_values[ProductVersion_]; }
    QString PrivateBuild() const { return m_values[PrivateBuild_]; }
    QString SpecialBuild() const { return m_values[SpecialBuild_]; }

    // Reads the file named by FullPathName again.
    void Refresh();

private:
    enum Value {
        Language_,
        Comments_,
        CompanyName_,
        FileDescription_,
        FileVersion_,
        InternalName_,
        LegalCopyright_,
        LegalTrademarks_,
        OriginalFilename_,
        ProductName_,
        ProductVersion_,
        PrivateBuild_,
        SpecialBuild_,
        LegalTrademarks1_,
        LegalTrademarks2_,
        ValueCount
    };

    QString m_fullPathName;
    bool m_available = false;
    QString m_verStructure;
    QString m_verFile;
    QString m_verProduct;
    QString m_fileFlags;
    QString m_fileOS;
    QString m_fileType;
    QString m_fileSubType;
    std::array<QString, ValueCount> m_values;
};
