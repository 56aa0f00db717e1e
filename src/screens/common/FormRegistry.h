#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

// The screens the main menu can open, by window name. A factory builds the
// window, not yet shown; the window is an InitialisableForm.
class FormRegistry {
public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    void Register(const QString& name, Factory factory);
    bool Contains(const QString& name) const { return m_factories.contains(name); }
    // nullptr when the name is not registered.
    std::unique_ptr<QWidget> Create(const QString& name) const;

private:
    QHash<QString, Factory> m_factories;
};
