#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>

// The logo at the left of the page header, in its size on paper.
struct ReportLogo {
    QByteArray image;
    double width = 0;
    double height = 0;

    // The program's own logo.
    static ReportLogo Default();
};

// What a report takes from the settings and the logged-on user.
struct ReportOptions {
    int16_t fontReduce = 0;
    bool fastPrint = true;
    QString userName;
    ReportLogo logo = ReportLogo::Default();
    // Whose currency the statement pages show.
    QLocale locale;

    static ReportOptions FromSettings();
};
