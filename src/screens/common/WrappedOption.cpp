#include "screens/common/WrappedOption.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

namespace {
// Owned by the caption: a click on it is a click on the button.
class CaptionClick : public QObject {
public:
    CaptionClick(QLabel* caption, QRadioButton* option) : QObject(caption), m_option(option) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && m_option && m_option->isEnabled()) {
            m_option->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QRadioButton> m_option;
};
} // namespace

QRadioButton* AddWrappedOption(QBoxLayout& layout, const QString& name, const QString& caption,
                               QWidget* parent)
{
    auto* option = new QRadioButton(parent);
    option->setObjectName(name);
    option->setAccessibleName(caption);
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    label->installEventFilter(new CaptionClick(label, option));
    auto* row = new QHBoxLayout;
    row->addWidget(option, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    layout.addLayout(row);
    return option;
}
