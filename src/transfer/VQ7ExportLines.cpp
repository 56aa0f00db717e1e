#include "transfer/VQ7ExportLines.h"

#include "core/ApplicationSettings.h"
#include "core/JuxUtils.h"
#include "database/SysParameters.h"
#include "records/DVLAUtils.h"
#include "records/VQ7.h"
#include "transfer/ExportRecordWriter.h"

namespace {
const QString Blank = QStringLiteral(" ");
const QString Zero = QStringLiteral("0");
const QString Day = QStringLiteral("yyyymmdd");
const QString Moment = QStringLiteral("yyyymmddhhnnss");
constexpr int32_t FixedWidth = 3;
constexpr int AddressWidth = 30;

// The DVLA result of a response: its own code, or for "X" its first message
// error unless that error only says a paper response follows.
struct Result {
    QString code;
    QString description;
    bool fromError = false;
};

Result ResultOf(const VQ7& response)
{
    const QString code = response.DVLAERRCode();
    if (code != QLatin1String("X"))
        return {code, {}, false};
    const JuxMessageErrors& errors = response.GetErrors();
    if (errors.Count() == 0)
        return {};
    const auto first = errors.Item(1);
    if (first->ErrorCode() == QLatin1String("NS601"))
        return {};
    return {first->ErrorCode(), first->Description(), true};
}

// Field 1 of layouts A and B: a VIN in the VRM column does not fit.
QString RegistrationOf(const VQ7& response)
{
    if (!response.RegistrationNumber().isEmpty())
        return response.RegistrationNumber();
    return response.VRM().size() <= 7 ? response.VRM() : QString();
}

QString Text(const QString& value, int width)
{
    return ExportText(value).trimmed().leftJustified(width, u' ', true);
}
} // namespace

QString PadExportField(const QVariant& value, int16_t width, const QString& pad, int32_t ExportFormat)
{
    return PadField(value, width, pad, ExportFormat, false, true);
}

QString FormatExportDate(const NullableDate& value, const QString& pattern, int32_t ExportFormat)
{
    return PadDate(ToVariant(value), pattern, ExportFormat, false, true);
}

QString PadExportFieldJustified(const QVariant& value, int16_t width, const QString& pad,
                                int32_t ExportFormat, bool WriteFromLeft)
{
    return PadField(value, width, pad, ExportFormat, WriteFromLeft, false);
}

QString FormatExportDateJustified(const NullableDate& value, const QString& pattern,
                                  int32_t ExportFormat, bool WriteFromLeft)
{
    return PadDate(ToVariant(value), pattern, ExportFormat, WriteFromLeft, false);
}

QString BuildVQ7ExportLineA(const VQ7& r, int32_t format)
{
    const QString name = !r.CompanyName().isEmpty() ? r.CompanyName() : r.OtherName();
    const Result result = ResultOf(r);
    const auto field = [format](const QString& value, int16_t width) {
        return PadExportField(value, width, Blank, format);
    };

    QString line = field(RegistrationOf(r), 7) + FormatExportDate(r.DateOfEvent(), Day, format) +
                   field(r.EnquiryReference(), 20) + field(r.HardcopyCode(), 1) +
                   field(result.code, 5) + field(result.description, 80) + field(r.Make(), 35) +
                   field(r.Model(), 35) + field(r.Colour(), 20) + field(r.SeatingCapacity(), 3) +
                   field(r.TaxClass(), 25) + field(r.VIN(), 17) + field(r.TaxStatus(), 50) +
                   field(r.FleetNumber(), 50) + field(r.SecondaryColour(), 50) +
                   field(r.BodyType(), 50) + field(name, 70) + field(r.Title(), 10) +
                   field(r.KeeperName2(), 35) + field(r.KeeperName1(), 35) +
                   field(r.KeeperAddress1(), 35) + field(r.KeeperAddress2(), 35) +
                   field(r.KeeperAddress3(), 35) + field(r.KeeperAddress4(), 35) +
                   field(r.KeeperPostTown(), 35) + field(r.KeeperPostCode(), 8) +
                   field(r.EnquirerId(), 5) + field(r.EnquiryCode(), 4);
    return RemoveTrailingSeparators(line, format);
}

QString BuildVQ7ExportLineB(const VQ7& r, const SysParameters& parameters)
{
    const int32_t format = parameters.ExportFormat();
    const bool legacy = parameters.LegacyExport();
    const auto field = [&](const QVariant& value, int16_t width, const QString& pad = Blank) {
        return PadExportFieldJustified(value, width, pad, format, parameters.WriteFromLeft());
    };
    const auto date = [&](const NullableDate& value, const QString& pattern = Day) {
        return FormatExportDateJustified(value, pattern, format, parameters.WriteFromLeft());
    };

    const Result result = ResultOf(r);
    const QString resultCode = result.fromError ? ServiceErrorToDVLACode(result.code) : result.code;
    QString titleCode = r.KeeperTitleCode();
    if (titleCode == QLatin1String("0"))
        titleCode = legacy ? QStringLiteral("1") : QString();
    QString name1 = r.KeeperName1();
    QString name2 = r.KeeperName2();
    // Split by the characters the file holds.
    if (!r.CompanyName().isEmpty()) {
        name1 = ExportText(r.CompanyName()).left(30);
        name2 = ExportText(r.CompanyName()).mid(30, 30);
    } else if (!r.OtherName().isEmpty()) {
        name1 = ExportText(r.OtherName()).left(30);
        name2 = ExportText(r.OtherName()).mid(30);
    }

    QString line = field(RegistrationOf(r), 7) + date(r.DateOfEvent()) + field(r.EnquiryReference(), 20) +
                   field(r.HardcopyCode(), 1) + field(resultCode, 1) + field(r.Make(), 20) +
                   field(r.Model(), 25) + field(r.Colour(), 14) + field(r.EngineCapacity(), 5) +
                   field(r.SeatingCapacity(), 3) + field(r.TaxClass(), 25) + field(r.VIN(), 17) +
                   field(QVariant::fromValue(r.NumberOfKeepers()), 3, Zero) +
                   date(r.DateLastKeeperChange()) + date(r.DateOfLicenseExpiry()) +
                   date(r.DateOfTheft()) + date(r.DateOfRecovery()) + date(r.DateFirstRegistered()) +
                   field(r.KeeperNameCode(), 1) + field(titleCode, 1) + field(name1, 30) +
                   field(name2, 30) + field(r.KeeperAddress1(), 30) + field(r.KeeperAddress2(), 30) +
                   field(r.KeeperAddress3(), 30) + field(r.KeeperAddress4(), 30) +
                   field(r.KeeperPostTown(), 30) + field(r.KeeperPostCode(), 30) +
                   field(QVariant::fromValue(r.ControlReference()), 8, Zero) +
                   date(r.DateOfResponse()) + date(r.WhenPrepared(), Moment) +
                   date(r.WhenReceived(), Moment);
    if (!legacy) {
        line += date(r.DateofScrap()) + date(r.DateofExport()) + field(r.Title(), 10) +
                field(r.EnquirerId(), 5) + field(r.EnquiryCode(), 4);
        if (!Settings().SkipFullCustomerNameExport()) {
            if (!r.CompanyName().isEmpty())
                line += field(r.CompanyName(), 70);
            else if (!r.OtherName().isEmpty())
                line += field(r.OtherName(), 70);
            else
                line += field(r.KeeperName1(), 35) + field(r.KeeperName2(), 35);
        }
    }
    return RemoveTrailingSeparators(line, format);
}

void AddAddressLine(AddressSlots& address, const QString& line)
{
    const QString trimmed = ExportText(line).trimmed();
    if (trimmed.isEmpty())
        return;
    for (QString& slot : address) {
        if (slot.trimmed().isEmpty()) {
            slot = Text(trimmed, AddressWidth);
            return;
        }
    }
}

QString BuildVQ7ExportLineC(const VQ7& r)
{
    AddressSlots address;
    address.fill(QString(AddressWidth, u' '));

    QString name;
    if (r.KeeperNameCode() == QLatin1String("3")) {
        const QString title = r.KeeperTitleCode() == QLatin1String("1")   ? QStringLiteral("Mr ")
                              : r.KeeperTitleCode() == QLatin1String("2") ? QStringLiteral("Mrs ")
                              : r.KeeperTitleCode() == QLatin1String("3") ? QStringLiteral("Miss ")
                                                                          : QString();
        if (!r.KeeperName2().trimmed().isEmpty())
            name = r.KeeperName2().trimmed() + u' ';
        name += r.KeeperName1().trimmed();
        if (!name.isEmpty())
            name = title + name;
    } else if (!r.CompanyName().trimmed().isEmpty()) {
        name = r.CompanyName().trimmed();
    } else {
        name = r.OtherName().trimmed();
    }
    for (const QString& line : {name, r.KeeperAddress1(), r.KeeperAddress2(),
                                r.KeeperAddress3() + u' ' + r.KeeperAddress4(), r.KeeperPostTown(),
                                r.KeeperPostCode()})
        AddAddressLine(address, line);
    int lines = 0;
    for (int i = 0; i < int(address.size()); ++i) {
        if (!address[size_t(i)].trimmed().isEmpty())
            lines = i + 1;
    }

    QString registration = r.VRM();
    if (Settings().ConfigVersion() >= 3.0f && !r.RegistrationNumber().isEmpty())
        registration = r.RegistrationNumber();
    const QString code = r.DVLAERRCode();
    QString resultOrMake;
    if (!code.trimmed().isEmpty())
        resultOrMake = code.toUpper() == QLatin1String("K") || code == QLatin1String("1")
                           ? QStringLiteral("2")
                           : QStringLiteral("1");
    else
        resultOrMake = r.HardcopyCode() == QLatin1String("1") ? QStringLiteral("2") : r.Make();

    QString line = Text(registration, 7) + QString(4, u' ') + Text(resultOrMake, 20) +
                   Text(r.Model(), 25) + Text(r.Colour(), 14) +
                   PadExportField(lines, 1, Zero, FixedWidth);
    for (const QString& slot : address)
        line += slot;
    return line + QString(7, u' ') + FormatExportDate(r.DateOfEvent(), Day, FixedWidth) +
           Text(r.EnquiryReference(), 10);
}

QString BuildVQ7ExportLine(const VQ7& response, const SysParameters& parameters)
{
    if (Settings().BespokeImportFormat())
        return BuildVQ7ExportLineC(response);
    if (Settings().ConfigVersion() < 3.0f)
        return BuildVQ7ExportLineB(response, parameters);
    return BuildVQ7ExportLineA(response, parameters.ExportFormat());
}
