#pragma once

#include <QString>

// One line of a document's body, written into the document exactly as
// given: whoever makes it escapes its free text.
class NevixBodyLine {
public:
    NevixBodyLine() = default;
    explicit NevixBodyLine(const QString& text) { SetBodyXMLLine(text); }

    QString BodyXMLLine() const { return m_text; }
    void SetBodyXMLLine(const QString& value)
    {
        if (value != m_text)
            m_isDirty = true;
        m_text = value;
    }
    bool IsDirty() const { return m_isDirty; }

private:
    QString m_text;
    bool m_isDirty = false;
};
