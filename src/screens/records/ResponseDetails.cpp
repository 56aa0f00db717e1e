#include "screens/records/ResponseDetails.h"

#include "core/TimeConversion.h"
#include "records/DVLAUtils.h"
#include "records/VQ7.h"

namespace {
const QString DayPattern = QStringLiteral("dd/MM/yyyy");

QString DayText(const NullableDate& value)
{
    return value && value->isValid() ? value->toString(DayPattern) : QString();
}
} // namespace

QString ResponseDetails::KeeperCaption(KeeperLayout layout)
{
    switch (layout) {
    case KeeperLayout::Company: return QStringLiteral("Company");
    case KeeperLayout::Other: return QStringLiteral("Other");
    default: return QStringLiteral("Title");
    }
}

QString ResponseDetails::BlacklistCaption() const
{
    return Blacklisted ? QStringLiteral("&Blacklist Entry") : QStringLiteral("Add to &Blacklist");
}

QString KeeperTitleText(const QString& title, const QString& titleCode)
{
    if (!title.isEmpty())
        return title.compare(QStringLiteral("other"), Qt::CaseInsensitive) == 0 ? QString() : title;
    static const QHash<QString, QString> byCode = {
        {QStringLiteral("1"), QStringLiteral("Mr.")},           {QStringLiteral("2"), QStringLiteral("Mrs.")},
        {QStringLiteral("3"), QStringLiteral("Miss")},          {QStringLiteral("5"), QStringLiteral("Official name")},
        {QStringLiteral("7"), QStringLiteral("Pseudo name")},
    };
    return byCode.value(titleCode, titleCode);
}

ResponseDetails MakeResponseDetails(const VQ7* response, bool blacklisted, bool exportable)
{
    ResponseDetails details;
    if (!response)
        return details;
    const VQ7& r = *response;
    details.HasResponse = true;
    details.Blacklisted = blacklisted;
    details.CanExport = exportable;
    details.LegacyVisible = r.IsLegacyData();
    details.Texts = {
        {QStringLiteral("txtVRM"), r.VRM()},
        {QStringLiteral("txtDateOfEvent"), DayText(r.DateOfEvent())},
        {QStringLiteral("txtReference"), r.EnquiryReference()},
        {QStringLiteral("txtEnquirerName"), r.EnquirerName()},
        {QStringLiteral("txtWhenReceived"), DayText(r.WhenReceived() ? UTCToLocal(*r.WhenReceived()) : std::nullopt)},
        {QStringLiteral("txtDateOfResponse"), DayText(r.DateOfResponse())},
        {QStringLiteral("txtRegistrationNumber"), r.RegistrationNumber()},
        {QStringLiteral("txtMake"), r.Make()},
        {QStringLiteral("txtModel"), r.Model()},
        {QStringLiteral("txtColour"), r.Colour()},
        {QStringLiteral("txtSecondaryColour"), r.SecondaryColour()},
        {QStringLiteral("txtBodyType"), r.BodyType()},
        {QStringLiteral("txtVIN"), r.VIN()},
        {QStringLiteral("txtFleetNumber"), r.FleetNumber()},
        {QStringLiteral("txtTaxStatus"), r.TaxStatus()},
        {QStringLiteral("txtTaxCategory"), r.TaxClass()},
        {QStringLiteral("txtSeatingCapacity"), r.SeatingCapacity()},
        {QStringLiteral("txtEngineCapacity"), r.EngineCapacity()},
        {QStringLiteral("txtFirstRegistered"), DayText(r.DateFirstRegistered())},
        {QStringLiteral("txtLicenceExpiry"), DayText(r.DateOfLicenseExpiry())},
        {QStringLiteral("txtDateOfTheft"), DayText(r.DateOfTheft())},
        {QStringLiteral("txtDateOfRecovery"), DayText(r.DateOfRecovery())},
        {QStringLiteral("txtDateOfScrappage"), DayText(r.DateofScrap())},
        {QStringLiteral("txtDateOfExport"), DayText(r.DateofExport())},
        {QStringLiteral("txtPreviousKeepers"), QString::number(r.NumberOfKeepers())},
        {QStringLiteral("txtLastKeeperChange"), DayText(r.DateLastKeeperChange())},
        {QStringLiteral("txtKeeperAddress1"), r.KeeperAddress1()},
        {QStringLiteral("txtKeeperAddress2"), r.KeeperAddress2()},
        {QStringLiteral("txtKeeperAddress3"), r.KeeperAddress3()},
        {QStringLiteral("txtKeeperAddress4"), r.KeeperAddress4()},
        {QStringLiteral("txtKeeperPostTown"), r.KeeperPostTown()},
        {QStringLiteral("txtKeeperPostCode"), r.KeeperPostCode()},
        {QStringLiteral("txtComments"), r.Comment()},
    };

    if (!r.DVLAERRCode().isEmpty()) {
        const JuxMessageErrors& errors = r.GetErrors();
        for (const auto& error : errors)
            details.DvlaLines << error->Description();
        if (errors.Count() == 0)
            details.DvlaLines << DVLACodeText(r.DVLAERRCode());
    }

    using Layout = ResponseDetails::KeeperLayout;
    if (!r.KeeperName1().isEmpty()) {
        details.Keeper = Layout::Surname;
        details.Texts.insert(QStringLiteral("txtKeeperTitle"), KeeperTitleText(r.Title(), r.KeeperTitleCode()));
        details.Texts.insert(QStringLiteral("txtKeeperName"), r.KeeperName1());
        details.Texts.insert(QStringLiteral("txtKeeperForename"), r.KeeperName2());
    } else if (!r.CompanyName().isEmpty()) {
        details.Keeper = Layout::Company;
        details.Texts.insert(QStringLiteral("txtKeeperTitle"), r.CompanyName());
    } else if (!r.OtherName().isEmpty()) {
        details.Keeper = Layout::Other;
        details.Texts.insert(QStringLiteral("txtKeeperTitle"), r.OtherName());
    }
    return details;
}
