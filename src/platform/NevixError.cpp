#include "platform/NevixError.h"

NevixError::NevixError(int32_t number, const QString& description, const QString& source)
    : m_number(number), m_source(source), m_description(description),
      m_what(description.toUtf8())
{
}

NevixError NevixError::WithSource(const QString& source) const
{
    return NevixError(m_number, m_description, source);
}

NevixError NevixError::InvalidArgument(const QString& source)
{
    return NevixError(ErrorNumbers::InvalidArgument,
                      QStringLiteral("Invalid procedure call or argument"), source);
}

NevixError NevixError::Overflow(const QString& source)
{
    return NevixError(ErrorNumbers::Overflow, QStringLiteral("Overflow"), source);
}
