#include "core/GroupAndRole.h"

#include <QStringList>

namespace {
QStringList Words(const QString& list)
{
    QStringList words;
    for (const QString& part : list.split(u',')) {
        const QString word = part.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}
} // namespace

bool HasRole(const QString& roles, const QString& allowed)
{
    const QStringList allowedWords = Words(allowed);
    for (const QString& role : Words(roles)) {
        if (allowedWords.contains(role, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
