#include "transfer/ExportRecordWriter.h"

#include "core/JuxUtils.h"
#include "platform/NevixError.h"

#include <QIODevice>

namespace {
constexpr int32_t DeviceIOError = 57;
}

void ExportRecordWriter::Write(const QString& record, const QString& fileName)
{
    const QByteArray bytes = record.toLatin1() + "\r\n";
    if (m_device.write(bytes) != bytes.size())
        throw NevixError(DeviceIOError,
                         QStringLiteral("Could not write to the export file ") + fileName +
                             QStringLiteral(": ") + m_device.errorString());
}

QString RemoveTrailingSeparators(QString record, int32_t ExportFormat)
{
    if (ExportFormat != ExportLayout::Csv && ExportFormat != ExportLayout::TabSeparated)
        return record;
    while (record.endsWith(u',') || record.endsWith(u'\t'))
        record.chop(1);
    return record;
}
