#pragma once

#include "platform/ReportCanvas.h"

#include <QList>
#include <QString>

// A canvas that draws nothing and notes every operation, with fixed metrics
// (a character is 0.2 mm wide per point, a line 0.4 mm high per point, on an
// A4 page), so that tests can check where a report puts things.
class RecordingCanvas : public ReportCanvas {
public:
    enum class Kind { StartJob, NewPage, EndDoc, Text, Rectangle, Picture };
    struct Operation {
        Kind kind = Kind::Text;
        QString text;
        double x = 0;
        double y = 0;
        double x2 = 0;
        double y2 = 0;
        double size = 0;
        bool bold = false;
        int32_t job = 0;
    };

    static constexpr double WidthPerPoint = 0.2;
    static constexpr double HeightPerPoint = 0.4;

    void StartJob(int16_t orientation, int32_t jobNumber) override;
    void NewPage() override;
    void EndDoc() override;
    void SetFontName(const QString& name) override { m_fontName = name; }
    QString FontName() const override { return m_fontName; }
    void SetFontSize(double points) override { m_size = points; }
    double FontSize() const override { return m_size; }
    void SetFontBold(bool bold) override { m_bold = bold; }
    bool FontBold() const override { return m_bold; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void DrawPicture(const QByteArray& image, double x, double y, double width, double height) override;

    QList<Operation> operations;
    int16_t orientation = Portrait;

    // The texts printed, in order.
    QStringList Texts() const;
    // The first text operation whose text is this one; null when none.
    const Operation* Find(const QString& text) const;
    int Count(Kind kind) const;

protected:
    void DrawText(const QString& text) override;
    void DrawRectangle(double x1, double y1, double x2, double y2) override;

    Operation Note(Kind kind, const QString& text = {}) const;

private:
    QString m_fontName;
    double m_size = 10;
    bool m_bold = false;
};
