#include "service/BuildNevixRequestHeader.h"

#include "core/ApplicationSettings.h"
#include "core/GlobalDeclarations.h"
#include "core/TimeConversion.h"
#include "database/GlobalDatabase.h"
#include "database/NevixParameters.h"
#include "platform/AppContext.h"

NevixRequestHeader CreateNevixRequestHeader(const QString& MessageType, const QString& UserName,
                                            const QString& Password, bool IsTest,
                                            const QString& MessageVersion)
{
    NevixRequestHeader header;
    header.SetMessageTimeStamp(LocalToUTC(AppContext::Current().clock().Now()));
    header.SetMessageType(MessageType);
    header.SetUserName(UserName);
    header.SetPassword(Password);
    header.SetIsTest(IsTest);
    header.SetMessageVersion(MessageVersion);
    header.SetSoftwareClient(VersionBanner());
    return header;
}

NevixRequestHeader BuildNevixRequestHeader(const QString& MessageType, const QString& MessageVersion)
{
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.Load();
    ApplicationSettings& settings = Settings();
    NevixRequestHeader header = CreateNevixRequestHeader(
        MessageType, account.UserName(), account.Password(), settings.RunInTestMode(), MessageVersion);
    const QString mode = settings.IsInInteractiveMode() ? QStringLiteral("(I)") : QStringLiteral("(A)");
    header.SetSoftwareClient(header.SoftwareClient() + mode);
    return header;
}

NevixRequestHeader BuildNevixRequestHeaderV1(const QString& MessageType)
{
    return BuildNevixRequestHeader(MessageType, QStringLiteral("1.0"));
}
