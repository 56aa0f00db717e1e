#include "core/JuxUtils.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DateText.h"
#include "core/DelimitedString.h"
#include "core/DiskFunctions.h"
#include "core/NumericText.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <optional>

namespace {
// The Automation variant type code of a value that cannot be padded.
int VariantTypeCode(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return 11;
    case QMetaType::QStringList:
        return 8200;
    case QMetaType::QByteArray:
        return 8209;
    case QMetaType::QVariantList:
        return 8204;
    default:
        return 9;
    }
}

// Date and time as written, formatted without asking the time zone about
// them: the zone plays no part in the text, and asking costs a system call.
QString FormatWallClock(const QDate& date, const QTime& time, const QString& pattern)
{
    return FormatDateTime(QDateTime(date, time, Qt::UTC), pattern);
}

// The field text of a value, or no value for a type that cannot be padded.
std::optional<QString> FieldText(const QVariant& value, const QString& padCharacter,
                                 int& fieldLength)
{
    if (IsNull(value))
        return padCharacter;
    switch (value.typeId()) {
    case QMetaType::QString:
        return ExportText(value.toString());
    case QMetaType::QChar:
        return ExportText(QString(value.toChar()));
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    case QMetaType::Float:
        return QString::number(value.toFloat(), 'g', 7);
    case QMetaType::Double:
        return NumberText(value.toDouble());
    case QMetaType::QDate:
        fieldLength = 8;
        return FormatWallClock(value.toDate(), QTime(0, 0), QStringLiteral("ddmmyyyy"));
    case QMetaType::QDateTime:
        fieldLength = 8;
        return FormatWallClock(value.toDateTime().date(), value.toDateTime().time(),
                               QStringLiteral("ddmmyyyy"));
    default:
        return std::nullopt;
    }
}

QString SequenceText(int32_t sequence, bool automatic)
{
    return FormatNumber(sequence, automatic ? QStringLiteral("000") : QStringLiteral("00"));
}
} // namespace

QString ExportText(const QString& text)
{
    const auto changed = [](QChar c) { return c.category() == QChar::Other_Control || c.isSurrogate(); };
    if (std::none_of(text.begin(), text.end(), changed))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control) {
            out += u' ';
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += QChar(QChar::ReplacementCharacter);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString PadField(const QVariant& Value, int16_t FieldLength, const QString& PadCharacter,
                 int32_t ExportFormat, bool KeepLeftPart, bool LeftJustify)
{
    int width = FieldLength;
    const std::optional<QString> text = FieldText(Value, PadCharacter, width);
    if (!text) {
        TellUserWarning(QStringLiteral("Cannot pad this variant type: ") +
                            QString::number(VariantTypeCode(Value)),
                        QString());
        return {};
    }

    if (ExportFormat == ExportLayout::Csv) {
        // Quoted the RFC 4180 way, so that a comma or a quote survives a
        // reading back.
        if (text->contains(u',') || text->contains(u'"'))
            return QuoteText(*text, u'"') + u',';
        return *text + u',';
    }
    if (ExportFormat == ExportLayout::TabSeparated)
        return *text + u'\t';

    width = std::max(width, 0);
    if (LeftJustify)
        return text->leftJustified(width, u' ', true);
    if (!KeepLeftPart || text->size() < width) {
        const QChar pad = PadCharacter.isEmpty() ? QChar(u' ') : PadCharacter.front();
        return text->size() >= width ? text->right(width) : text->rightJustified(width, pad);
    }
    return text->left(width);
}

QString PadDate(const QVariant& Value, const QString& DateFormat, int32_t ExportFormat,
                bool KeepLeftPart, bool LeftJustify)
{
    QString text;
    if (!IsNull(Value)) {
        QDate date;
        QTime time(0, 0);
        if (Value.typeId() == QMetaType::QDate) {
            date = Value.toDate();
        } else if (Value.typeId() == QMetaType::QDateTime) {
            date = Value.toDateTime().date();
            time = Value.toDateTime().time();
        } else if (const NullableDate parsed = ParseUtcDateText(Value.toString())) {
            // The clock fields as written, even for the local hour skipped in spring.
            date = parsed->date();
            time = parsed->time();
        }
        text = date.isValid() ? FormatWallClock(date, time, DateFormat) : Value.toString();
    }
    return PadField(text, int16_t(std::min<qsizetype>(DateFormat.size(), INT16_MAX)),
                    QStringLiteral(" "), ExportFormat, KeepLeftPart, LeftJustify);
}

QString MakeExportFileName(const QString& Folder, const QString& Prefix, int32_t& Sequence)
{
    const QString folder = ToForwardSlashes(AddTrailingBackslash(AppRelativePath(Folder)));
    const QString extension = u'.' + Settings().ExportFileType();
    const bool automatic = Settings().ProgramRunningMode() == RunningMode::Automatic;
    const QDateTime now = AppContext::Current().clock().Now();

    const QString base =
        automatic ? Prefix + FormatDateTime(now, QStringLiteral("ddmm"))
                  : Prefix + FormatDateTime(now, QStringLiteral("_ddmmyy_hhnn"));
    QString sequenceText = automatic ? SequenceText(Sequence, true) : QString();
    // A symbolic link, even one that leads nowhere, takes its name too.
    const auto taken = [&] {
        const QFileInfo file(folder + base + sequenceText + extension);
        return file.isFile() || file.isSymLink();
    };

    bool exists = taken();
    while (exists) {
        ++Sequence;
        sequenceText = SequenceText(Sequence, automatic);
        exists = taken();
        if (exists && Sequence == 999) {
            Sequence = 1000;
            return {};
        }
    }
    return base + sequenceText + extension;
}

namespace {
// A name of the pattern MakeExportFileName gives: its fixed part, number
// and extension.
struct PatternName {
    QString base;
    int32_t number = 0;
    QString extension;
    bool automatic = false;

    QString WithNumber(int32_t n) const
    {
        return base + (automatic || n > 0 ? SequenceText(n, automatic) : QString()) + extension;
    }
};

std::optional<PatternName> ReadPatternName(const QString& name)
{
    // The unattended runs' names carry three digits or more, the screens'
    // names none for the first file and two or more after it.
    static const QRegularExpression automatic(QStringLiteral("^((?:VQ7|DEB)\\d{4})(\\d{3,})(\\..*)?$"));
    static const QRegularExpression interactive(
        QStringLiteral("^((?:VQ7|DEB)_\\d{6}_\\d{4})(\\d{2,})?(\\..*)?$"));
    for (const QRegularExpression* pattern : {&automatic, &interactive}) {
        const QRegularExpressionMatch match = pattern->match(name);
        bool valid = true;
        const int32_t number = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt(&valid);
        if (match.hasMatch() && valid)
            return PatternName{match.captured(1), number, match.captured(3), pattern == &automatic};
    }
    return std::nullopt;
}

// As MakeExportFileName numbers them.
constexpr int32_t LastExportNumber = 999;
} // namespace

QString NextExportFileName(const QString& name)
{
    const auto pattern = ReadPatternName(name);
    if (!pattern || pattern->number >= LastExportNumber)
        return {};
    return pattern->WithNumber(pattern->number + 1);
}

QStringList ExportFileNamesFrom(const QString& name)
{
    QStringList names{name};
    const auto pattern = ReadPatternName(name);
    if (!pattern)
        return names;
    for (int32_t n = pattern->number + 1; n <= LastExportNumber; ++n)
        names << pattern->WithNumber(n);
    for (int32_t n = 0; n < std::min(pattern->number, LastExportNumber + 1); ++n)
        names << pattern->WithNumber(n);
    return names;
}
