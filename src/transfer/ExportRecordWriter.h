#pragma once

#include <QString>

#include <cstdint>

class QIODevice;

// Writes the records of an export file to a device, each as one line ending
// in CR LF. Text is written one byte per character (Latin-1, a character
// beyond it as "?"), so that fixed-width fields keep their byte positions.
class ExportRecordWriter {
public:
    explicit ExportRecordWriter(QIODevice& device) : m_device(device) {}

    // Raises the device's failure (a full disk, say) with the file name.
    void Write(const QString& record, const QString& fileName);

private:
    QIODevice& m_device;
};

// In comma- and tab-separated formats a record loses its trailing
// separators, those of empty fields at its end included.
QString RemoveTrailingSeparators(QString record, int32_t ExportFormat);
