#pragma once

#include <QStringList>

// The lines a response page prints for a comment: a carriage return ends a
// line, a line holding more than 100 characters ends before the next one,
// other control characters are dropped. The text ends with a closing full
// stop that is not printed. At most maxLines lines.
QStringList CommentLines(const QString& comment, int maxLines = 5);
