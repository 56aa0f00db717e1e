#include "screens/common/WrappedOption.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

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

// Keeps its caption as its text, as every option does, but draws only its
// circle: the label beside it shows the caption wrapped, greyed while the
// button is disabled.
class IndicatorOnly : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

    void SetCaption(QLabel* caption)
    {
        m_caption = caption;
        m_caption->setEnabled(isEnabled());
    }

    QSize sizeHint() const override
    {
        // As a button without a caption measures itself.
        const QStyleOptionButton option = Option();
        const QSize none =
            style()->itemTextRect(fontMetrics(), QRect(), Qt::TextShowMnemonic, false, QString()).size();
        return style()->sizeFromContents(QStyle::CT_RadioButton, &option, none, this);
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        painter.drawControl(QStyle::CE_RadioButton, Option());
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange && m_caption)
            m_caption->setEnabled(isEnabled());
        QRadioButton::changeEvent(event);
    }

private:
    QStyleOptionButton Option() const
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        return option;
    }

    QPointer<QLabel> m_caption;
};
} // namespace

QRadioButton* AddWrappedOption(QBoxLayout& layout, const QString& name, const QString& caption,
                               QWidget* parent)
{
    auto* option = new IndicatorOnly(caption, parent);
    option->setObjectName(name);
    option->setAccessibleName(caption);
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    label->installEventFilter(new CaptionClick(label, option));
    option->SetCaption(label);
    auto* row = new QHBoxLayout;
    row->addWidget(option, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    layout.addLayout(row);
    return option;
}
