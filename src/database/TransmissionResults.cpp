#include "database/TransmissionResults.h"

#include "platform/NevixError.h"

#include <limits>

void TransmissionResults::Add(int32_t& count, int32_t value, const QString& name)
{
    const int64_t sum = int64_t(count) + value;
    if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min())
        throw NevixError::Overflow(QStringLiteral("TransmissionResults.") + name);
    count = static_cast<int32_t>(sum);
}

void TransmissionResults::Append(QString& text, const QString& value)
{
    text = text.isEmpty() ? value : text + QStringLiteral("\r\n") + value;
}

void TransmissionResults::CopyVQ3Results(const TransmissionResults& interim)
{
    SetFatalVQ3ErrorMessage(interim.FatalVQ3ErrorMessage());
    SetFatalVQ3ImportErrorMessage(interim.FatalVQ3ImportErrorMessage());
    SetVQ3BadFiles(interim.VQ3BadFiles());
    SetVQ3FilesImported(interim.VQ3FilesImported());
    SetVQ3sImported(interim.VQ3sImported());
    SetVQ3ImportWarnings(interim.VQ3ImportWarnings());
    SetVQ3sSent(interim.VQ3sSent());
    SetVQ3Warnings(interim.VQ3Warnings());
    SetUserCancelled(interim.UserCancelled());
}

void TransmissionResults::CopyVQ7Results(const TransmissionResults& interim)
{
    SetFatalVQ7ErrorMessage(interim.FatalVQ7ErrorMessage());
    SetFatalVQ7ExportErrorMessage(interim.FatalVQ7ExportErrorMessage());
    SetVQ7sExported(interim.VQ7sExported());
    SetVQ7ExportWarnings(interim.VQ7ExportWarnings());
    SetVQ7FilesExported(interim.VQ7FilesExported());
    SetVQ7sReceived(interim.VQ7sReceived());
    SetVQ7Warnings(interim.VQ7Warnings());
    SetUserCancelled(interim.UserCancelled());
}

void TransmissionResults::CopyDebResults(const TransmissionResults& interim)
{
    SetFatalDebErrorMessage(interim.FatalDebErrorMessage());
    SetFatalDebExportErrorMessage(interim.FatalDebExportErrorMessage());
    SetDebsExported(interim.DebsExported());
    SetDebExportWarnings(interim.DebExportWarnings());
    SetDebFilesExported(interim.DebFilesExported());
    SetDebsReceived(interim.DebsReceived());
    SetDebWarnings(interim.DebWarnings());
    SetUserCancelled(interim.UserCancelled());
}

bool TransmissionResults::HaveFatalErrors() const
{
    return !(m_FatalVQ3ImportErrorMessage + m_FatalVQ3ErrorMessage + m_FatalVQ7ErrorMessage +
             m_FatalVQ7ExportErrorMessage + m_FatalDebErrorMessage + m_FatalDebExportErrorMessage +
             m_FatalSysMsgErrorMessage + m_FatalCtlSeedErrorMessage)
                .isEmpty();
}

QStringList TransmissionResults::FatalTexts() const
{
    QStringList lines;
    for (const QString* text :
         {&m_FatalVQ3ImportErrorMessage, &m_FatalVQ3ErrorMessage, &m_FatalVQ7ErrorMessage,
          &m_FatalVQ7ExportErrorMessage, &m_FatalDebErrorMessage, &m_FatalDebExportErrorMessage,
          &m_FatalSysMsgErrorMessage, &m_FatalCtlSeedErrorMessage})
        lines << text->split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    return lines;
}

bool TransmissionResults::HaveWarnings() const
{
    for (int32_t count : {m_VQ3ImportWarnings, m_VQ3Warnings, m_VQ7Warnings, m_VQ7ExportWarnings,
                          m_DebWarnings, m_DebExportWarnings}) {
        if (count >= 1)
            return true;
    }
    return false;
}
