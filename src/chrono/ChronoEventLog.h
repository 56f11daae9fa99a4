#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QList>

/// The events of a parsed log, in the order they are shown: the log's bytes
/// and, per event, where its line lies in them. Eight bytes per event, so a
/// long log costs little more than its file.
class ChronoEventLog
{
public:
    struct Line
    {
        quint32 offset;
        quint32 length;
    };

    ChronoEventLog() = default;
    ChronoEventLog(QByteArray data, QList<Line> lines)
        : m_data(std::move(data))
        , m_lines(std::move(lines))
    {
    }

    int size() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    QByteArrayView line(int index) const
    {
        const Line &l = m_lines.at(index);
        return QByteArrayView(m_data.constData() + l.offset, qsizetype(l.length));
    }

private:
    QByteArray m_data;
    QList<Line> m_lines;
};
