#pragma once

class QByteArray;

// The system's time zone, read once rather than at every conversion.
// With TZ unset the C library checks the zone file again at each
// conversion between local time and UTC (Qt's own included); TZ naming that
// same file makes it keep what it read. The zone is read again at the start
// of each job and once the program's clock shows another hour, so that a
// change of the system's zone is still seen. A TZ of the user's own is left
// as it is.
class LocalZone {
public:
    // What TZ holds while the system's zone is kept; Qt too takes it for
    // the system's zone.
    static constexpr const char* Marker = ":/etc/localtime";

    // Reads the system's zone again and keeps it, unless TZ holds a zone of
    // the user's own.
    static void Refresh();
    // Refresh() once the program's clock shows another hour than at the
    // last one.
    static void RefreshHourly();
    // How many times the system's zone was read again, for tests.
    static int Reads();

    // Sets TZ to the zone given, or unsets it for none, as a test does;
    // the program itself sets it only through Refresh().
    static void Use(const QByteArray* zone);
    // Changes whenever the zone in force may have: the zone read anew, or
    // TZ set. A value converted to local time holds while this does not.
    static int Generation();
};
