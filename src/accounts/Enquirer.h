#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <memory>

class EnquiryReason;
class EnquiryReasons;

struct EnquirerFields {
    QString EnquirerId;
    QString Name;
    QString IntermediaryId;
    QString ExportFolder;
    QString ImportFolder;
    bool IsDefault = false;
    bool IsEnabled = true;
};

// The party an enquiry is made for: one row of ENQUIRER with its own
// import and export folders and its reasons. Deleting it deletes its
// reasons and user links in the same transaction.
class Enquirer : public RecordOf<EnquirerFields> {
public:
    Enquirer();
    ~Enquirer() override;

    QString Key() const override { return Current().EnquirerId; }

    // Loaded on first use (ordered by description), then kept.
    std::shared_ptr<::EnquiryReasons> EnquiryReasons();
    // Adds to the reasons in memory without loading the stored ones.
    void AddEnquiryReason(std::shared_ptr<EnquiryReason> oReason);

    QString EnquirerId() const { return Current().EnquirerId; }
    void SetEnquirerId(const QString& value);
    QString Name() const { return Current().Name; }
    void SetName(const QString& value);
    QString IntermediaryId() const { return Current().IntermediaryId; }
    void SetIntermediaryId(const QString& value);
    QString ExportFolder() const { return Current().ExportFolder; }
    void SetExportFolder(const QString& value);
    QString ImportFolder() const { return Current().ImportFolder; }
    void SetImportFolder(const QString& value);
    bool IsDefault() const { return Current().IsDefault; }
    void SetIsDefault(bool value);
    bool IsEnabled() const { return Current().IsEnabled; }
    void SetIsEnabled(bool value);

    // Its own changes, or else those of its reasons.
    bool IsDirty() const override;

    void Apply() override;

    std::unique_ptr<RecordState> SaveState() const override;
    void RestoreState(const RecordState& state) override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().EnquirerId = key; }
    // The fresh state has no reasons collection.
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    std::shared_ptr<::EnquiryReasons> m_reasons;
};
