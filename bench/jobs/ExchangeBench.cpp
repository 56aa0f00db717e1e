// Sending 10,000 enquiries in batches of 100 and receiving their 10,000
// responses (100 control references) over the loopback stand-in service,
// beside the same exchanges done bare: the recorded answers replayed, a
// QXmlStreamWriter/QXmlStreamReader pass and prepared statements. The
// service answers from a thread of its own and each step waits for it, so
// both sides are timed by this thread's processor time: the step's own
// work, not the wait.
#include "SideBySide.h"

#include "StandInService.h"

#include "support/DatabaseTest.h"
#include "support/ServiceAccount.h"

#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "records/VQ3Enquiries.h"
#include "service/RequestVehicleResponsesFromNevixServer.h"
#include "service/SendVehicleEnquiriesToNevixServer.h"
#include "service/frmHTTPComms.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <sqlite3.h>

#include <future>
#include <mutex>

namespace {

constexpr int Enquiries = 10000;
constexpr int BatchSize = 100;

// A server on loopback answering from its own thread; every exchange is
// kept (request, answer) for the bare replay.
class ThreadedServer {
public:
    using Handler = SimpleHttpServer::Handler;
    explicit ThreadedServer(Handler handler)
    {
        std::promise<QString> url;
        auto ready = url.get_future();
        m_thread.reset(QThread::create([this, handler, &url] {
            QEventLoop loop;
            m_loop = &loop;
            SimpleHttpServer server([this, handler](const SimpleHttpServer::Request& r) {
                auto answer = handler(r);
                std::lock_guard lock(m_mutex);
                if (answer)
                    m_exchanges.append({r.body, answer->body});
                return answer;
            });
            server.Listen();
            url.set_value(server.Url());
            loop.exec();
        }));
        m_thread->start();
        m_url = ready.get();
    }
    ~ThreadedServer()
    {
        QMetaObject::invokeMethod(m_loop, "quit", Qt::QueuedConnection);
        m_thread->wait();
    }
    QString Url() const { return m_url; }
    QList<std::pair<QByteArray, QByteArray>> TakeExchanges()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_exchanges, {});
    }

private:
    std::unique_ptr<QThread> m_thread;
    QEventLoop* m_loop = nullptr;
    QString m_url;
    std::mutex m_mutex;
    QList<std::pair<QByteArray, QByteArray>> m_exchanges;
};

class ExchangeWorld : public DatabaseTest {
public:
    explicit ExchangeWorld(ThreadedServer& server)
    {
        ConnectTo(NewGlobalDatabase(), path);
        StoreServiceAccount();
        UseServiceAt(server.Url(), world.PathOf(QStringLiteral("Nevix.INI")));
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        parameters.SetBatchSize(BatchSize);
        parameters.Apply();
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        for (int i = 0; i < Enquiries; ++i) {
            auto enquiry = std::make_shared<VQ3>();
            enquiry->SetVRMVIN(QStringLiteral("AB%1C%2").arg(i % 100, 2, 10, QLatin1Char('0')).arg(i / 100, 3, 10, QLatin1Char('0')));
            enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1).addDays(i % 10), QTime(0, 0)));
            enquiry->SetEnquiryReference(QStringLiteral("REF%1").arg(i));
            enquiry->SetEnquiryCode(QStringLiteral("01AA"));
            enquiries.Add(enquiry);
        }
        enquiries.Apply();
        log.BeginLogging(QStringLiteral("NTRANS"), QStringLiteral("Transmission"), QStringLiteral("ADMIN"));
    }
    ~ExchangeWorld() override
    {
        UnloadHTTPCommsForm();
        ReleaseGlobalDatabase();
    }
    void TestBody() override {}
    using DatabaseTest::path;
    LogLines log;
    TransmissionResults results;
};

// One exchange of the bare side: a post, and the answer when it comes.
QByteArray Post(QNetworkAccessManager& network, const QString& url, const QByteArray& body)
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    QNetworkReply* reply = network.post(request, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray answer = reply->readAll();
    reply->deleteLater();
    return answer;
}

// The leaf elements of each `record` element of a document.
QList<QHash<QString, QString>> Records(const QByteArray& document, const QString& record)
{
    QList<QHash<QString, QString>> records;
    QXmlStreamReader xml(document);
    int depth = -1;
    int level = 0;
    QString leaf;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++level;
            if (depth < 0 && xml.name() == record) {
                depth = level;
                records.append(QHash<QString, QString>());
            } else if (depth >= 0) {
                leaf = xml.name().toString();
            }
            break;
        case QXmlStreamReader::Characters:
            if (depth >= 0 && !leaf.isEmpty())
                records.last().insert(leaf, xml.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            if (level == depth)
                depth = -1;
            leaf.clear();
            --level;
            break;
        default:
            break;
        }
    }
    return records;
}

// The send done bare: one update of each enquiry and one commit per batch
// after its answer. Alike: also the writes the step must make, each
// enquiry stamped prepared before anything goes (one commit), and each
// batch's control reference drawn and stored in a commit of its own before
// its post.
void BareSend(const QString& database, const QString& url, bool alike)
{
    QNetworkAccessManager network;
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT VQ3ID, VRM, Date_Of_Event, Enquiry_Reference, EnquiryCode FROM VQ3_Enquiries "
                           "ORDER BY Control_Reference", -1, &select, nullptr);
    struct Row {
        QByteArray id, vrm, day, reference, code;
    };
    QList<Row> rows;
    auto text = [select](int c) { return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(select, c))); };
    while (sqlite3_step(select) == SQLITE_ROW)
        rows.append({text(0), text(1), text(2), text(3), text(4)});
    sqlite3_finalize(select);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE VQ3_Enquiries SET When_Sent = ?, Control_Reference = ?, When_Prepared = ? "
                           "WHERE VQ3ID = ?", -1, &update, nullptr);
    sqlite3_stmt* prepared = nullptr;
    sqlite3_prepare_v2(db, "UPDATE VQ3_Enquiries SET When_Prepared = ? WHERE VQ3ID = ?", -1, &prepared, nullptr);
    sqlite3_stmt* drawn = nullptr;
    sqlite3_prepare_v2(db, "UPDATE System_Parameters SET VQ3_Control_Reference = VQ3_Control_Reference + 1 "
                           "RETURNING VQ3_Control_Reference", -1, &drawn, nullptr);
    sqlite3_stmt* referenced = nullptr;
    sqlite3_prepare_v2(db, "UPDATE VQ3_Enquiries SET Control_Reference = ? WHERE VQ3ID = ?", -1, &referenced,
                       nullptr);
    const auto stampEach = [&](sqlite3_stmt* stmt, int start, int end, const auto& bindFirst) {
        for (int i = start; i < end; ++i) {
            bindFirst(stmt);
            sqlite3_bind_text(stmt, 2, rows[i].id.constData(), int(rows[i].id.size()), SQLITE_STATIC);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
    };
    if (alike) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        stampEach(prepared, 0, int(rows.size()),
                  [](sqlite3_stmt* stmt) { sqlite3_bind_text(stmt, 1, "2024-03-15 10:30:00", -1, SQLITE_STATIC); });
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    for (int start = 0, reference = 5000; start < rows.size(); start += BatchSize, ++reference) {
        const int end = std::min<int>(start + BatchSize, rows.size());
        if (alike) {
            sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            if (sqlite3_step(drawn) == SQLITE_ROW)
                reference = sqlite3_column_int(drawn, 0);
            sqlite3_reset(drawn);
            stampEach(referenced, start, end, [reference](sqlite3_stmt* stmt) { sqlite3_bind_int(stmt, 1, reference); });
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        QByteArray document;
        QXmlStreamWriter xml(&document);
        xml.writeStartDocument();
        xml.writeStartElement(QStringLiteral("NSRequest"));
        xml.writeStartElement(QStringLiteral("RequestHeader"));
        xml.writeTextElement(QStringLiteral("MessageType"), QStringLiteral("VQ3Enquiry"));
        xml.writeTextElement(QStringLiteral("ControlReference"), QString::number(reference));
        xml.writeEndElement();
        for (int i = start; i < end; ++i) {
            xml.writeStartElement(QStringLiteral("VQ3"));
            xml.writeTextElement(QStringLiteral("VRM"), QString::fromUtf8(rows[i].vrm));
            xml.writeTextElement(QStringLiteral("DateOfEvent"), QString::fromUtf8(rows[i].day.left(10)));
            xml.writeTextElement(QStringLiteral("EnquiryReference"), QString::fromUtf8(rows[i].reference));
            xml.writeTextElement(QStringLiteral("EnquiryCode"), QString::fromUtf8(rows[i].code));
            xml.writeEndElement();
        }
        xml.writeEndDocument();
        const QByteArray answer = Post(network, url, document);
        if (Records(answer, QStringLiteral("ResponseHeader")).isEmpty())
            continue;
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int i = start; i < end; ++i) {
            sqlite3_bind_text(update, 1, "2024-03-15 10:30:00", -1, SQLITE_STATIC);
            sqlite3_bind_int(update, 2, reference);
            sqlite3_bind_text(update, 3, "2024-03-15 10:30:00", -1, SQLITE_STATIC);
            sqlite3_bind_text(update, 4, rows[i].id.constData(), int(rows[i].id.size()), SQLITE_STATIC);
            sqlite3_step(update);
            sqlite3_reset(update);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(update);
    sqlite3_finalize(prepared);
    sqlite3_finalize(drawn);
    sqlite3_finalize(referenced);
    sqlite3_close(db);
}

void BareReceive(const QString& database, const QString& url, int exchanges)
{
    QNetworkAccessManager network;
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO VQ7_Responses (VQ7ID, Control_Reference, Date_Of_Response, VRM, Date_Of_Event, "
                       "Enquiry_Reference, Title, Keeper_Name_1, Keeper_Name_2, Keeper_Address_1, Keeper_Post_Town, "
                       "Keeper_Post_Code, Make, Model, When_Received, IsTest) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)",
                       -1, &insert, nullptr);
    int id = 0;
    for (int n = 0; n < exchanges; ++n) {
        const QByteArray answer = Post(network, url, QByteArray::number(n));
        const auto responses = Records(answer, QStringLiteral("VQ7Response"));
        if (responses.isEmpty())
            continue;
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& r : responses) {
            const QByteArray values[] = {QByteArray("B") + QByteArray::number(++id), r.value("ControlReference").toUtf8(),
                                         r.value("DateOfResponse").toUtf8(), r.value("VRM").toUtf8(),
                                         r.value("DateOfEvent").toUtf8(), r.value("EnquiryReference").toUtf8(),
                                         r.value("Title").toUtf8(), r.value("Surname").toUtf8(),
                                         r.value("Forename").toUtf8(), r.value("AddressLine1").toUtf8(),
                                         r.value("City").toUtf8(), r.value("PostCode").toUtf8(),
                                         r.value("Make").toUtf8(), r.value("Model").toUtf8(), "2024-03-15 10:30:00"};
            for (int c = 0; c < 15; ++c)
                sqlite3_bind_text(insert, c + 1, values[c].constData(), int(values[c].size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

// The recorded answers again, in their order.
ThreadedServer::Handler Replay(QList<std::pair<QByteArray, QByteArray>> exchanges)
{
    auto shared = std::make_shared<QList<std::pair<QByteArray, QByteArray>>>(std::move(exchanges));
    auto next = std::make_shared<int>(0);
    return [shared, next](const SimpleHttpServer::Request&) -> std::optional<SimpleHttpServer::Answer> {
        if (*next >= shared->size())
            return SimpleHttpServer::Answer{200, QByteArray()};
        return SimpleHttpServer::Answer{200, shared->at((*next)++).second};
    };
}

void BM_SendAndReceive(benchmark::State& state)
{
    EnsureApplication();
    const bool receive = state.range(0) == 1;
    const bool singleUser = state.range(1) == 1;
    SideBySide timing(state, Timer::ThreadCpu);
    for (auto _ : state) {
        auto service = std::make_shared<StandInService>();
        ThreadedServer server([service](const SimpleHttpServer::Request& r) { return service->Handle(r); });
        ExchangeWorld world(server);
        GlobalDatabase().SetIsSingleUserConnection(singleUser);
        timing.Program([&] { SendVehicleEnquiriesToNevixServer(world.log, world.results); });
        if (world.results.VQ3sSent() != Enquiries)
            state.SkipWithError("not every enquiry was sent");
        auto exchanges = server.TakeExchanges();
        if (receive) {
            timing.Restart();
            timing.Program([&] { RequestVehicleResponsesFromNevixServer(world.log, world.results); });
            if (world.results.VQ7sReceived() != Enquiries)
                state.SkipWithError("not every response was received");
            exchanges = server.TakeExchanges();
            const int count = int(exchanges.size());
            ThreadedServer replay(Replay(std::move(exchanges)));
            timing.Bare([&] { BareReceive(world.path, replay.Url(), count); });
        } else {
            {
                ThreadedServer replay(Replay(exchanges));
                timing.Bare([&] { BareSend(world.path, replay.Url(), false); });
            }
            ThreadedServer replay(Replay(std::move(exchanges)));
            timing.BareAlike([&] { BareSend(world.path, replay.Url(), true); });
        }
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_SendAndReceive)->ArgNames({"receive", "single_user"})->Args({0, 0})->Args({1, 0})->Args({1, 1});

} // namespace
