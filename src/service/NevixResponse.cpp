#include "service/NevixResponse.h"

#include "core/DelimitedString.h"
#include "platform/NevixError.h"
#include "records/XMLUtils.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"

#include <exception>
#include <utility>

void NevixResponse::SetRequest(const NevixRequest& request)
{
    auto copy = std::make_shared<NevixRequest>(request);
    copy->SetLogger(nullptr);
    m_request = std::move(copy);
}

void NevixResponse::LoadFromRawResponse(const QString& RawText)
{
    LoadFromRawAnswer(RawText.toUtf8());
}

void NevixResponse::LoadFromRawAnswer(QByteArray Utf8Text)
{
    m_raw = std::move(Utf8Text);
    if (!HasElement(QStringLiteral("NSResponse"), m_raw)) {
        AddError(NevixErrorCodes::ParseFailed, QStringLiteral("Unable to parse response"));
        return;
    }
    if (!HasElement(QStringLiteral("ResponseHeader"), m_raw)) {
        AddError(NevixErrorCodes::NoHeader, QStringLiteral("No header found"));
        return;
    }
    SetHeader();

    const NevixRequestHeader* sent = m_request ? m_request->GetHeader() : nullptr;
    if (m_header && m_header->MessageType() != (sent ? sent->MessageType() : QString()))
        AddError(NevixErrorCodes::MessageTypeProblem,
                 QStringLiteral("Request message type does not match response message type"));

    if (m_header && m_header->ResponseType() == NevixResponseTypes::ERR) {
        const DelimitedString list = ExtractElementListUtf8(QStringLiteral("ErrorMessage"), m_raw);
        if (list.Count() > 0)
            AddErrorsFromElementList(list);
    }
}

void NevixResponse::SetHeader()
{
    NevixResponseHeader header;
    try {
        // The header alone is made text: the answer may be long.
        header.LoadFromXMLResponse(ExtractElementUtf8(QStringLiteral("ResponseHeader"), m_raw));
        m_header = header;
    } catch (const NevixError& e) {
        if (e.Number() == ErrorNumbers::ObjectErrorBase)
            AddErrorFromCSV(e.Description());
        else
            AddError(NevixErrorCodes::ProgramError, e.Description());
    } catch (const std::exception& e) {
        AddError(NevixErrorCodes::ProgramError, QString::fromLocal8Bit(e.what()));
    }
}

void NevixResponse::AddError(const QString& ErrorCode, const QString& ErrorDescription)
{
    if (!m_errors)
        m_errors.emplace();
    m_errors->Add(NevixErrorMessage(ErrorCode, ErrorDescription));
    MarkAsError();
}

void NevixResponse::AddErrorFromCSV(const QString& Text)
{
    const QStringList pieces = Text.split(QLatin1Char(','));
    AddError(pieces.value(0), pieces.value(1));
}

void NevixResponse::AddErrorsFromElementList(const DelimitedString& ElementList)
{
    if (!m_errors)
        m_errors.emplace();
    m_errors->AddFromElementList(ElementList);
    MarkAsError();
}

void NevixResponse::AddErrors(const NevixErrorMessages& Errors)
{
    m_errors = Errors;
    MarkAsError();
}

void NevixResponse::MarkAsError()
{
    if (!m_header)
        m_header.emplace();
    m_header->SetResponseType(NevixResponseTypes::ERR);
}
