#include "FuzzEnquirers.h"

#include "FuzzWorld.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReason.h"
#include "database/CDataBase.h"
#include "database/DatabasePassword.h"
#include "database/DatabaseSchema.h"
#include "database/GlobalDatabase.h"

Enquirers& FuzzEnquirers()
{
    static Enquirers* enquirers = [] {
        const QString path = FuzzWorld::Get().PathOf(QStringLiteral("Nevix.MDB"));
        DatabaseSchema::CreateNewDatabase(path);
        CDataBase& db = NewGlobalDatabase();
        db.SetConnectionParams(path, QStringLiteral("Microsoft.Jet.OLEDB.4.0"), GetDbPassword(), QString(),
                               QString());
        auto enquirer = std::make_shared<Enquirer>();
        enquirer->SetDataSource(&db);
        enquirer->SetEnquirerId(QStringLiteral("AB123"));
        enquirer->SetName(QStringLiteral("Alpha Ltd"));
        for (const auto& [code, cutOff] : {std::pair{"01AB", 180}, std::pair{"02CD", 0}}) {
            auto reason = std::make_shared<EnquiryReason>();
            reason->SetEnquiryCode(QLatin1String(code));
            reason->SetDescription(QStringLiteral("Reason ") + QLatin1String(code));
            reason->SetDateOfEventCutOff(int16_t(cutOff));
            reason->SetIsDefault(cutOff != 0);
            enquirer->AddEnquiryReason(reason);
        }
        enquirer->Apply();
        auto* loaded = new Enquirers;
        loaded->SetDataSource(&db);
        loaded->Load();
        return loaded;
    }();
    return *enquirers;
}
