// A keeper response as the service may send it, written as one record of a
// response export file.
//
// The first byte chooses the record layout (A, B or C), the export format
// (comma- or tab-separated, fixed width) and the flags the layouts read
// (LegacyExport, WriteFromLeft, SkipFullCustomerNameExport); the rest, read
// as UTF-8, holds the response's texts separated by "|". Properties: the
// record is one line in the file; a fixed-width record has its layout's
// byte length; a separated one has no more columns than its layout.

#include "FuzzWorld.h"

#include "core/ApplicationSettings.h"
#include "core/DelimitedString.h"
#include "core/JuxUtils.h"
#include "core/Windows1252.h"
#include "database/SysParameters.h"
#include "records/VQ7.h"
#include "transfer/ExportRecordWriter.h"
#include "transfer/VQ7ExportLines.h"

#include <QBuffer>

namespace {
enum class Layout { A, B, C };

using TextSetter = void (VQ7::*)(const QString&);
constexpr TextSetter Texts[] = {
    &VQ7::SetRegistrationNumber, &VQ7::SetVRM, &VQ7::SetEnquiryReference, &VQ7::SetHardcopyCode,
    &VQ7::SetDVLAERRCode, &VQ7::SetMake, &VQ7::SetModel, &VQ7::SetColour, &VQ7::SetEngineCapacity,
    &VQ7::SetSeatingCapacity, &VQ7::SetTaxClass, &VQ7::SetVIN, &VQ7::SetTaxStatus, &VQ7::SetFleetNumber,
    &VQ7::SetSecondaryColour, &VQ7::SetBodyType, &VQ7::SetCompanyName, &VQ7::SetOtherName, &VQ7::SetTitle,
    &VQ7::SetKeeperNameCode, &VQ7::SetKeeperTitleCode, &VQ7::SetKeeperName1, &VQ7::SetKeeperName2,
    &VQ7::SetKeeperAddress1, &VQ7::SetKeeperAddress2, &VQ7::SetKeeperAddress3, &VQ7::SetKeeperAddress4,
    &VQ7::SetKeeperPostTown, &VQ7::SetKeeperPostCode, &VQ7::SetEnquirerId, &VQ7::SetEnquiryCode};

// The response: its texts in the order of Texts, then a message error's
// code and description.
void Fill(VQ7& response, const QStringList& texts)
{
    const QDateTime when(QDate(2024, 3, 14), QTime(9, 5, 0));
    for (qsizetype i = 0; i < std::min<qsizetype>(texts.size(), std::size(Texts)); ++i)
        (response.*Texts[i])(texts.at(i));
    if (texts.size() > qsizetype(std::size(Texts)))
        response.AddError(texts.at(std::size(Texts)), texts.value(std::size(Texts) + 1));
    response.SetDateOfEvent(when);
    response.SetWhenPrepared(when);
    response.SetWhenReceived(when);
    response.SetNumberOfKeepers(3);
    response.SetControlReference(42);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzWorld::Get();
    const uint8_t mode = data[0];
    const Layout layout = (mode & 3) == 1 ? Layout::B : (mode & 3) == 2 ? Layout::C : Layout::A;
    const int16_t format = int16_t((mode >> 2) & 3); // 0 and 3 are fixed width
    const bool legacy = (mode & 0x10) != 0;
    const bool skipFullName = (mode & 0x40) != 0;
    UseSettingsFile(QByteArray("[System]\nConfigVersion=") + (layout == Layout::B ? "2" : "3") +
                (layout == Layout::C ? "\nBespokeImportFormat=Yes" : "") +
                "\n[NevixClient]\nSkipFullCustomerNameExport=" + (skipFullName ? "Yes" : "No") + "\n");
    SysParameters parameters;
    parameters.SetExportFormat(format);
    parameters.SetLegacyExport(legacy);
    parameters.SetWriteFromLeft((mode & 0x20) != 0);

    VQ7 response;
    Fill(response, TextOf(data + 1, size - 1).split(u'|'));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ExportRecordWriter(buffer).Write(BuildVQ7ExportLine(response, parameters), QStringLiteral("fuzz"));
    const QByteArray bytes = buffer.data();
    Require(bytes.endsWith("\r\n") && bytes.count('\r') == 1 && bytes.count('\n') == 1,
            "a record is one line");

    const QString record = Windows1252::Decode(bytes.chopped(2));
    if (layout == Layout::C || (format != ExportLayout::Csv && format != ExportLayout::TabSeparated)) {
        const qsizetype length = layout == Layout::A ? 798
                                 : layout == Layout::C ? 276
                                 : legacy             ? 475
                                 : skipFullName       ? 510
                                                      : 580;
        Require(bytes.size() - 2 == length, "a fixed-width record has its layout's byte length");
        return 0;
    }
    // Layout B's full name may take two columns of 35.
    const qsizetype columns = layout == Layout::A ? 28 : legacy ? 32 : skipFullName ? 37 : 39;
    qsizetype read = record.count(u'\t') + 1;
    if (format == ExportLayout::Csv) {
        DelimitedString fields;
        fields.SetSource(record);
        read = fields.Count();
    }
    Require(read <= columns, "a separated record has no more columns than its layout");
    return 0;
}
