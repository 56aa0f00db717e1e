// An enquiry file: its first lines cut by an import layout, then checked by
// the enquiry rules against a delivered database holding one enquirer.
//
// The first byte chooses the layout and the settings version (the layouts
// changed at 3.0); the rest is the file, read as the import reads it, each
// line cut at 200 characters as the import refuses longer lines. Properties: no field keeps blanks at either
// end, and the checked enquiry always holds a date of event (the one read,
// or the stand-in for a date that could not be read).

#include "FuzzEnquirers.h"
#include "FuzzWorld.h"

#include "core/ApplicationSettings.h"
#include "core/GlobalDeclarations.h"
#include "records/JuxMessageErrors.h"
#include "records/VQ3.h"
#include "transfer/ImportLineLayout.h"
#include "transfer/VQ3FileImport.h"
#include "transfer/VQ3Utils.h"

#include <QFile>

namespace {
void UseSettingsVersion(const char* version)
{
    UseSettingsFile(QByteArray("[System]\r\nConfigVersion=") + version + "\r\n");
    Settings().SetProgramRunningMode(RunningMode::Automatic);
}

bool Trimmed(const QString& field)
{
    return !field.startsWith(u' ') && !field.endsWith(u' ');
}

void CheckLine(ImportLineLayout& layout, const QString& text, uint8_t mode)
{
    const QString line = text.left(200);
    const ImportedLine fields = layout.Read(line);
    for (const QString* field : {&fields.VRMVIN, &fields.DateOfEvent, &fields.EnquirerId, &fields.EnquiryCode,
                                 &fields.IntermediaryId, &fields.Description})
        Require(Trimmed(*field), "every field of a line comes without blanks at either end");

    VQ3 enquiry;
    enquiry.SetVRMVIN(fields.VRMVIN);
    enquiry.SetEnquiryReference(fields.EnquiryReference);
    enquiry.SetEnquirerId(fields.EnquirerId);
    enquiry.SetEnquiryCode(fields.EnquiryCode);
    enquiry.SetIntermediaryId(fields.IntermediaryId);
    enquiry.SetSkipVRMValidation((mode & 0x08) != 0);
    (void)ValidateVQ3(enquiry, FuzzEnquirers(), nullptr, *enquiry.Errors(), nullptr, fields.DateOfEvent);
    Require(enquiry.DateOfEvent().has_value() && enquiry.DateOfEvent()->date().isValid(),
            "a checked enquiry holds a date of event");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzWorld& world = FuzzWorld::Get();
    const uint8_t mode = data[0];
    UseSettingsVersion((mode & 0x04) ? "2.0" : "3.0");

    // The rest is a file: UTF-8 or else Windows-1252, CR LF or LF.
    const QString path = world.PathOf(QStringLiteral("enquiries.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Require(false, "the enquiry file can be written");
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    file.close();
    const QStringList lines = ReadImportFileLines(path);
    if (lines.isEmpty())
        return 0;

    const int32_t formats[] = {GetImportFileFormat(lines.front()), ImportFileFormat::Csv,
                               ImportFileFormat::TabDelimited, ImportFileFormat::Bespoke};
    ImportLineLayout layout;
    layout.Establish(formats[mode % std::size(formats)], lines.front());
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 4); ++i)
        CheckLine(layout, lines.at(i), mode);
    return 0;
}
