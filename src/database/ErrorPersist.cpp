#include "database/ErrorPersist.h"

#include "platform/NevixError.h"

void ErrorPersist::Clear()
{
    m_number = 0;
    m_source.clear();
    m_description.clear();
}

void ErrorPersist::Load(const NevixError& error)
{
    m_number = error.Number();
    m_source = error.Source();
    m_description = error.Description();
}

void ErrorPersist::Load(std::exception_ptr error)
{
    if (!error) {
        Clear();
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const NevixError& e) {
        Load(e);
    } catch (const std::exception& e) {
        m_number = ErrorNumbers::ObjectErrorBase;
        m_source = NevixError::DefaultSource;
        m_description = QString::fromUtf8(e.what());
    } catch (...) {
        m_number = ErrorNumbers::ObjectErrorBase;
        m_source = NevixError::DefaultSource;
        m_description = QStringLiteral("Unknown error");
    }
}

NevixError ErrorPersist::ToError() const
{
    return NevixError(m_number, m_description, m_source);
}

ErrorPersist& SavedError()
{
    static ErrorPersist saved;
    return saved;
}
