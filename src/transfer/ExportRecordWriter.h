#pragma once

#include <QString>

#include <cstdint>

class QIODevice;

// Writes the records of an export file to a device, each as one line ending
// in CR LF. Text is written in Windows-1252, one byte per character (a
// character the code page lacks as "?"), so that the enquirers' systems read
// "’" and "€" and fixed-width fields keep their byte positions.
class ExportRecordWriter {
public:
    explicit ExportRecordWriter(QIODevice& device) : m_device(device) {}

    // Raises the device's failure (a full disk, say) with the file name.
    // False when a character had to be written as "?".
    bool Write(const QString& record, const QString& fileName);

private:
    QIODevice& m_device;
};

// The 128 warning of a record written with a "?" for a character; record
// names it for the reader of the log.
QString UnwrittenCharactersText(const QString& record);

// In comma- and tab-separated formats a record loses its trailing
// separators, those of empty fields at its end included.
QString RemoveTrailingSeparators(QString record, int32_t ExportFormat);
