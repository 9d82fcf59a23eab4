#pragma once

#include "PrintDevice.h"
#include "PrinterError.h"

#include <QString>
#include <vector>

// A print device that writes down every call. Like a real printer it refuses
// to begin a document while one is open.
class RecordingPrintDevice : public PrintDevice {
public:
    enum class Call { Begin, FontSize, Draw, End, Abandon };
    struct Event {
        Call call;
        qint32 x = 0, y = 0;  // Draw
        QString text;         // Draw
        qint32 points = 0;    // FontSize
    };

    std::vector<Event> &events;

    explicit RecordingPrintDevice(std::vector<Event> &log) : events(log) {}

    void beginDocument() override
    {
        if (m_open)
            throw PrinterError(QString::fromLatin1(PrintingInProgressMessage));
        m_open = true;
        record(Call::Begin);
    }
    void setFontSize(qint32 points) override
    {
        record(Call::FontSize, 0, 0, QString(), points);
    }
    void drawText(qint32 x, qint32 y, const QString &text) override
    {
        record(Call::Draw, x, y, text);
    }
    void endDocument() override
    {
        m_open = false;
        record(Call::End);
    }
    void abandonDocument() noexcept override
    {
        if (!m_open)
            return;
        m_open = false;
        record(Call::Abandon);
    }

private:
    bool m_open = false;

    void record(Call call, qint32 x = 0, qint32 y = 0, const QString &text = QString(),
                qint32 points = 0)
    {
        events.push_back(Event{call, x, y, text, points});
    }
};
