#pragma once

#include <QAbstractListModel>
#include <QDateTime>
#include <QString>

#include <vector>

// The unattended console's execution list: one line per noteworthy log
// line, "dd/MM/yy hh:mm:ss text", its time kept beside it.
class ExecutionLog : public QAbstractListModel {
    Q_OBJECT

public:
    // The most lines the list holds; a line past it clears the list first.
    static constexpr int DefaultCapacity = 32767;

    explicit ExecutionLog(int capacity = DefaultCapacity, QObject* parent = nullptr);

    // Appends the text under the time; a full list is cleared first, with
    // a line saying so.
    void Add(const QDateTime& when, const QString& text);
    // Removes the lines older than one day before now.
    void Prune(const QDateTime& now);

    QString Line(int row) const;
    int Count() const { return int(m_entries.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Entry {
        QDateTime when;
        QString text;
    };
    void Append(const QDateTime& when, const QString& text);

    int m_capacity;
    std::vector<Entry> m_entries;
};
