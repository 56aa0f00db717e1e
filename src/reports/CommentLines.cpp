#include "reports/CommentLines.h"

QStringList CommentLines(const QString& comment, int maxLines)
{
    QStringList lines;
    QString line;
    for (const QChar c : comment) {
        if (c == QLatin1Char('\r')) {
            lines << line;
            line.clear();
            continue;
        }
        if (line.size() > 100) {
            lines << line;
            line.clear();
        }
        if (c.unicode() < 32)
            continue;
        line += c;
    }
    // The closing full stop: read like any character, it ends the last line.
    if (line.size() > 100) {
        lines << line;
        line.clear();
    }
    lines << line;
    return lines.mid(0, maxLines);
}
