#pragma once

#include <QString>

#include <cstdint>
#include <exception>

class NevixError;

// A copy of an error that outlives the clean-up of the handler that caught it.
class ErrorPersist {
public:
    int32_t Number() const { return m_number; }
    void SetNumber(int32_t number) { m_number = number; }
    QString Source() const { return m_source; }
    void SetSource(const QString& source) { m_source = source; }
    QString Description() const { return m_description; }
    void SetDescription(const QString& description) { m_description = description; }

    void Clear();
    void Load(const NevixError& error);
    // Loads the exception being handled; inside no handler it clears.
    void Load(std::exception_ptr error = std::current_exception());

    // The saved error as an error that can be raised again.
    NevixError ToError() const;

private:
    int32_t m_number = 0;
    QString m_source;
    QString m_description;
};

// The program-wide saved error.
ErrorPersist& SavedError();
