#pragma once

#include "SimpleHttpServer.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <optional>

// The remote enquiry service played on loopback: it answers each request
// document with a response document of the same message type. A script
// folder may hold "<type>.xml" (sent instead of the built-in answer, with
// $TYPE, $VERSION, $CONTROLREFERENCE and $TIMESTAMP filled in) or
// "<type>.hang" (never answered). Without scripts it remembers enquiries
// per control reference (a batch sent again under its reference replaces
// the first) and hands back made-up keepers and debits for them.
//
// Faults can be scripted; each one strikes once, at the first request it
// fits, after which the service behaves again (see AddFault).
class StandInService {
public:
    explicit StandInService(QString scriptFolder = QString());

    // "kind" or "kind:MessageType". Kinds: hang, slow, drop and cut need a
    // message type (no answer; an answer held DelaySeconds; the request
    // handled but the connection dropped before the answer; dropped half
    // way through it); warn-empty (a "VQ3Enquiry" answered WARN without
    // warning details, the batch not kept); bad-delivery (a "VQ7Request"
    // answer whose first response cannot be read); no-header-reference (a
    // "VQ7Request" answer without control reference in its header);
    // double-response (a "VQ7Request" answer that repeats its first
    // response); bad-statement (a "DEBRequest" answer with one more
    // statement, whose amount is "abc"). False for anything else.
    bool AddFault(const QString& fault);
    void SetDelaySeconds(int seconds) { m_delaySeconds = seconds; }
    // How many requests of the message type arrived.
    int Received(const QString& messageType) const { return m_received.value(messageType); }

    // The answer to one request; none when the type is scripted to hang.
    std::optional<SimpleHttpServer::Answer> Handle(const SimpleHttpServer::Request& request);
    // Told each request's message type as it arrives.
    void SetRequestObserver(std::function<void(const QString& messageType)> observer);

private:
    struct Enquiry {
        QString vehicleElement; // "VRM" or "VIN"
        QString vehicle;
        QString reference;
        QString dateOfEvent;
    };

    // Takes the first pending fault of the kind that fits the type.
    bool Strikes(const QString& kind, const QString& type);
    QString DefaultAnswer(const QString& type, int32_t controlReference);
    QString Remember(const QString& type, int32_t controlReference, const QString& request);
    QString Responses(const QString& type, int32_t controlReference);
    QString Statements(const QString& type);
    QString Scripted(const QString& text, const QString& type, int32_t controlReference) const;

    QString m_scriptFolder;
    std::function<void(const QString&)> m_observer;
    QMap<int32_t, QList<Enquiry>> m_waiting;   // enquiries per control reference
    QMap<int32_t, qsizetype> m_acknowledged;   // delivered control references and their enquiry counts
    int32_t m_debitReference = 501;
    QList<std::pair<QString, QString>> m_faults; // kind and message type, each to strike once
    int m_delaySeconds = 5;
    QMap<QString, int> m_received;
};
