#pragma once

#include "database/RecordOf.h"
#include "platform/Nullable.h"

#include <QString>

#include <cstdint>
#include <memory>

class JuxMessageErrors;

struct VQ3Fields {
    QString ID;
    NullableDate WhenEntered;
    NullableDate DateOfEnquiry;
    QString VRMVIN;
    NullableDate DateOfEvent;
    QString EnquiryReference;
    bool HardcopyResponse = false;
    int32_t ControlReference = 0;
    NullableDate WhenPrepared;
    NullableDate WhenImported;
    NullableDate WhenSent;
    int32_t ResponseReceived = 0;
    bool AutoImport = false;
    bool AutoResponseExported = false;
    bool SkipVRMValidation = false;
    QString JuxMsgReference;
    QString IntermediaryId;
    QString EnquirerId;
    QString EnquirerName;
    QString EnquiryCode;
    QString EnquiryCodeDesc;
    bool IsTest = false;
    QString UserName;
    QString ComputerName;
};

// One vehicle enquiry: a row of VQ3_Enquiries with the message errors
// attached to it through its message reference (a fresh GUID for every
// new or reset enquiry). It is written with its errors in one transaction
// and renders its own <VQ3> element for the service.
class VQ3 : public RecordOf<VQ3Fields> {
public:
    VQ3();
    explicit VQ3(ForLoading);
    // A member of a long list, filled by LoadListColumns: no message
    // reference is drawn for it, as its row has one.
    struct ForList {};
    explicit VQ3(ForList);
    ~VQ3() override;

    QString Key() const override { return Current().ID; }

    // Binds the enquiry and its errors.
    void SetDataSource(CDataBase* objDataSource);

    // The live list, replaced by a new one at every reset or load.
    std::shared_ptr<JuxMessageErrors> Errors() const;
    // An error under this enquiry's message reference.
    void AddError(const QString& strErrorCode, const QString& strErrorDescription);
    // The next Apply removes the stored errors.
    void SetToDeleteErrors();
    // Marks for deletion the errors whose code is one of the comma-separated
    // codes (compared whole, ignoring case), so that a new check of the
    // enquiry replaces its own findings and keeps the service's.
    void ClearValidatableErrors(const QString& sErrorCodeList);

    // The enquiry as one <VQ3> element of a send request.
    QString GetNevixMessageXmlString() const;

    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    NullableDate WhenEntered() const { return Current().WhenEntered; }
    void SetWhenEntered(const NullableDate& value);
    NullableDate DateOfEnquiry() const { return Current().DateOfEnquiry; }
    void SetDateOfEnquiry(const NullableDate& value);
    // Stored trimmed, in capitals, without blanks.
    QString VRMVIN() const { return Current().VRMVIN; }
    void SetVRMVIN(const QString& value);
    NullableDate DateOfEvent() const { return Current().DateOfEvent; }
    void SetDateOfEvent(const NullableDate& value);
    QString EnquiryReference() const { return Current().EnquiryReference; }
    void SetEnquiryReference(const QString& value);
    bool HardcopyResponse() const { return Current().HardcopyResponse; }
    void SetHardcopyResponse(bool value);
    int32_t ControlReference() const { return Current().ControlReference; }
    void SetControlReference(int32_t value);
    QString UserName() const { return Current().UserName; }
    void SetUserName(const QString& value);
    // Its first 50 characters are kept.
    QString ComputerName() const { return Current().ComputerName; }
    void SetComputerName(const QString& value);
    NullableDate WhenPrepared() const { return Current().WhenPrepared; }
    void SetWhenPrepared(const NullableDate& value);
    NullableDate WhenImported() const { return Current().WhenImported; }
    void SetWhenImported(const NullableDate& value);
    NullableDate WhenSent() const { return Current().WhenSent; }
    void SetWhenSent(const NullableDate& value);
    int32_t ResponseReceived() const { return Current().ResponseReceived; }
    void SetResponseReceived(int32_t value);
    bool AutoImport() const { return Current().AutoImport; }
    void SetAutoImport(bool value);
    bool AutoResponseExported() const { return Current().AutoResponseExported; }
    void SetAutoResponseExported(bool value);
    QString IntermediaryId() const { return Current().IntermediaryId; }
    void SetIntermediaryId(const QString& value);
    QString JuxMsgReference() const { return Current().JuxMsgReference; }
    void SetJuxMsgReference(const QString& value);
    bool SkipVRMValidation() const { return Current().SkipVRMValidation; }
    void SetSkipVRMValidation(bool value);
    QString EnquirerId() const { return Current().EnquirerId; }
    void SetEnquirerId(const QString& value);
    QString EnquirerName() const { return Current().EnquirerName; }
    void SetEnquirerName(const QString& value);
    QString EnquiryCode() const { return Current().EnquiryCode; }
    void SetEnquiryCode(const QString& value);
    QString EnquiryCodeDesc() const { return Current().EnquiryCodeDesc; }
    void SetEnquiryCodeDesc(const QString& value);
    bool IsTest() const { return Current().IsTest; }
    void SetIsTest(bool value);

    // The mark and date of event as last loaded or written, whatever has
    // been changed since: what a list shows until a change is saved.
    QString SavedVRMVIN() const { return Saved().VRMVIN; }
    NullableDate SavedDateOfEvent() const { return Saved().DateOfEvent; }

    // Its own changes, or else those of its errors.
    bool IsDirty() const override;

    // Mark, date of event as "yyyymmdd" and reference, for error texts.
    QString ToString() const;

    // The row of the current ID; none leaves a new enquiry.
    void Load();
    // The enquiry a keeper response answers: same mark, reference and date
    // of event, and the response's control reference when it has one;
    // with NotYetAutoExported only imported enquiries whose response was
    // not exported automatically. None leaves a new enquiry.
    template <typename Response>
    void LoadByMatchedVQ7(const Response& oVQ7, bool NotYetAutoExported = false)
    {
        LoadByMatch(oVQ7.VRM(), oVQ7.EnquiryReference(), oVQ7.VQ3Controlreference(), oVQ7.DateOfEvent(),
                    NotYetAutoExported);
    }
    void LoadByMatch(const QString& VRM, const QString& EnquiryReference, int32_t ControlReference,
                     const NullableDate& DateOfEvent, bool NotYetAutoExported = false);

    // Also loads the errors of the row's message reference.
    void LoadByRecordSet(const RecordSet& objRs) override;
    // What a list shows of a row: the columns VQ3ID, VRM, Date_Of_Event and
    // TmStamp, in that order. The rest of the row and its errors are read
    // by Load; until then the enquiry is neither new nor changed, and it
    // can be deleted but not otherwise written (Apply raises an error).
    void LoadListColumns(const RecordSet& objRs);
    // The row alone; its message errors are left for the caller to load.
    // True when the enquiry has errors to load under JuxMsgReference.
    bool LoadRowOnly(const RecordSet& objRs);

    // Inserts (with a key from the key maker), updates or deletes the row
    // and writes the errors, all in one transaction. A saved enquiry never
    // keeps an empty reference: it gets "NC3:" and its key. A failure
    // rolls back and leaves the enquiry and its errors as they were.
    void Apply() override;

    // The TAB-separated heading and data lines of the text export.
    static QString ColumnHeadingsToString();
    QString ColumnsToString() const;

    std::unique_ptr<RecordState> SaveState() const override;
    void RestoreState(const RecordState& state) override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void SetDefaults() override;
    void SetDefaultsBeforeRow() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    // The row's write and its errors', inside Apply's transaction.
    void WriteWithErrors(CDataBase& db, const QString& stamp);

    // Made on first use for a list's member, which may never need one.
    mutable std::shared_ptr<JuxMessageErrors> m_errors;
    // Only what a list shows was read.
    bool m_listColumnsOnly = false;
};
