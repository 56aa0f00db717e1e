// The service's answers: the element readers of XMLUtils and the answer
// document over whatever text arrives.
//
// Properties: loading an answer never raises (every failure becomes an
// error of the answer, which is then "ERR"); each word of an element list
// is one whole element; and any text, escaped for a document, reads back
// as itself.

#include "FuzzWorld.h"

#include "platform/NevixError.h"
#include "records/XMLUtils.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"

namespace {
const char* const Names[] = {"ResponseHeader", "MessageTimeStamp", "ErrorMessage", "VQ7Response",
                             "ControlReference", "TestFlag", "DateOfResponse", "E"};

void ReadElements(const QString& doc)
{
    for (const char* raw : Names) {
        const QString name = QString::fromLatin1(raw);
        (void)ExtractElement(name, doc);
        (void)ExtractElementValue(name, doc, QStringLiteral("default"), true, true);
        (void)ExtractIntegerElementValue(name, doc, 7);
        (void)ExtractBooleanElementValue(name, doc, false);
        try {
            if (const NullableDate date = ExtractDateElementValue(name, doc))
                Require(date->isValid(), "a date read from an answer is a valid moment");
        } catch (const NevixError&) {
            // A tail the reader does not know is a type mismatch for the caller.
        }
        QString open, close;
        FindElementNameInDoc(name, doc, open, close);
        const DelimitedString list = ExtractElementList(name, doc);
        for (int32_t i = 1; i <= list.Count(); ++i) {
            const QString word = list.Word(i);
            Require(word.startsWith(open, Qt::CaseInsensitive) && word.endsWith(close, Qt::CaseInsensitive),
                    "each word of an element list is one whole element");
        }
    }
}

void LoadAnswer(const QString& doc, const QString& requestType)
{
    NevixRequestHeader header;
    header.SetMessageType(requestType);
    NevixRequest request;
    request.AddHeader(header);
    NevixResponse response;
    response.SetRequest(request);
    response.LoadFromRawResponse(doc); // raises nothing: an escape ends the run
    Require(response.GetHeader() != nullptr, "a loaded answer has a header");
    if (response.GetErrors() && response.GetErrors()->Count() > 0)
        Require(response.GetHeader()->ResponseType() == QStringLiteral("ERR"), "an answer with errors is ERR");
}

void EscapedTextReadsBack(const QString& text)
{
    const QString doc = QStringLiteral("<a><Text>") + EscapeXMLString(text) + QStringLiteral("</Text></a>");
    const QString back = ExtractElementValue(QStringLiteral("Text"), doc, QStringLiteral("default"));
    Require(back == (text.isEmpty() ? QStringLiteral("default") : text), "escaped text reads back as itself");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld::Get();
    const QString doc = TextOf(data, size);
    ReadElements(doc);
    const char* const types[] = {"CommsTest", "VQ7Request", "DEBRequest", "VQ3Enquiry"};
    LoadAnswer(doc, QString::fromLatin1(types[size % std::size(types)]));
    EscapedTextReadsBack(doc);
    return 0;
}
