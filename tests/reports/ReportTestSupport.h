#pragma once

#include "support/TestWorld.h"

#include "records/DebitStatement.h"
#include "records/VQ3.h"
#include "records/VQ7.h"
#include "reports/PrinterOfData.h"
#include "reports/RecordingCanvas.h"

#include <QList>

#include <memory>
#include <vector>

// A recording canvas, a printer over it and a record of the progress events.
struct ReportRig {
    explicit ReportRig(int16_t fontReduce = 0, bool fastPrint = false)
        : printer(canvas, Options(fontReduce, fastPrint))
    {
        printer.SetPrintingProgress([this](int32_t e, const QString&, int32_t rows, int32_t, bool& cancel) {
            events << e;
            rowsSeen << rows;
            if (e == PrinterOfData::PrintingRow && cancelAtRow > 0 && ++rowEvents >= cancelAtRow)
                cancel = true;
        });
    }

    static ReportOptions Options(int16_t fontReduce, bool fastPrint)
    {
        ReportOptions options;
        options.fontReduce = fontReduce;
        options.fastPrint = fastPrint;
        options.userName = QStringLiteral("ALICE");
        options.locale = QLocale::c();
        return options;
    }

    // The texts of the page that starts at the n-th header (1-based).
    QStringList PageTexts(int n) const;

    TestWorld world;
    RecordingCanvas canvas;
    PrinterOfData printer;
    QList<int32_t> events;
    QList<int32_t> rowsSeen;
    int cancelAtRow = 0;
    int rowEvents = 0;
};

inline QStringList ReportRig::PageTexts(int n) const
{
    QStringList texts;
    int page = 0;
    for (const auto& op : canvas.operations) {
        if (op.kind == RecordingCanvas::Kind::StartJob || op.kind == RecordingCanvas::Kind::NewPage)
            ++page;
        else if (op.kind == RecordingCanvas::Kind::Text && page == n)
            texts << op.text;
    }
    return texts;
}

inline std::shared_ptr<VQ3> Enquiry(const QString& enquirer, const QString& reason, const QString& vrm,
                                    bool received = false)
{
    auto e = std::make_shared<VQ3>();
    e->SetEnquirerName(enquirer);
    e->SetEnquiryCodeDesc(reason);
    e->SetVRMVIN(vrm);
    e->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime()));
    e->SetDateOfEnquiry(QDateTime(QDate(2024, 3, 2), QTime()));
    e->SetResponseReceived(received ? 1 : 0);
    return e;
}

// The texts that are not part of the page frame (header, footer, boxes).
inline QStringList BodyTexts(const RecordingCanvas& canvas)
{
    QStringList texts;
    for (const QString& t : canvas.Texts()) {
        if (t == QLatin1String("_") || t == QLatin1String("|") || t.startsWith(QLatin1String("NEVIX ")) ||
            t.startsWith(QLatin1String("This page")) || t.startsWith(QLatin1String("The use of")) ||
            t.startsWith(QLatin1String("Page ")) || t.isEmpty())
            continue;
        texts << t;
    }
    return texts;
}
