#include "transfer/ImportLineLayout.h"

#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/GlobalDeclarations.h"
#include "transfer/VQ3Utils.h"

namespace {

const QString NewFixedWidths = QStringLiteral("17,08,20,05,04,03");
const QString OldFixedWidthsVRM = QStringLiteral("07,08,20,01,08,08,08,05,04,03,50");
const QString OldFixedWidthsVIN = QStringLiteral("17,08,20,01,08,08,08,05,04,03,50");
const QString OldBespokeWidths = QStringLiteral("07,08,02,01,02,10,05,04,03,50");
const QString NewBespokeWidths = QStringLiteral("17,08,02,01,02,10,05,04,03,50");

bool HasDateOfLastTenYears(const QString& text)
{
    QVariant value(text);
    return CheckDateWithinTenYears(value).isEmpty();
}

} // namespace

int32_t GetImportFileFormat(const QString& line)
{
    if (Settings().BespokeImportFormat())
        return ImportFileFormat::Bespoke;
    const QString head = line.left(16);
    if (head.contains(u','))
        return ImportFileFormat::Csv;
    if (head.contains(u'\t'))
        return ImportFileFormat::TabDelimited;
    return ImportFileFormat::FixedLength;
}

bool ImportLineLayout::NewLayout() const
{
    return Settings().ConfigVersion() >= 3.0f;
}

void ImportLineLayout::Establish(int32_t format, const QString& line)
{
    m_format = format;
    switch (format) {
    case ImportFileFormat::Csv:
        m_splitter.SetDelimiter(QStringLiteral(","));
        return;
    case ImportFileFormat::TabDelimited:
        m_splitter.SetDelimiter(QStringLiteral("\t"));
        return;
    case ImportFileFormat::Bespoke:
        m_splitter.SetFixedLengthFieldLengths(NewLayout() ? NewBespokeWidths : OldBespokeWidths);
        break;
    default:
        m_splitter.SetFixedLengthFieldLengths(NewLayout()                       ? NewFixedWidths
                                              : HasDateOfLastTenYears(line.mid(7, 8)) ? OldFixedWidthsVRM
                                                                                      : OldFixedWidthsVIN);
        break;
    }
    m_splitter.SetDelimiter(QString());
}

QString ImportLineLayout::Field(int32_t index) const
{
    return TrimSpaces(m_splitter.Word(index));
}

ImportedLine ImportLineLayout::Read(const QString& line)
{
    m_splitter.SetSource(line);
    ImportedLine fields;
    fields.VRMVIN = Field(1);
    fields.DateOfEvent = Field(2);
    if (m_format == ImportFileFormat::Bespoke) {
        fields.HasHardcopyField = true;
        fields.HardcopyResponse = !Field(4).isEmpty();
        fields.EnquiryReference = Field(6).toUpper();
        fields.EnquirerId = Field(7);
        fields.EnquiryCode = Field(8);
        fields.IntermediaryId = Field(9);
        fields.Description = Field(10);
    } else if (NewLayout()) {
        fields.EnquiryReference = Field(3).toUpper();
        fields.EnquirerId = Field(4);
        fields.EnquiryCode = Field(5);
        fields.IntermediaryId = Field(6);
    } else {
        fields.EnquiryReference = Field(3).toUpper();
        fields.HasHardcopyField = true;
        fields.HardcopyResponse = !Field(4).isEmpty();
        fields.WhenImported = Field(5);
        fields.DateOfEnquiry = Field(6);
        fields.EnquirerId = Field(8);
        fields.EnquiryCode = Field(9);
        fields.IntermediaryId = Field(10);
        fields.Description = Field(11);
    }
    return fields;
}
