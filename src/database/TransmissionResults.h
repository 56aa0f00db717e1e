#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// What one run of import, sending, receiving and export achieved. Setting a
// count adds to it; setting a fatal text appends it on a new line.
class TransmissionResults {
public:
#define NEVIX_RESULT_COUNT(Name)                                                                  \
    int32_t Name() const { return m_##Name; }                                                     \
    void Set##Name(int32_t value) { Add(m_##Name, value, QStringLiteral(#Name)); }
#define NEVIX_RESULT_TEXT(Name)                                                                   \
    QString Name() const { return m_##Name; }                                                     \
    void Set##Name(const QString& value) { Append(m_##Name, value); }

    NEVIX_RESULT_COUNT(VQ3sImported)
    NEVIX_RESULT_COUNT(VQ3FilesImported)
    NEVIX_RESULT_COUNT(VQ3ImportWarnings)
    NEVIX_RESULT_COUNT(VQ3BadFiles)
    NEVIX_RESULT_TEXT(FatalVQ3ImportErrorMessage)
    NEVIX_RESULT_COUNT(VQ3sSent)
    NEVIX_RESULT_COUNT(VQ3Warnings)
    NEVIX_RESULT_TEXT(FatalVQ3ErrorMessage)
    NEVIX_RESULT_COUNT(VQ7sReceived)
    NEVIX_RESULT_COUNT(VQ7Warnings)
    NEVIX_RESULT_TEXT(FatalVQ7ErrorMessage)
    NEVIX_RESULT_COUNT(VQ7sExported)
    NEVIX_RESULT_COUNT(VQ7ExportWarnings)
    NEVIX_RESULT_COUNT(VQ7FilesExported)
    NEVIX_RESULT_TEXT(FatalVQ7ExportErrorMessage)
    NEVIX_RESULT_COUNT(DebsReceived)
    NEVIX_RESULT_COUNT(DebWarnings)
    NEVIX_RESULT_TEXT(FatalDebErrorMessage)
    NEVIX_RESULT_COUNT(DebsExported)
    NEVIX_RESULT_COUNT(DebFilesExported)
    NEVIX_RESULT_COUNT(DebExportWarnings)
    NEVIX_RESULT_TEXT(FatalDebExportErrorMessage)
    NEVIX_RESULT_COUNT(SystemMessages)
    NEVIX_RESULT_TEXT(FatalSysMsgErrorMessage)
    NEVIX_RESULT_COUNT(CtlSeedMsgs)
    NEVIX_RESULT_TEXT(FatalCtlSeedErrorMessage)

#undef NEVIX_RESULT_COUNT
#undef NEVIX_RESULT_TEXT

    bool UserCancelled() const { return m_UserCancelled; }
    void SetUserCancelled(bool value) { m_UserCancelled = value; }

    // Merge an interim phase's results into this run's.
    void CopyVQ3Results(const TransmissionResults& interim);
    void CopyVQ7Results(const TransmissionResults& interim);
    void CopyDebResults(const TransmissionResults& interim);

    bool HaveFatalErrors() const;
    // Every fatal text set, one line each, in the order of the steps.
    QStringList FatalTexts() const;
    bool HaveWarnings() const;

private:
    static void Add(int32_t& count, int32_t value, const QString& name);
    static void Append(QString& text, const QString& value);

    int32_t m_VQ3sImported = 0;
    int32_t m_VQ3FilesImported = 0;
    int32_t m_VQ3ImportWarnings = 0;
    int32_t m_VQ3BadFiles = 0;
    QString m_FatalVQ3ImportErrorMessage;
    int32_t m_VQ3sSent = 0;
    int32_t m_VQ3Warnings = 0;
    QString m_FatalVQ3ErrorMessage;
    int32_t m_VQ7sReceived = 0;
    int32_t m_VQ7Warnings = 0;
    QString m_FatalVQ7ErrorMessage;
    int32_t m_VQ7sExported = 0;
    int32_t m_VQ7ExportWarnings = 0;
    int32_t m_VQ7FilesExported = 0;
    QString m_FatalVQ7ExportErrorMessage;
    int32_t m_DebsReceived = 0;
    int32_t m_DebWarnings = 0;
    QString m_FatalDebErrorMessage;
    int32_t m_DebsExported = 0;
    int32_t m_DebFilesExported = 0;
    int32_t m_DebExportWarnings = 0;
    QString m_FatalDebExportErrorMessage;
    int32_t m_SystemMessages = 0;
    QString m_FatalSysMsgErrorMessage;
    int32_t m_CtlSeedMsgs = 0;
    QString m_FatalCtlSeedErrorMessage;
    bool m_UserCancelled = false;
};
