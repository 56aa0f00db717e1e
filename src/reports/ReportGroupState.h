#pragma once

#include "core/Currency.h"

#include <QDate>
#include <QString>

#include <cstdint>

// One column of a list report.
struct ReportColumn {
    QString heading;
    QString cellText;
    double xOffset = 0; // from the table left
};

// The run record of one list report.
struct ReportGroupState {
    // Day counts: off, on without a day yet, or counting currentDay.
    enum class Days { Off, NoDayYet, Counting };

    int32_t pageNumber = 1;
    int32_t subGroupCount = -1; // -1: no sub-group open yet
    int32_t subGroupReturned = 0;
    int32_t groupCount = -1; // -1: no group open yet
    int32_t groupReturned = 0;
    int32_t totalCount = 0;
    int32_t totalReturned = 0;
    bool countResponses = false;
    bool sumCharges = false;
    // The report groups within a group (the enquiry list's reasons).
    bool usesSubGroups = false;
    QString groupKey;
    QString subGroupKey;
    QString newGroupKey;
    QString newSubGroupKey;
    QDate newDate;
    Days days = Days::Off;
    QDate currentDay;
    int32_t dayCount = 0;
    Currency groupCharge;
};
