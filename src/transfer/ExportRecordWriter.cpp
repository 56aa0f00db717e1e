#include "transfer/ExportRecordWriter.h"

#include "core/JuxUtils.h"
#include "core/Windows1252.h"
#include "platform/NevixError.h"

#include <QIODevice>

namespace {
constexpr int32_t DeviceIOError = 57;
}

bool ExportRecordWriter::Write(const QString& record, const QString& fileName)
{
    bool lossy = false;
    const QByteArray bytes = Windows1252::Encode(record, &lossy) + "\r\n";
    if (m_device.write(bytes) != bytes.size())
        throw NevixError(DeviceIOError,
                         QStringLiteral("Could not write to the export file ") + fileName +
                             QStringLiteral(": ") + m_device.errorString());
    return !lossy;
}

QString UnwrittenCharactersText(const QString& record)
{
    return QStringLiteral("Characters the export file cannot hold were written as \"?\" in the record of ") +
           record;
}

QString RemoveTrailingSeparators(QString record, int32_t ExportFormat)
{
    if (ExportFormat != ExportLayout::Csv && ExportFormat != ExportLayout::TabSeparated)
        return record;
    while (record.endsWith(u',') || record.endsWith(u'\t'))
        record.chop(1);
    return record;
}
