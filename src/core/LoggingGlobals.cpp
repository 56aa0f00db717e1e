#include "core/LoggingGlobals.h"

#include <QHash>

QString ProcessCodeDescription(const QString& ProcessCode)
{
    static const QHash<QString, QString> Descriptions = {
        {ProcessCodes::VQ3IMP, QStringLiteral("Vehicle Enquiry Import")},
        {ProcessCodes::TBLMAINT, QStringLiteral("Table Maintenance")},
        {ProcessCodes::AUTOEXEC, QStringLiteral("Autoexecute Schedule Run")},
        {ProcessCodes::COMRUN, QStringLiteral("Communication Session")},
        {ProcessCodes::VQ7EXP, QStringLiteral("Keeper Response Export")},
        {ProcessCodes::DEBEXP, QStringLiteral("Debit Statement Export")},
        {ProcessCodes::VQ7PRN, QStringLiteral("Keeper Response Print")},
        {ProcessCodes::DEBPRN, QStringLiteral("Debit Statement Print")},
        {ProcessCodes::VQ3AEX, QStringLiteral("Keeper Response Admin Export")},
        {ProcessCodes::DEBAEX, QStringLiteral("Debit Statement Admin Export")},
        {ProcessCodes::VQ7AEX, QStringLiteral("Keeper Response  Admin Export")},
        {ProcessCodes::EDIIN, QStringLiteral("EDI Import (VQ3)")},
        {ProcessCodes::EDIOUT, QStringLiteral("EDI Export (VQ7 and DEB)")},
        {ProcessCodes::NCOMST, QStringLiteral("Nevix Communication Test")},
        {ProcessCodes::NVQ3, QStringLiteral("Nevix Vehicle Keeper Request")},
        {ProcessCodes::NVQ7, QStringLiteral("Nevix Vehicle Keeper Response")},
        {ProcessCodes::NPARAMS, QStringLiteral("Nevix Parameter Request")},
        {ProcessCodes::CHGPWD, QStringLiteral("Nevix Change Password")},
        {ProcessCodes::SMR, QStringLiteral("Nevix System Message Request")},
        {ProcessCodes::SCTL, QStringLiteral("Seeding Control References")},
        {ProcessCodes::DEB, QStringLiteral("Nevix Debit Statement Request")},
    };
    return Descriptions.value(ProcessCode);
}

QString EventCodeText(int32_t EventCode)
{
    switch (EventCode) {
    case 8: return QStringLiteral("Start");
    case 16: return QStringLiteral("End");
    case 128: return QStringLiteral("W");
    case 256: return QStringLiteral("E");
    case 512: return QStringLiteral("F");
    default: return {};
    }
}
