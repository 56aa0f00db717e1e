#include "screens/admin/frmInfo.h"

#include "core/DiskFunctions.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "screens/common/RtfReader.h"

#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextEdit>

namespace {
// The margin around the controls (100 twips).
constexpr int Margin = 7;
} // namespace

frmInfo::frmInfo(QWidget* parent)
    : QWidget(parent), m_rtfMoreInfo(new QTextEdit(this)), m_cmdReturn(new QPushButton(QStringLiteral("&Close"), this))
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("IMPORTANT USE OF DATA INFORMATION"));
    m_rtfMoreInfo->setObjectName(QStringLiteral("rtfMoreInfo"));
    m_rtfMoreInfo->setReadOnly(true);
    m_cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    m_rtfMoreInfo->setGeometry(Margin, Margin, 560, 360);
    m_cmdReturn->resize(90, 28);
    resize(574, 416);
    connect(m_cmdReturn, &QPushButton::clicked, this, &QWidget::close);
}

QString frmInfo::InfoFilePath(const QString& programFolder)
{
    return AddTrailingBackslash(programFolder) + QStringLiteral("IMPORTANT_INFORMATION.rtf");
}

void frmInfo::InitialiseForm()
{
    const QString path = InfoFilePath(AppContext::Current().programFolder());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("The file ") + path + QStringLiteral(" cannot be opened: ") + file.errorString(),
                         QStringLiteral("frmInfo.InitialiseForm"));
    RtfReader::Read(file.readAll(), *m_rtfMoreInfo->document());
}

void frmInfo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Each place only when it is still on the window: shrunk too far, the
    // controls keep their last places.
    const int buttonTop = height() - m_cmdReturn->height() - Margin;
    if (buttonTop > 0)
        m_cmdReturn->move(m_cmdReturn->x(), buttonTop);
    const int buttonLeft = width() - m_cmdReturn->width() - Margin;
    if (buttonLeft > 0)
        m_cmdReturn->move(buttonLeft, m_cmdReturn->y());
    const int textWidth = width() - 2 * m_rtfMoreInfo->x();
    if (textWidth > 0)
        m_rtfMoreInfo->resize(textWidth, m_rtfMoreInfo->height());
    const int textHeight = m_cmdReturn->y() - m_rtfMoreInfo->y() - Margin;
    if (textHeight > 0)
        m_rtfMoreInfo->resize(m_rtfMoreInfo->width(), textHeight);
}

void frmInfo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cmdReturn->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
