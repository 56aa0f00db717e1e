#include "accounts/EnquiryReasons.h"

#include "accounts/DefaultMember.h"

#include <limits>
#include <utility>
#include <vector>

namespace {
struct MembersState : RecordState {
    std::vector<std::pair<EnquiryReasons::Pointer, std::unique_ptr<RecordState>>> members;
};

template <typename Match>
EnquiryReasons::Pointer FirstWhere(const EnquiryReasons& reasons, Match match)
{
    for (const EnquiryReasons::Pointer& reason : reasons) {
        if (match(*reason))
            return reason;
    }
    return nullptr;
}
} // namespace

EnquiryReasons::Pointer EnquiryReasons::DefaultReason() const
{
    return DefaultMember(*this);
}

EnquiryReasons::Pointer EnquiryReasons::FindByDescription(const QString& Description) const
{
    return FirstWhere(*this, [&](const EnquiryReason& r) { return r.Description() == Description; });
}

EnquiryReasons::Pointer EnquiryReasons::FindByEnquiryCode(const QString& EnquiryCode) const
{
    return FirstWhere(*this, [&](const EnquiryReason& r) { return r.EnquiryCode() == EnquiryCode; });
}

EnquiryReasons::Pointer EnquiryReasons::FindByEnquirerIdAndEnquiryCode(
    const QString& EnquirerId, const QString& EnquiryCode) const
{
    return FirstWhere(*this, [&](const EnquiryReason& r) {
        return r.EnquirerId() == EnquirerId && r.EnquiryCode() == EnquiryCode;
    });
}

void EnquiryReasons::Add(Pointer oReason)
{
    if (oReason->IsNew() && oReason->ID().isEmpty()) {
        for (int32_t i = 1;; ++i) {
            if (i > std::numeric_limits<int16_t>::max())
                throw NevixError::Overflow(QStringLiteral("EnquiryReasons.Add"));
            const QString candidate =
                oReason->EnquirerId() + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
            if (!Exists(candidate)) {
                oReason->SetID(candidate);
                break;
            }
        }
    }
    RecordCollection::Add(std::move(oReason));
}

void EnquiryReasons::Load(const QString& sEnquirerId)
{
    LoadBySQL(QStringLiteral("SELECT * From ENQUIRY_REASON WHERE EnquirerId=? ORDER BY Description"),
              {sEnquirerId});
}

std::unique_ptr<RecordState> EnquiryReasons::SaveMembers() const
{
    auto state = std::make_unique<MembersState>();
    for (const Pointer& reason : *this)
        state->members.emplace_back(reason, reason->SaveState());
    return state;
}

void EnquiryReasons::RestoreMembers(const RecordState& state)
{
    const auto& saved = static_cast<const MembersState&>(state);
    Clear();
    for (const auto& [reason, reasonState] : saved.members) {
        reason->RestoreState(*reasonState);
        RecordCollection::Add(reason);
    }
}
