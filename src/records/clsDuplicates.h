#pragma once

#include "records/clsDuplicate.h"

#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class LogLines;
class ReportCanvas;
class SysParameters;

// The duplicates found while one enquiry file is imported, in the order
// found, and the duplicate report made of them. Only the time of the last
// report is kept, in the system parameters.
//
// The enquiry types are those of the enquiry collection: an enquiry has
// VRMVIN(), DateOfEvent() and EnquiryReference(); a collection yields
// pointers to its enquiries.
class clsDuplicates {
public:
    using Pointer = std::shared_ptr<clsDuplicate>;

    bool IsDirty() const;
    bool IsNew() const;
    const std::vector<Pointer>& NewEnum() const { return m_items; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    // By position from 1; any other index raises.
    Pointer Item(int32_t varIndex) const;
    int32_t Count() const { return int32_t(m_items.size()); }
    void Clear() { m_items.clear(); }
    // An unknown position is ignored.
    void Remove(int32_t varIndex);
    void Add(Pointer objDuplicate) { m_items.push_back(std::move(objDuplicate)); }

    // One pair for each earlier enquiry found for the new one, in order.
    template <typename Enquiries, typename Enquiry>
    void AddFromVQ3Duplicates(const Enquiries& objVQ3s, const Enquiry& objVQ3Duplicate)
    {
        for (const auto& previous : objVQ3s)
            AddPair(objVQ3Duplicate.VRMVIN(), EventDateText(objVQ3Duplicate.DateOfEvent()),
                    objVQ3Duplicate.EnquiryReference(), EventDateText(previous->DateOfEvent()),
                    previous->EnquiryReference());
    }
    // One pair of the new enquiry alone.
    template <typename Enquiry>
    void AddFromVQ3Duplicate(const Enquiry& objVQ3Duplicate)
    {
        AddPair(objVQ3Duplicate.VRMVIN(), EventDateText(objVQ3Duplicate.DateOfEvent()),
                objVQ3Duplicate.EnquiryReference(), QString(), QString());
    }

    // Writes the report file and prints the report on the program's printer
    // as the system parameters ask (without a printer, asking for the
    // printed form is logged as a warning), logs its
    // progress and moves the parameters' TimeOfLastDuplicate on. A failure
    // is logged, never raised; the period then stays for the next report.
    void GenerateDuplicateReports(LogLines& objLog, SysParameters& objSysParameters) const;

    // The file's text: the period line, the headings and one line per pair,
    // each field in double quotes, lines ended by CR LF.
    void WriteReportFile(QIODevice& device, const QString& fromText, const QString& toText) const;

    // "yyyymmdd"; empty when there is no date.
    static QString EventDateText(const std::optional<QDateTime>& value);
    static QString EventDateText(const QDate& value);

private:
    static void PrintDuplicateHeader(ReportCanvas& printer, const QString& fromText, const QString& toText,
                                     bool startJob);
    static void PrintDuplicateLine(ReportCanvas& printer, const clsDuplicate& pair, const QString& fromText,
                                   const QString& toText);
    void AddPair(const QString& vrm, const QString& dupDate, const QString& dupReference,
                 const QString& prevDate, const QString& prevReference);
    // The report file's path: the minute's name, from the second on numbered.
    static QString ReportFilePath(const QString& folder, const QDateTime& minute, int number);
    // Creates a new report file under the first free name, writes it whole
    // and returns its path.
    QString CreateReportFile(const QString& folder, const QDateTime& minute, LogLines& log,
                             const QString& fromText, const QString& toText) const;

    std::vector<Pointer> m_items;
};
