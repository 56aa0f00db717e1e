#pragma once

#include <QString>

// The program's help file. A compiled help file (".chm" anywhere in the
// name, any letter case) is shown by the compiled-help viewer; an empty
// name means there is no help.
class HHelper {
public:
    bool HasHelp() const { return !m_helpFile.isEmpty(); }
    void SetHelpFile(const QString& strFile);

    QString HelpFile() const { return m_helpFile; }
    bool UsesCompiledHelp() const { return m_compiled; }

private:
    QString m_helpFile;
    bool m_compiled = false;
};

// The program-wide help object, created on first use.
HHelper& GlobalHelp();
// Drops the program-wide help object (closing any help it shows).
void ReleaseHelp();
