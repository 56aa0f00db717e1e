#include "reports/RecordingCanvas.h"

namespace {
constexpr double A4Short = 210;
constexpr double A4Long = 297;
} // namespace

RecordingCanvas::Operation RecordingCanvas::Note(Kind kind, const QString& text) const
{
    Operation op;
    op.kind = kind;
    op.text = text;
    op.x = CurrentX();
    op.y = CurrentY();
    op.size = m_size;
    op.bold = m_bold;
    return op;
}

void RecordingCanvas::StartJob(int16_t newOrientation, int32_t jobNumber)
{
    orientation = newOrientation;
    SetCurrentX(0);
    SetCurrentY(0);
    Operation op = Note(Kind::StartJob);
    op.job = jobNumber;
    operations.append(op);
}

void RecordingCanvas::NewPage()
{
    SetCurrentX(0);
    SetCurrentY(0);
    operations.append(Note(Kind::NewPage));
}

void RecordingCanvas::EndDoc()
{
    operations.append(Note(Kind::EndDoc));
}

double RecordingCanvas::ScaleWidth() const
{
    return orientation == Landscape ? A4Long : A4Short;
}

double RecordingCanvas::ScaleHeight() const
{
    return orientation == Landscape ? A4Short : A4Long;
}

double RecordingCanvas::TextWidth(const QString& text) const
{
    return text.size() * m_size * WidthPerPoint;
}

double RecordingCanvas::TextHeight(const QString&) const
{
    return m_size * HeightPerPoint;
}

void RecordingCanvas::DrawPicture(const QByteArray&, double x, double y, double width, double height)
{
    Operation op = Note(Kind::Picture);
    op.x = x;
    op.y = y;
    op.x2 = x + width;
    op.y2 = y + height;
    operations.append(op);
}

void RecordingCanvas::DrawText(const QString& text)
{
    operations.append(Note(Kind::Text, text));
}

void RecordingCanvas::DrawRectangle(double x1, double y1, double x2, double y2)
{
    Operation op = Note(Kind::Rectangle);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    operations.append(op);
}

QStringList RecordingCanvas::Texts() const
{
    QStringList texts;
    for (const auto& op : operations)
        if (op.kind == Kind::Text)
            texts << op.text;
    return texts;
}

const RecordingCanvas::Operation* RecordingCanvas::Find(const QString& text) const
{
    for (const auto& op : operations)
        if (op.kind == Kind::Text && op.text == text)
            return &op;
    return nullptr;
}

int RecordingCanvas::Count(Kind kind) const
{
    int n = 0;
    for (const auto& op : operations)
        n += op.kind == kind ? 1 : 0;
    return n;
}
