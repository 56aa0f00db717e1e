#pragma once

#include "service/NevixBodyLines.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixResponseHeader.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class DelimitedString;
class NevixRequest;

// One answer of the service, checked against the request it answers. No
// check raises: every failure becomes an entry of the error list, and any
// entry makes the answer an "ERR" one. The answer is kept as the UTF-8
// bytes it came as (a delivery may run to hundreds of megabytes): exchanges
// read their body elements from RawAnswer.
class NevixResponse : public NevixBodyLines {
public:
    // A copy of the request (without its log), so the answer never points
    // at a request that is gone; set before the answer is loaded.
    void SetRequest(const NevixRequest& request);
    const NevixRequest* GetRequest() const { return m_request.get(); }

    // The answer as text, made anew at each call.
    QString RawResponse() const { return QString::fromUtf8(m_raw); }
    void SetRawResponse(const QString& value) { m_raw = value.toUtf8(); }
    const QByteArray& RawAnswer() const { return m_raw; }

    // Keeps the text, reads and checks its header and, for an "ERR"
    // answer, collects the service's ErrorMessage elements.
    void LoadFromRawResponse(const QString& RawText);
    // The same for the answer's bytes, taken over without a copy.
    void LoadFromRawAnswer(QByteArray Utf8Text);

    // None until an answer is loaded or an error added.
    const NevixResponseHeader* GetHeader() const { return m_header ? &*m_header : nullptr; }
    // None while no error was added: callers read that as no errors.
    const NevixErrorMessages* GetErrors() const { return m_errors ? &*m_errors : nullptr; }

    // Reads the header from RawResponse; a failed check becomes an error
    // entry and leaves the empty header that entry made.
    void SetHeader();
    void AddError(const QString& ErrorCode, const QString& ErrorDescription);
    // "code,description": the text up to the first comma is the code, the
    // piece after it (leading blank kept) the description; more pieces are
    // dropped.
    void AddErrorFromCSV(const QString& Text);
    void AddErrorsFromElementList(const DelimitedString& ElementList);
    // Replaces the error list.
    void AddErrors(const NevixErrorMessages& Errors);

private:
    void MarkAsError();

    std::shared_ptr<const NevixRequest> m_request;
    QByteArray m_raw;
    std::optional<NevixResponseHeader> m_header;
    std::optional<NevixErrorMessages> m_errors;
};
