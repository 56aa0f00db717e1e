#include "screens/transmission/ScheduleGrid.h"

#include "scheduling/ScheduleOwner.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
QLineEdit* DisplayBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000  00:00")) + 16);
    return box;
}
} // namespace

ScheduleGrid::ScheduleGrid(QWidget* owner, const QStringList& captions,
                           std::function<void(int index, bool on)> switched, std::function<void(int index)> settings)
    : m_frame(new QGroupBox(QStringLiteral("Scheduler"), owner)), m_layout(new QGridLayout(m_frame))
{
    m_frame->setObjectName(QStringLiteral("fraSchedule"));
    m_layout->addWidget(new QLabel(QStringLiteral("Tick the box to start the scheduler"), m_frame), 0, 0);
    m_layout->addWidget(new QLabel(QStringLiteral("Last ran"), m_frame), 0, 1);
    m_layout->addWidget(new QLabel(QStringLiteral("Next run"), m_frame), 0, 2);
    for (int i = 0; i < captions.size(); ++i) {
        const QString n = QString::number(i);
        auto* chk = new QCheckBox(captions[i], m_frame);
        chk->setObjectName(QStringLiteral("chkScheduler") + n);
        auto* button = new QPushButton(QStringLiteral("Settings"), m_frame);
        button->setObjectName(QStringLiteral("cmdSchSettings") + n);
        button->setAutoDefault(false);
        m_chk.push_back(chk);
        m_lastRan.push_back(DisplayBox(m_frame, QStringLiteral("txtLastRan") + n));
        m_nextRun.push_back(DisplayBox(m_frame, QStringLiteral("txtNextRun") + n));
        m_settings.push_back(button);
        const int row = GridRow(i);
        m_layout->addWidget(chk, row, 0);
        m_layout->addWidget(m_lastRan.back(), row, 1);
        m_layout->addWidget(m_nextRun.back(), row, 2);
        m_layout->addWidget(button, row, 3);
        QObject::connect(chk, &QCheckBox::clicked, owner, [switched, i](bool on) { switched(i, on); });
        QObject::connect(button, &QPushButton::clicked, owner, [settings, i] { settings(i); });
    }
    m_layout->setColumnStretch(0, 1);
}

void ScheduleGrid::Show(int index, const ScheduleRowView& view)
{
    QCheckBox* chk = chkScheduler(index);
    {
        const QSignalBlocker quiet(chk);
        chk->setChecked(view.switchedOn);
    }
    chk->setEnabled(view.canSwitch);
    QLineEdit* lastRan = txtLastRan(index);
    lastRan->setText(view.lastRan);
    QPalette palette = lastRan->palette();
    palette.setColor(QPalette::Text, view.lastRanRed ? Qt::red : Qt::black);
    lastRan->setPalette(palette);
    txtNextRun(index)->setText(view.nextRun);
    cmdSchSettings(index)->setEnabled(view.canEdit);
}
