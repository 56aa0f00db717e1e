#include "screens/common/FormRegistry.h"

#include <QWidget>

void FormRegistry::Register(const QString& name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

std::unique_ptr<QWidget> FormRegistry::Create(const QString& name) const
{
    const auto found = m_factories.constFind(name);
    if (found == m_factories.constEnd() || !*found)
        return nullptr;
    return (*found)();
}
