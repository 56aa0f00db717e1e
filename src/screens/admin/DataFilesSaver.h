#pragma once

#include <QString>

class CDataBase;
class LogLines;

// Saves every enquiry, response and debit statement of the database (live
// or test data, as the run's test flag says) into three tab-delimited
// ".xls" files that a spreadsheet program reads, each in a folder the user
// chooses. A kind without records is skipped without a question; a folder
// question cancelled ends the saving there. Each file is a log run of its
// own.
class DataFilesSaver {
public:
    DataFilesSaver(CDataBase& db, QString ownerCaption, QString userName);

    // The summary of the files saved, one line each ("" when none). An
    // error ends the saving: the file of that kind is not left half
    // written, its run is ended with the error logged (or without it, when
    // the log cannot store it), and the error is raised; the files of
    // earlier kinds stay.
    QString Run();

private:
    struct KindText;
    struct Loaded;

    Loaded Load(int kind) const;
    // False when the user cancelled the folder question.
    bool SaveKind(int kind, QString& summary);
    // The path written.
    QString WriteFile(const KindText& text, const Loaded& records, const QString& folder,
                      LogLines& log) const;

    CDataBase& m_db;
    QString m_ownerCaption;
    QString m_userName;
};
