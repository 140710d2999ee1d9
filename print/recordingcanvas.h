#pragma once

#include <QList>
#include <QString>

#include "canvas.h"

// A canvas that draws nothing and remembers every call, for tests of what is printed where.
// The device measures are whatever the test sets.
class RecordingCanvas : public PrintCanvas
{
public:
    struct Call
    {
        enum Kind { SetFont, TextOut };
        Kind kind = SetFont;
        // For SetFont the font set; for TextOut the font current when the text was drawn.
        QString face;
        int pointSize = 0;
        // TextOut only.
        int x = 0;
        int y = 0;
        QString text;

        friend bool operator==(const Call &, const Call &) = default;
    };

    explicit RecordingCanvas(int dpiX = 600, int dpiY = 600, int physicalOffsetY = 0,
                             int averageCharWidth = 0)
        : m_dpiX(dpiX), m_dpiY(dpiY), m_physicalOffsetY(physicalOffsetY),
          m_averageCharWidth(averageCharWidth)
    {
    }

    void setFont(const QString &face, int pointSize) override
    {
        m_face = face;
        m_pointSize = pointSize;
        m_calls.append(Call{Call::SetFont, face, pointSize, 0, 0, QString()});
    }
    void textOut(int x, int y, const QString &text) override
    {
        m_calls.append(Call{Call::TextOut, m_face, m_pointSize, x, y, text});
    }

    int logPixelsX() const override { return m_dpiX; }
    int logPixelsY() const override { return m_dpiY; }
    int physicalOffsetY() const override { return m_physicalOffsetY; }
    int averageCharWidth() const override { return m_averageCharWidth; }

    void setLogPixels(int x, int y)
    {
        m_dpiX = x;
        m_dpiY = y;
    }
    void setPhysicalOffsetY(int offset) { m_physicalOffsetY = offset; }
    void setAverageCharWidth(int width) { m_averageCharWidth = width; }

    const QList<Call> &calls() const { return m_calls; }
    // Only the TextOut calls, in drawing order.
    QList<Call> texts() const
    {
        QList<Call> out;
        for (const Call &call : m_calls) {
            if (call.kind == Call::TextOut)
                out.append(call);
        }
        return out;
    }
    void clear() { m_calls.clear(); }

private:
    int m_dpiX;
    int m_dpiY;
    int m_physicalOffsetY;
    int m_averageCharWidth;
    QString m_face;
    int m_pointSize = 0;
    QList<Call> m_calls;
};
