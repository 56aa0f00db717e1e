#pragma once

#include <QString>

// One pair of the duplicate report: the duplicate request (a new enquiry)
// and one previous request for the same vehicle, whose fields are empty
// when only the new enquiry is reported. Event dates are "yyyymmdd".
// In memory only.
class clsDuplicate {
public:
    QString ID() const { return m_fields.ID; }
    void SetID(const QString& value) { Set(&Fields::ID, value, Qt::CaseInsensitive); }
    QString DupEventDate() const { return m_fields.DupEventDate; }
    void SetDupEventDate(const QString& value) { Set(&Fields::DupEventDate, value); }
    QString DupVRM() const { return m_fields.DupVRM; }
    void SetDupVRM(const QString& value) { Set(&Fields::DupVRM, value); }
    QString DupReferenceNumber() const { return m_fields.DupReferenceNumber; }
    void SetDupReferenceNumber(const QString& value) { Set(&Fields::DupReferenceNumber, value); }
    QString PrevEventDate() const { return m_fields.PrevEventDate; }
    void SetPrevEventDate(const QString& value) { Set(&Fields::PrevEventDate, value); }
    QString PrevReferenceNumber() const { return m_fields.PrevReferenceNumber; }
    void SetPrevReferenceNumber(const QString& value) { Set(&Fields::PrevReferenceNumber, value); }

    bool IsDirty() const { return m_isDirty; }
    bool IsNew() const { return m_isNew; }
    bool BeenApplied() const { return m_beenApplied; }
    // The fields back from the saved copy.
    void Cancel() { m_fields = m_saved; }

private:
    struct Fields {
        QString ID;
        QString DupEventDate;
        QString DupVRM;
        QString DupReferenceNumber;
        QString PrevEventDate;
        QString PrevReferenceNumber;
    };

    void Set(QString Fields::*field, const QString& value,
             Qt::CaseSensitivity compare = Qt::CaseSensitive)
    {
        m_fields.*field = value;
        if (value.compare(m_saved.*field, compare) != 0)
            m_isDirty = true;
    }

    Fields m_fields;
    Fields m_saved;
    bool m_isDirty = false;
    bool m_isNew = true;
    bool m_beenApplied = false;
};
