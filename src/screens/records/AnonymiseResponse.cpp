#include "screens/records/AnonymiseResponse.h"

#include "core/VbFormat.h"
#include "records/VQ7.h"
#include "platform/LocalTime.h"

namespace {
constexpr int CommentLength = 255;

QString DayText(const QDate& today)
{
    return FormatDateTime(LocalDateTime(today, QTime(0, 0)), QStringLiteral("dd-mmm-yy"));
}
} // namespace

QString AnonymisedMarker(const QDate& today)
{
    return QStringLiteral("{Anonymised ") + DayText(today) + QStringLiteral("}");
}

void AnonymiseResponse(VQ7& response, const QString& userName, const QDate& today, const QString& reason)
{
    const QString marker = AnonymisedMarker(today);
    response.SetTitle(QString());
    // The kind of keeper stays visible: only the names it has are marked.
    if (!response.CompanyName().isEmpty())
        response.SetCompanyName(marker);
    if (!response.OtherName().isEmpty())
        response.SetOtherName(marker);
    if (!response.KeeperTitleCode().isEmpty())
        response.SetKeeperTitleCode(QString());
    if (!response.KeeperName1().isEmpty())
        response.SetKeeperName1(marker);
    if (!response.KeeperName2().isEmpty())
        response.SetKeeperName2(marker);
    response.SetKeeperAddress1(marker);
    response.SetKeeperAddress2(marker);
    response.SetKeeperAddress3(marker);
    response.SetKeeperAddress4(marker);
    response.SetKeeperPostCode(QString());
    response.SetKeeperPostTown(marker);

    QString comment = response.Comment();
    if (!comment.isEmpty())
        comment += QStringLiteral("\r\n");
    comment += QStringLiteral("Made anonymous by ") + userName + QStringLiteral(" on ") + DayText(today) +
               QStringLiteral(", Reason: ") + reason;
    response.SetComment(comment);
    // Counted as the record gives it back, a line break as two characters;
    // the oldest text goes first.
    response.SetComment(response.Comment().right(CommentLength));
}
