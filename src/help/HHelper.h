#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class HelpEngine;

// The program's help file. A compiled help file (".chm" anywhere in the
// name, any letter case) is shown by the compiled-help viewer; an empty
// name means there is no help; any other file cannot be shown here and
// gets an engine that shows nothing.
class HHelper {
public:
    HHelper();
    ~HHelper();

    bool HasHelp() const { return !m_helpFile.isEmpty(); }
    void SetHelpFile(const QString& strFile);
    // Replaces the engine SetHelpFile chose; nullptr puts back the one that
    // shows nothing.
    void SetHelpEngine(std::shared_ptr<HelpEngine> engine);

    // Nothing happens without a help file.
    void DisplayContentsPage();
    void DisplayTopic(int32_t TopicId);
    void CloseHelpWindow();

    QString HelpFile() const { return m_helpFile; }
    bool UsesCompiledHelp() const { return m_compiled; }
    const HelpEngine& Engine() const { return *m_engine; }

private:
    QString m_helpFile;
    bool m_compiled = false;
    std::shared_ptr<HelpEngine> m_engine;
};

// The program-wide help object, created on first use with the program's
// help file.
HHelper& GlobalHelp();
// Drops the program-wide help object (closing any help it shows). The
// program's help file stays: help works again after a log off.
void ReleaseHelp();
// The help file start-up found, given to the program-wide help object now
// and whenever it is made again.
void SetProgramHelpFile(const QString& file);

// What a Help button and F1 run: the topic through the program-wide help
// object; a failure is a warning, never an error raised to the screen.
void ShowHelpTopic(int32_t TopicId);
