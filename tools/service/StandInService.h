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
// per control reference and hands back made-up keepers and debits for them.
class StandInService {
public:
    explicit StandInService(QString scriptFolder = QString());

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
};
