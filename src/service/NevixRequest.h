#pragma once

#include "service/NevixBodyLines.h"
#include "service/NevixRequestHeader.h"

#include <QString>

#include <cstdint>
#include <optional>

class LogLines;

// The namespace the request's root element declares.
inline const QString NevixNamespaceUri = QStringLiteral("http://www.nevix.co.uk/schema/jux");

// One request to the service: a header, the body lines the exchange
// supplies, and the log of the run the send procedure writes to. Built,
// sent once and dropped.
class NevixRequest : public NevixBodyLines {
public:
    void AddHeader(const NevixRequestHeader& header) { m_header = header; }
    // None until AddHeader.
    NevixRequestHeader* GetHeader() { return m_header ? &*m_header : nullptr; }
    const NevixRequestHeader* GetHeader() const { return m_header ? &*m_header : nullptr; }

    // Not owned; the caller's log outlives the request.
    void SetLogger(LogLines* log) { m_logger = log; }
    LogLines* GetLogger() const { return m_logger; }

    // The element that wraps the body lines; none when empty.
    void SetBodyStructureElement(const QString& name) { m_bodyElement = name; }

    // The whole document on one line. A request without a header, or whose
    // header has no time stamp, is refused with error 5.
    QString ToXMLString() const;

private:
    std::optional<NevixRequestHeader> m_header;
    LogLines* m_logger = nullptr;
    QString m_bodyElement;
};

// "<ControlReference>" + the number + "</ControlReference>": the body of the
// messages that name a delivery or seed a counter.
QString ControlReferenceBodyLine(int32_t ControlReference);
