#pragma once

// A loopback service for the exchange steps: each request is answered by
// the document scripted for its message type (the acknowledgement when
// none is), with "$TYPE", "$VERSION" and "$REQUESTED" (the control
// reference the request names) filled from the request and any placeholder
// of `fill` by its value; `alter`, when set, may then change the answer
// (hold it, cut it) or do what happens while the client waits.

#include "service/NevixMessageTypes.h"
#include "service/frmHTTPComms.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/User.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "records/XMLUtils.h"

#include "support/DatabaseTest.h"
#include "support/FileBytes.h"
#include "support/ServiceAccount.h"

#include "SimpleHttpServer.h"

#include <QHash>

#include <functional>

class ExchangeTest : public DatabaseTest {
protected:
    ExchangeTest()
        : server([this](const SimpleHttpServer::Request& r) -> std::optional<SimpleHttpServer::Answer> {
              const QString body = QString::fromUtf8(r.body);
              const QString type = ExtractElementValue(QStringLiteral("MessageType"), body);
              requests.append({type, body});
              QByteArray answer = ReadBytes(QStringLiteral(NEVIX_TEST_DATA "/service/") +
                                            answers.value(type, QStringLiteral("ack.xml")));
              answer.replace("$TYPE", type.toUtf8()).replace("$VERSION", NevixMessageVersionFor(type).toUtf8());
              answer.replace("$REQUESTED", ExtractElementValue(QStringLiteral("ControlReference"), body).toUtf8());
              for (auto it = fill.cbegin(); it != fill.cend(); ++it)
                  answer.replace(it.key(), it.value());
              SimpleHttpServer::Answer reply{200, answer};
              if (alter)
                  alter(type, body, reply);
              return reply;
          })
    {
        EXPECT_TRUE(server.Listen());
        ConnectTo(NewGlobalDatabase(), path);
        StoreServiceAccount();
        UseServiceAt(server.Url(), world.PathOf(QStringLiteral("Nevix.INI")));
        log.BeginLogging(QStringLiteral("NTRANS"), QStringLiteral("Transmission"), QStringLiteral("ADMIN"));
    }
    ~ExchangeTest() override
    {
        SetCurrentUser(nullptr);
        UnloadHTTPCommsForm();
        ReleaseGlobalDatabase();
    }

    QStringList Types() const
    {
        QStringList types;
        for (const auto& request : requests)
            types.append(request.first);
        return types;
    }
    // The enquirer the recorded debit statements name, with a charge of
    // 2.50 filled into them.
    void StoreStatementEnquirer()
    {
        fill["$AMOUNT"] = "2.5";
        Enquirer enquirer;
        enquirer.SetDataSource(&GlobalDatabase());
        enquirer.SetEnquirerId(QStringLiteral("AB123"));
        enquirer.SetName(QStringLiteral("Acme Parking"));
        enquirer.Apply();
    }

    // A stored user "clerk" logged on, for the runs that take the lock;
    // logged off when the test ends.
    void LogOnClerk()
    {
        auto clerk = std::make_shared<User>();
        clerk->SetDataSource(&GlobalDatabase());
        clerk->SetUserName(QStringLiteral("clerk"));
        clerk->Apply();
        SetCurrentUser(clerk);
    }

    QStringList Lines(int16_t eventCode) const
    {
        QStringList lines;
        for (const auto& line : log.NewEnum())
            if (line->EventCode() == eventCode)
                lines.append(line->EventText());
        return lines;
    }

    QHash<QString, QString> answers;
    // Further placeholders of the scripted documents and their values.
    QHash<QByteArray, QByteArray> fill;
    std::function<void(const QString& type, const QString& body, SimpleHttpServer::Answer& answer)> alter;
    QList<std::pair<QString, QString>> requests;
    SimpleHttpServer server;
    LogLines log;
    TransmissionResults results;
};
