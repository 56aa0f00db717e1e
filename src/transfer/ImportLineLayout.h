#pragma once

#include "core/DelimitedString.h"

#include <QString>

#include <cstdint>

// The fields of one data line of an enquiry file, trimmed. The hard-copy
// flag and the two dates of the older layouts are present only where the
// layout has them.
struct ImportedLine {
    QString VRMVIN;
    QString DateOfEvent;
    QString EnquiryReference; // in capitals
    QString EnquirerId;
    QString EnquiryCode;
    QString IntermediaryId;
    QString Description;
    bool HasHardcopyField = false;
    bool HardcopyResponse = false;
    QString WhenImported;
    QString DateOfEnquiry;
};

// The layout (ImportFileFormat) of a file, judged from one line as read:
// bespoke when the settings say so, else CSV or tab-delimited when the
// first 16 characters hold a comma or a tab, else fixed-length fields.
int32_t GetImportFileFormat(const QString& line);

// Cuts enquiry-file lines by one layout; the width lists depend on the
// settings' ConfigVersion (layouts changed at 3.0).
class ImportLineLayout {
public:
    // Prepares the splitter for the layout; fixed-length lines of the older
    // layouts are judged from the line: a date of the last ten years at
    // positions 8 to 15 means a 7-character mark field, else 17.
    void Establish(int32_t format, const QString& line);
    int32_t Format() const { return m_format; }

    // Splits the line; Source() then gives the line back as split.
    ImportedLine Read(const QString& line);
    const DelimitedString& Splitter() const { return m_splitter; }

private:
    bool NewLayout() const;
    QString Field(int32_t index) const;

    int32_t m_format = 0;
    DelimitedString m_splitter;
};
