#pragma once

#include "database/CDataBase.h"
#include "database/Record.h"
#include "database/RecordSet.h"
#include "database/SimpleDBkeyMaker.h"
#include "database/SqliteError.h"

#include <QHash>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

// The common part of every collection class: members in the order they
// were added, each under the key it had when added (keys compared without
// regard to case), and Apply of every changed member in one transaction.
//
// A failed Apply rolls back (dooming an outer transaction) and puts every
// member back as it was before the attempt, data, flags and membership
// included, so that saving again writes everything again.
template <typename Member>
class RecordCollection {
public:
    using Pointer = std::shared_ptr<Member>;

    virtual ~RecordCollection() = default;

    void SetDataSource(CDataBase* objDataSource) { m_db = objDataSource; }
    CDataBase* DataSource() const { return m_db; }

    bool IsDirty() const
    {
        for (const Pointer& member : m_members) {
            if (member->IsDirty())
                return true;
        }
        return false;
    }
    bool IsNew() const
    {
        for (const Pointer& member : m_members) {
            if (member->IsNew())
                return true;
        }
        return false;
    }

    // The members in order, for range-for.
    const std::vector<Pointer>& NewEnum() const { return m_members; }
    auto begin() const { return m_members.begin(); }
    auto end() const { return m_members.end(); }

    // By position from 1, or by key.
    Pointer Item(int32_t position) const
    {
        if (position < 1 || position > Count())
            throw NevixError(ErrorNumbers::SubscriptOutOfRange,
                             QStringLiteral("Subscript out of range"));
        return m_members[size_t(position - 1)];
    }
    Pointer Item(const QString& key) const
    {
        const auto found = m_byKey.constFind(Folded(key));
        if (found == m_byKey.cend())
            throw NevixError::InvalidArgument();
        return found.value();
    }
    bool Exists(int32_t position) const { return position >= 1 && position <= Count(); }
    bool Exists(const QString& key) const { return m_byKey.contains(Folded(key)); }
    int32_t Count() const { return int32_t(m_members.size()); }
    // Moves on whenever a member leaves (Clear included): an index over
    // the members' positions built at one value stays true while it holds,
    // new members being only ever appended.
    uint64_t RemovalCount() const { return m_removals; }

    void Clear()
    {
        ++m_removals;
        m_members.clear();
        m_keys.clear();
        m_byKey.clear();
    }
    // A missing index is ignored.
    void Remove(int32_t position)
    {
        if (Exists(position))
            RemoveAt(size_t(position - 1));
    }
    void Remove(const QString& key)
    {
        const auto found = m_byKey.constFind(Folded(key));
        if (found != m_byKey.cend())
            RemoveAt(IndexOf(found.value().get()));
    }

    // Adds the member under its key; a key already present is refused.
    virtual void Add(Pointer member)
    {
        const QString key = KeyFor(*member);
        AddUnder(key, std::move(member));
    }

    virtual void Apply()
    {
        if (!IsDirty())
            return;
        CDataBase& db = RequireDataSource();
        const Snapshot before = TakeSnapshot();
        db.BeginTrans();
        bool reserved = false;
        try {
            reserved = ReserveKeys(db);
            // Deleted members first; the pass walks a copy, as members leave.
            const std::vector<Pointer> members = m_members;
            const std::vector<QString> keys = m_keys;
            for (size_t i = 0; i < members.size(); ++i) {
                if (!members[i]->IsDeleted())
                    continue;
                if (!members[i]->IsNew())
                    ApplyMember(*members[i]);
                Remove(keys[i]);
            }
            for (const Pointer& member : std::vector<Pointer>(m_members)) {
                if (member->IsDirty())
                    ApplyMember(*member);
            }
            if (reserved)
                db.KeyMaker().EndReserve();
            db.CommitTrans();
        } catch (...) {
            try {
                db.Rollback();
            } catch (...) {
            }
            if (reserved)
                db.KeyMaker().DropReserve();
            Restore(before);
            throw;
        }
    }

protected:
    // The key a member is added under; classes may give new members a
    // temporary key of their own.
    virtual QString KeyFor(const Member& member) const { return member.Key(); }

    void AddUnder(const QString& key, Pointer member)
    {
        const QString folded = Folded(key);
        if (m_byKey.contains(folded))
            throw NevixError(ErrorNumbers::DuplicateKey,
                             QStringLiteral("This key is already associated with an element of "
                                            "this collection"));
        m_byKey.insert(folded, member);
        m_keys.push_back(key);
        m_members.push_back(std::move(member));
    }

    virtual void ApplyMember(Member& member)
    {
        member.SetDataSource(m_db);
        member.Apply();
    }

    // Clear, then one member per row (make() gives a new member), each
    // given this collection's data source. The record set is closed also
    // when a row fails; the members read before it stay.
    template <typename Make>
    void LoadBySQL(const QString& sql, const SqlValues& values, Make make)
    {
        LoadBySQL(sql, values, make, [](Member& member, const RecordSet& rs) { member.LoadByRecordSet(rs); });
    }
    // The same, each row read into its member by read(member, rs).
    template <typename Make, typename Read>
    void LoadBySQL(const QString& sql, const SqlValues& values, Make make, Read read)
    {
        Clear();
        RecordSet rs = RequireDataSource().OpenRecordSet(sql, values);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            Pointer member = make();
            read(*member, rs);
            member->SetDataSource(m_db);
            Add(std::move(member));
        }
        rs.Close();
    }
    void LoadBySQL(const QString& sql, const SqlValues& values = {})
    {
        LoadBySQL(sql, values, [] { return std::make_shared<Member>(); });
    }

    // The keys the new members draw from one counter, taken in one step;
    // not where a member names its own number or counters are mixed.
    // True when this save holds the reservation.
    bool ReserveKeys(CDataBase& db) const
    {
        QString counter;
        int32_t draws = 0;
        for (const Pointer& member : m_members) {
            const auto [name, ownNumber] = member->NextKeyDraw();
            if (name.isEmpty())
                continue;
            if (ownNumber || (!counter.isEmpty() && counter != name))
                return false;
            counter = name;
            ++draws;
        }
        return draws > 1 && db.KeyMaker().Reserve(counter, draws);
    }

    CDataBase& RequireDataSource() const
    {
        if (!m_db)
            throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No data source"));
        return *m_db;
    }

    // The members, their keys and the states of the changed ones, to be
    // put back as they were when a write that included them fails.
    struct Snapshot {
        std::vector<Pointer> members;
        std::vector<QString> keys;
        std::vector<std::pair<Member*, std::unique_ptr<RecordState>>> states;
    };

    Snapshot TakeSnapshot() const
    {
        Snapshot snapshot{m_members, m_keys, {}};
        for (const Pointer& member : m_members) {
            if (member->IsDirty() || member->IsDeleted())
                snapshot.states.emplace_back(member.get(), member->SaveState());
        }
        return snapshot;
    }
    void Restore(const Snapshot& snapshot)
    {
        Clear();
        for (size_t i = 0; i < snapshot.members.size(); ++i)
            AddUnder(snapshot.keys[i], snapshot.members[i]);
        for (const auto& [member, state] : snapshot.states)
            member->RestoreState(*state);
    }

private:
    static QString Folded(const QString& key) { return key.toCaseFolded(); }

    size_t IndexOf(const Member* member) const
    {
        for (size_t i = 0; i < m_members.size(); ++i) {
            if (m_members[i].get() == member)
                return i;
        }
        return m_members.size();
    }
    void RemoveAt(size_t index)
    {
        ++m_removals;
        m_byKey.remove(Folded(m_keys[index]));
        m_members.erase(m_members.begin() + qsizetype(index));
        m_keys.erase(m_keys.begin() + qsizetype(index));
    }

    CDataBase* m_db = nullptr;
    std::vector<Pointer> m_members;
    std::vector<QString> m_keys;
    QHash<QString, Pointer> m_byKey;
    uint64_t m_removals = 0;
};
