#pragma once

#include "database/RecordOf.h"
#include "database/RecordSet.h"
#include "records/JuxMessageErrors.h"

#include <QString>

#include <cstdint>
#include <memory>

struct VQ7Fields {
    QString ID;
    int32_t ControlReference = 0;
    NullableDate WhenPrepared;
    NullableDate WhenReceived;
    NullableDate DateOfResponse;
    QString VRM;
    QString RegistrationNumber;
    QString TaxStatus;
    QString FleetNumber;
    QString SecondaryColour;
    QString BodyType;
    QString EnquiryReference;
    QString DVLAERRCode;
    QString HardcopyCode;
    QString Make;
    QString Model;
    QString Colour;
    QString EngineCapacity;
    QString SeatingCapacity;
    QString TaxClass;
    QString VIN;
    int16_t NumberOfKeepers = 0;
    NullableDate DateLastKeeperChange;
    NullableDate DateOfLicenseExpiry;
    NullableDate DateOfTheft;
    NullableDate DateOfRecovery;
    NullableDate DateOfEvent;
    NullableDate DateFirstRegistered;
    QString KeeperNameCode;
    QString KeeperTitleCode;
    QString KeeperName1;
    QString KeeperName2;
    QString KeeperAddress1;
    QString KeeperAddress2;
    QString KeeperAddress3;
    QString KeeperAddress4;
    QString KeeperPostTown;
    QString KeeperPostCode;
    QString Engine;
    QString Title;
    NullableDate DateofExport;
    NullableDate DateofScrap;
    QString CompanyName;
    QString OtherName;
    QString Comment; // stored form: line breaks as the two characters "\n"
    QString JuxMsgReference;
    bool ForAutoExport = false;
    NullableDate JuxExportedDate;
    QString EnquirerId;
    QString EnquirerName;
    QString EnquiryCode;
    QString EnquiryCodeDesc;
    bool IsTest = false;
};

// One keeper response: the DVLA's answer to one vehicle enquiry, a row of
// VQ7_Responses. Day columns are stored without their time of day.
class VQ7 : public RecordOf<VQ7Fields> {
    using F = VQ7Fields;

public:
    VQ7();
    explicit VQ7(ForLoading);

    QString Key() const override { return Current().ID; }

    // A message error under this response's reference; not a change of the
    // response itself.
    void AddError(const QString& strErrorCode, const QString& strErrorDescription);
    // The response's own error list (not a copy); a load replaces it.
    JuxMessageErrors& GetErrors() const { return *m_errors; }
    // The next Apply deletes every stored error of the response.
    void SetToDeleteErrors();
    // Also the error list's connection.
    void SetDataSource(CDataBase* objDataSource);

    bool IsTest() const { return Current().IsTest; }
    void SetIsTest(bool v) { SetField(&F::IsTest, v); }
    QString ID() const { return Current().ID; }
    void SetID(const QString& v) { SetText(&F::ID, v, Qt::CaseInsensitive); }
    int32_t ControlReference() const { return Current().ControlReference; }
    void SetControlReference(int32_t v) { SetField(&F::ControlReference, v); }
    // The enquiry batch answered; memory only.
    int32_t VQ3Controlreference() const { return m_vq3ControlReference; }
    void SetVQ3Controlreference(int32_t v) { m_vq3ControlReference = v; }

    NullableDate WhenPrepared() const { return Current().WhenPrepared; }
    void SetWhenPrepared(const NullableDate& v) { SetField(&F::WhenPrepared, v); }
    NullableDate WhenReceived() const { return Current().WhenReceived; }
    void SetWhenReceived(const NullableDate& v) { SetField(&F::WhenReceived, v); }
    NullableDate DateOfResponse() const { return Current().DateOfResponse; }
    void SetDateOfResponse(const NullableDate& v) { SetField(&F::DateOfResponse, v); }
    QString VRM() const { return Current().VRM; }
    void SetVRM(const QString& v) { SetText(&F::VRM, v, Qt::CaseSensitive); }
    QString RegistrationNumber() const { return Current().RegistrationNumber; }
    void SetRegistrationNumber(const QString& v) { SetText(&F::RegistrationNumber, v, Qt::CaseSensitive); }
    QString TaxStatus() const { return Current().TaxStatus; }
    void SetTaxStatus(const QString& v) { SetText(&F::TaxStatus, v, Qt::CaseSensitive); }
    QString FleetNumber() const { return Current().FleetNumber; }
    void SetFleetNumber(const QString& v) { SetText(&F::FleetNumber, v, Qt::CaseSensitive); }
    QString SecondaryColour() const { return Current().SecondaryColour; }
    void SetSecondaryColour(const QString& v) { SetText(&F::SecondaryColour, v, Qt::CaseSensitive); }
    QString BodyType() const { return Current().BodyType; }
    void SetBodyType(const QString& v) { SetText(&F::BodyType, v, Qt::CaseSensitive); }
    QString EnquiryReference() const { return Current().EnquiryReference; }
    void SetEnquiryReference(const QString& v) { SetText(&F::EnquiryReference, v, Qt::CaseSensitive); }
    QString EnquirerId() const { return Current().EnquirerId; }
    void SetEnquirerId(const QString& v) { SetText(&F::EnquirerId, v, Qt::CaseInsensitive); }
    QString DVLAERRCode() const { return Current().DVLAERRCode; }
    void SetDVLAERRCode(const QString& v) { SetText(&F::DVLAERRCode, v, Qt::CaseInsensitive); }
    QString HardcopyCode() const { return Current().HardcopyCode; }
    void SetHardcopyCode(const QString& v) { SetText(&F::HardcopyCode, v, Qt::CaseInsensitive); }
    QString Make() const { return Current().Make; }
    void SetMake(const QString& v) { SetText(&F::Make, v, Qt::CaseInsensitive); }
    QString Model() const { return Current().Model; }
    void SetModel(const QString& v) { SetText(&F::Model, v, Qt::CaseInsensitive); }
    QString Colour() const { return Current().Colour; }
    void SetColour(const QString& v) { SetText(&F::Colour, v, Qt::CaseInsensitive); }
    QString EngineCapacity() const { return Current().EngineCapacity; }
    void SetEngineCapacity(const QString& v) { SetText(&F::EngineCapacity, v, Qt::CaseInsensitive); }
    QString SeatingCapacity() const { return Current().SeatingCapacity; }
    void SetSeatingCapacity(const QString& v) { SetText(&F::SeatingCapacity, v, Qt::CaseInsensitive); }
    QString TaxClass() const { return Current().TaxClass; }
    void SetTaxClass(const QString& v) { SetText(&F::TaxClass, v, Qt::CaseInsensitive); }
    QString VIN() const { return Current().VIN; }
    void SetVIN(const QString& v) { SetText(&F::VIN, v, Qt::CaseInsensitive); }
    int16_t NumberOfKeepers() const { return Current().NumberOfKeepers; }
    void SetNumberOfKeepers(int16_t v) { SetField(&F::NumberOfKeepers, v); }
    NullableDate DateLastKeeperChange() const { return Current().DateLastKeeperChange; }
    void SetDateLastKeeperChange(const NullableDate& v) { SetField(&F::DateLastKeeperChange, v); }
    NullableDate DateOfLicenseExpiry() const { return Current().DateOfLicenseExpiry; }
    void SetDateOfLicenseExpiry(const NullableDate& v) { SetField(&F::DateOfLicenseExpiry, v); }
    NullableDate DateOfTheft() const { return Current().DateOfTheft; }
    void SetDateOfTheft(const NullableDate& v) { SetField(&F::DateOfTheft, v); }
    NullableDate DateOfRecovery() const { return Current().DateOfRecovery; }
    void SetDateOfRecovery(const NullableDate& v) { SetField(&F::DateOfRecovery, v); }
    NullableDate DateOfEvent() const { return Current().DateOfEvent; }
    void SetDateOfEvent(const NullableDate& v) { SetField(&F::DateOfEvent, v); }
    NullableDate DateFirstRegistered() const { return Current().DateFirstRegistered; }
    void SetDateFirstRegistered(const NullableDate& v) { SetField(&F::DateFirstRegistered, v); }
    QString KeeperNameCode() const { return Current().KeeperNameCode; }
    void SetKeeperNameCode(const QString& v) { SetText(&F::KeeperNameCode, v, Qt::CaseInsensitive); }
    QString KeeperTitleCode() const { return Current().KeeperTitleCode; }
    void SetKeeperTitleCode(const QString& v) { SetText(&F::KeeperTitleCode, v, Qt::CaseInsensitive); }
    QString KeeperName1() const { return Current().KeeperName1; }
    void SetKeeperName1(const QString& v) { SetText(&F::KeeperName1, v, Qt::CaseInsensitive); }
    QString KeeperName2() const { return Current().KeeperName2; }
    void SetKeeperName2(const QString& v) { SetText(&F::KeeperName2, v, Qt::CaseInsensitive); }
    QString KeeperAddress1() const { return Current().KeeperAddress1; }
    void SetKeeperAddress1(const QString& v) { SetText(&F::KeeperAddress1, v, Qt::CaseInsensitive); }
    QString KeeperAddress2() const { return Current().KeeperAddress2; }
    void SetKeeperAddress2(const QString& v) { SetText(&F::KeeperAddress2, v, Qt::CaseInsensitive); }
    QString KeeperAddress3() const { return Current().KeeperAddress3; }
    void SetKeeperAddress3(const QString& v) { SetText(&F::KeeperAddress3, v, Qt::CaseInsensitive); }
    QString KeeperAddress4() const { return Current().KeeperAddress4; }
    void SetKeeperAddress4(const QString& v) { SetText(&F::KeeperAddress4, v, Qt::CaseInsensitive); }
    QString KeeperPostTown() const { return Current().KeeperPostTown; }
    void SetKeeperPostTown(const QString& v) { SetText(&F::KeeperPostTown, v, Qt::CaseInsensitive); }
    QString KeeperPostCode() const { return Current().KeeperPostCode; }
    void SetKeeperPostCode(const QString& v) { SetText(&F::KeeperPostCode, v, Qt::CaseInsensitive); }
    QString Engine() const { return Current().Engine; }
    void SetEngine(const QString& v) { SetText(&F::Engine, v, Qt::CaseInsensitive); }
    QString Title() const { return Current().Title; }
    void SetTitle(const QString& v) { SetText(&F::Title, v, Qt::CaseInsensitive); }
    NullableDate DateofExport() const { return Current().DateofExport; }
    void SetDateofExport(const NullableDate& v) { SetField(&F::DateofExport, v); }
    NullableDate DateofScrap() const { return Current().DateofScrap; }
    void SetDateofScrap(const NullableDate& v) { SetField(&F::DateofScrap, v); }
    QString CompanyName() const { return Current().CompanyName; }
    void SetCompanyName(const QString& v) { SetText(&F::CompanyName, v, Qt::CaseInsensitive); }
    QString OtherName() const { return Current().OtherName; }
    void SetOtherName(const QString& v) { SetText(&F::OtherName, v, Qt::CaseInsensitive); }
    // Line breaks are kept as the two characters "\n" (so a typed "\n"
    // also reads back as a line break).
    QString Comment() const;
    void SetComment(const QString& v);
    QString JuxMsgReference() const { return Current().JuxMsgReference; }
    void SetJuxMsgReference(const QString& v) { SetText(&F::JuxMsgReference, v, Qt::CaseInsensitive); }
    bool ForAutoExport() const { return Current().ForAutoExport; }
    void SetForAutoExport(bool v) { SetField(&F::ForAutoExport, v); }
    NullableDate JuxExportedDate() const { return Current().JuxExportedDate; }
    void SetJuxExportedDate(const NullableDate& v) { SetField(&F::JuxExportedDate, v); }
    QString EnquirerName() const { return Current().EnquirerName; }
    void SetEnquirerName(const QString& v) { SetText(&F::EnquirerName, v, Qt::CaseInsensitive); }
    QString EnquiryCode() const { return Current().EnquiryCode; }
    void SetEnquiryCode(const QString& v) { SetText(&F::EnquiryCode, v, Qt::CaseInsensitive); }
    QString EnquiryCodeDesc() const { return Current().EnquiryCodeDesc; }
    void SetEnquiryCodeDesc(const QString& v) { SetText(&F::EnquiryCodeDesc, v, Qt::CaseInsensitive); }

    // The fuller vehicle data of older responses is present: a vehicle date
    // or a number of keepers.
    bool IsLegacyData() const;

    void Load();
    void LoadByEnquiryRefAndControlRef(const QString& sEnquiryReference, int32_t lControlReference);
    // The record's row, open; the caller closes it.
    RecordSet GetAsRecordSet() const;
    void LoadByRecordSet(const RecordSet& objRs) override;
    // The row alone; its message errors are left for the caller to load.
    // True when the response has errors to load under JuxMsgReference.
    bool LoadRowOnly(const RecordSet& objRs);
    // Writes the row (and the message errors) in one transaction level; a
    // stored response always gets an enquiry reference ("NC3" and its key).
    void Apply() override;

    // The tab-separated listing: 14 headings; 18 values, each followed by a TAB.
    static QString ColumnHeadingsToString();
    QString ColumnsToString() const;

    // With the error list's members and flags.
    std::unique_ptr<RecordState> SaveState() const override;
    void RestoreState(const RecordState& state) override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { SetID(key); }
    void SetDefaults() override;
    void SetDefaultsBeforeRow() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    void ApplyOnce();
    void NewErrors();

    int32_t m_vq3ControlReference = -1;
    std::shared_ptr<JuxMessageErrors> m_errors;
};
