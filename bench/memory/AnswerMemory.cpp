// One exchange with a large answer, in a process of its own, which prints
// its peak resident memory (the lifetime peak is all getrusage gives, hence
// one case per process). The answer comes from a loopback server in this
// process that streams it, so only the client holds it whole.
//
//   nevix_answer_memory <case> [megabytes]
//   idle          the setup alone: program folder, database, enquiries
//   refuse        an answer past the cap, sent without a length, refused
//   refuse-length the same with its length declared
//   store         a delivery of responses received and stored
//   bare-refuse   a plain client reading the unlimited answer up to the cap
//   bare-store    the delivery read by a plain client, parsed with
//                 QXmlStreamReader and stored with prepared statements
#include "StreamingServer.h"

#include "support/DatabaseTest.h"
#include "support/ServiceAccount.h"
#include "support/TestWorld.h"

#include "database/DatabaseSchema.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "service/BuildNevixRequestHeader.h"
#include "service/InetTransfer.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/RequestVehicleResponsesFromNevixServer.h"
#include "service/SendNevixRequest.h"
#include "service/frmHTTPComms.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QXmlStreamReader>

#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int64_t MB = 1000 * 1000;
constexpr int Fields = 48;

std::string Head(const char* type, const char* version)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><ns2:NSResponse "
                       "xmlns:ns2=\"http://www.nevix.co.uk/schema/jux\"><ResponseHeader><ResponseType>ACK"
                       "</ResponseType><MessageType>") +
           type + "</MessageType><MessageVersion>" + version +
           "</MessageVersion><ControlReference>1</ControlReference><MessageTimeStamp>2024-03-15T10:30:05Z"
           "</MessageTimeStamp></ResponseHeader>";
}
const std::string Tail = "</ns2:NSResponse>";

std::string Element(const char* name, const std::string& value)
{
    return std::string("<") + name + '>' + value + "</" + name + '>';
}

// A text at its stored width, every character one that must be escaped:
// the longest a field can make the answer.
std::string Widest(int width)
{
    std::string text;
    for (int i = 0; i < width; ++i)
        text += "&amp;";
    return text;
}

std::string Padded(char first, int index, int width)
{
    std::string digits = std::to_string(index);
    return first + std::string(size_t(width - 1) - digits.size(), '0') + digits;
}

std::string Vrm(int index) { return Padded('V', index, 17); }
std::string Reference(int index) { return Padded('R', index, 50); }

// One response, every field at its stored width; the same size for any
// index.
std::string Response(int index)
{
    const std::string name = Element("Title", Widest(20)) + Element("Surname", Widest(50)) +
                             Element("Forename", Widest(50)) + Element("CompanyName", Widest(70)) +
                             Element("Other", Widest(70));
    const std::string address = Element("AddressLine1", Widest(50)) + Element("AddressLine2", Widest(50)) +
                                Element("AddressLine3", Widest(50)) + Element("AddressLine4", Widest(50)) +
                                Element("City", Widest(50)) + Element("PostCode", Widest(10));
    const std::string vehicle =
        Element("Make", Widest(50)) + Element("Model", Widest(50)) + Element("VIN", Widest(20)) +
        Element("Colour", Widest(50)) + Element("TaxClass", Widest(50)) + Element("SeatingCapacity", Widest(10)) +
        Element("RegistrationNumber", Widest(7)) + Element("TaxStatus", Widest(50)) +
        Element("FleetNumber", Widest(50)) + Element("SecondaryColour", Widest(50)) +
        Element("BodyType", Widest(50)) + Element("Engine", Widest(10)) +
        Element("DateOfLicenceExpiry", "2025-01-31") + Element("DateOfFirstRegistration", "2015-06-01") +
        Element("DateOfRecovery", "2023-02-01") + Element("DateOfTheft", "2023-01-01") +
        Element("DateOfExport", "2023-03-01") + Element("DateOfScrapping", "2023-04-01") +
        Element("DateOfChangeOfKeeper", "2020-05-01") + Element("NumberOfPreviousKeepers", "3");
    return Element("VQ7Response",
                   Element("ControlReference", "1") + Element("DateOfResponse", "2024-03-14") +
                       Element("VQ3", Element("VRM", Vrm(index)) + Element("DateOfEvent", "2024-03-01") +
                                          Element("EnquiryReference", Reference(index))) +
                       Element("VQ7", Element("KeeperName", name) + Element("KeeperAddress", address) +
                                          Element("VehicleDetails", vehicle))) +
           '\n';
}

int ResponsesIn(int64_t bytes)
{
    return int(bytes / int64_t(Response(0).size()));
}

StreamingServer::Reply Delivery(int count)
{
    auto head = std::make_shared<std::string>(Head("VQ7Request", "2.0"));
    const int64_t length = int64_t(head->size()) + int64_t(count) * int64_t(Response(0).size()) + int64_t(Tail.size());
    auto next = std::make_shared<int>(-1);
    return {length, [head, next, count](std::string& piece) {
                const int i = (*next)++;
                if (i < 0)
                    piece = *head;
                else if (i < count)
                    piece = Response(i);
                else if (i == count)
                    piece = Tail;
                else
                    return false;
                return true;
            }};
}

StreamingServer::Reply Filler(const char* type, int64_t bytes, bool declared)
{
    auto head = std::make_shared<std::string>(Head(type, "1.0") + "<Filler>");
    auto left = std::make_shared<int64_t>(bytes);
    std::optional<int64_t> length;
    if (declared)
        length = bytes;
    return {length, [head, left](std::string& piece) {
                if (*left <= 0)
                    return false;
                piece = head->empty() ? std::string(64 * 1024, 'x') : *head;
                head->clear();
                if (int64_t(piece.size()) > *left)
                    piece.resize(size_t(*left));
                *left -= int64_t(piece.size());
                return true;
            }};
}

StreamingServer::Reply Acknowledgement(const std::string& request)
{
    const size_t at = request.find("<MessageType>");
    const size_t from = at == std::string::npos ? request.size() : at + 13;
    const std::string type = request.substr(from, request.find('<', from) - from);
    auto document = std::make_shared<std::string>(Head(type.c_str(), "1.0") + Tail);
    auto done = std::make_shared<bool>(false);
    return {int64_t(document->size()), [document, done](std::string& piece) {
                if (*done)
                    return false;
                piece = *document;
                *done = true;
                return true;
            }};
}

// The enquiries the delivery answers, written with plain statements so
// that the setup itself stays small.
void StoreEnquiries(int count)
{
    CDataBase& db = GlobalDatabase();
    db.BeginTrans();
    for (int i = 0; i < count; ++i)
        db.Execute(QStringLiteral("INSERT INTO VQ3_Enquiries (VQ3ID, VRM, Date_Of_Event, Enquiry_Reference, "
                                  "Control_Reference, When_Sent, EnquiryCode) VALUES (?, ?, ?, ?, 1, ?, '01AA')"),
                   {QStringLiteral("Q%1").arg(i, 10, 10, QLatin1Char('0')), QString::fromStdString(Vrm(i)),
                    QStringLiteral("2024-03-01 00:00:00"), QString::fromStdString(Reference(i)),
                    QStringLiteral("2024-03-14 10:00:00")});
    db.CommitTrans();
}

// The answer as a plain client takes it: appended as it comes, the
// transfer stopped once it has passed `cap`.
QByteArray BarePost(const std::string& url, qint64 cap, bool* refused)
{
    QNetworkAccessManager network;
    QNetworkRequest request{QUrl(QString::fromStdString(url))};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    QNetworkReply* reply = network.post(request, QByteArray("<request/>"));
    QByteArray answer;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] {
        const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (length > 0 && length <= cap)
            answer.reserve(length);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        answer += reply->readAll();
        if (answer.size() > cap) {
            *refused = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    return *refused ? QByteArray() : answer;
}

// Each VQ7Response's leaf texts stored as one row.
int BareStore(const QByteArray& answer, const QString& database)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::string create = "CREATE TABLE Bare (Id INTEGER PRIMARY KEY";
    std::string insert = "INSERT INTO Bare VALUES (NULL";
    for (int i = 0; i < Fields; ++i) {
        create += ", F" + std::to_string(i) + " TEXT";
        insert += ", ?";
    }
    sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr);
    QBuffer device;
    device.setData(answer);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    int stored = 0;
    int field = 0;
    bool inside = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == QLatin1String("VQ7Response")) {
                inside = true;
                field = 0;
                sqlite3_reset(statement);
                sqlite3_clear_bindings(statement);
            }
            break;
        case QXmlStreamReader::Characters:
            if (inside && field < Fields && !xml.isWhitespace()) {
                const QByteArray text = xml.text().toUtf8();
                sqlite3_bind_text(statement, ++field, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == QLatin1String("VQ7Response")) {
                inside = false;
                if (sqlite3_step(statement) == SQLITE_DONE)
                    ++stored;
            }
            break;
        default:
            break;
        }
    }
    sqlite3_finalize(statement);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return stored;
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string which = argc > 1 ? argv[1] : "";
    const bool refusing = which.find("refuse") != std::string::npos;
    const int64_t bytes = (argc > 2 ? std::atoll(argv[2]) : refusing ? 600 : 200) * MB;
    const bool storing = which == "store" || which == "bare-store" || which == "idle";
    const int count = storing ? ResponsesIn(bytes) : 0;

    StreamingServer server([&](const std::string& body) {
        if (body.find("<MessageType>VQ7Request</MessageType>") != std::string::npos)
            return Delivery(count);
        if (body.find("<MessageType>CommsTest</MessageType>") != std::string::npos)
            return Filler("CommsTest", bytes, which == "refuse-length");
        if (body == "<request/>")
            return which == "bare-store" ? Delivery(count) : Filler("CommsTest", bytes, false);
        return Acknowledgement(body);
    });

    TestWorld world(QStringLiteral("BENCH"));
    const QString database = world.PathOf(QStringLiteral("Nevix.MDB"));
    DatabaseSchema::CreateNewDatabase(database);
    ConnectTo(NewGlobalDatabase(), database);
    StoreServiceAccount();
    UseServiceAt(QString::fromStdString(server.Url()), world.PathOf(QStringLiteral("Nevix.INI")));
    StoreEnquiries(count);
    LogLines log;
    log.SetDataSource(&GlobalDatabase());
    log.BeginLogging(QStringLiteral("NTRANS"), QStringLiteral("Transmission"), QStringLiteral("ADMIN"));

    bool ok = false;
    int64_t stored = 0;
    if (which == "idle") {
        ok = true;
    } else if (which == "refuse" || which == "refuse-length") {
        NevixRequest request;
        request.AddHeader(BuildNevixRequestHeader(QStringLiteral("CommsTest"), QStringLiteral("1.0")));
        request.SetLogger(&log);
        const NevixResponse response = SendNevixRequest(request, false);
        const NevixErrorMessages* errors = response.GetErrors();
        ok = errors && errors->Count() == 1 &&
             errors->Item(1).ErrorDescription().contains(QLatin1String("larger than"));
    } else if (which == "store") {
        TransmissionResults results;
        ok = ProcessVQ7ControlReference(log, results, QStringLiteral("1"));
        stored = results.VQ7sReceived();
        ok = ok && stored == count;
    } else if (which == "bare-refuse") {
        bool refused = false;
        BarePost(server.Url(), InetTransfer::MaxAnswerBytes, &refused);
        ok = refused;
    } else if (which == "bare-store") {
        bool refused = false;
        const QByteArray answer = BarePost(server.Url(), InetTransfer::MaxAnswerBytes, &refused);
        stored = BareStore(answer, database);
        ok = stored == count;
    } else {
        std::fprintf(stderr, "unknown case: %s\n", which.c_str());
        return 2;
    }
    UnloadHTTPCommsForm();
    std::printf("peak_kb=%ld sent=%lld stored=%lld responses=%d ok=%d\n", PeakKilobytes(),
                static_cast<long long>(server.Sent()), static_cast<long long>(stored), count, ok ? 1 : 0);
    std::fflush(stdout);
    ReleaseGlobalDatabase();
    return ok ? 0 : 1;
}
