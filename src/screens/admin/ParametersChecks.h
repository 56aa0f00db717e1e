#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

class CDataBase;
class Enquirer;

// The checks and texts of the parameters screen that need no window.

// A retention term as typed with its period word: "" when it may be
// saved, else why not.
QString ValidateTerm(const QString& term, const QString& period);

// What the client tab holds, as typed.
struct GeneralEntries {
    QString PartyName;
    // An empty box becomes "0", a number below -2 "0" (without a message).
    QString DuplicateDays;
    bool DuplicatesToFile = false;
    QString DuplicateFolder;
    QString BatchSize;
};

// The client tab's messages, joined by CR LF; "" when they pass. A batch
// size that is no number is not judged here: the save refuses it.
QString ValidateGeneralEntries(GeneralEntries& entries);

// The whole number a box holds, rounded as the stored integers are; a text
// that is no number, or one beyond a 16-bit integer, raises an error that
// names the field.
int16_t IntegerOfText(const QString& text, const QString& field);

// A retention term of enquiries, responses and debit statements as typed.
struct TermEntry {
    QString Term;
    QString Period;
};

// The lines of the kinds whose terms remove records younger than the three
// months that DVLA data must be kept ("Enquiries will be removed before
// then", ...), in the order enquiries, responses, debit statements. The
// terms must have passed ValidateTerm.
QStringList EarlyRemovalLines(CDataBase& db, const TermEntry (&terms)[3]);

// The earliest dates of event the DVLA accepts for the enquirer's reasons,
// as the box shows them; every line ends in CR LF.
QString DateOfEventLimitsText(Enquirer& enquirer, const QDate& today);
