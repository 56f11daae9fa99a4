#include "ChronoFlexParser.h"

#include "ChronoEnums.h"
#include "ChronoEventFactory.h"
#include "Logger.h"

#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtCore/QStringMatcher>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ChronoFlexParser {

namespace {

/// The keywords of a log are few, so the event filter is matched once per keyword.
class EventFilter
{
public:
    explicit EventFilter(const QString &pattern)
        : m_pattern(pattern)
        , m_expression(pattern)
    {
    }

    bool passes(const ChronoRecord &record)
    {
        if (m_pattern.isEmpty())
            return true;
        // A typed record's keyword is its type's key: one answer per type.
        const bool typed = !record.universal && record.type > 0 && record.type < kTypes;
        if (typed && m_byType[record.type] >= 0)
            return m_byType[record.type] == 1;
        const bool match = passes(record.keyword);
        if (typed)
            m_byType[record.type] = match ? 1 : 0;
        return match;
    }

private:
    static constexpr int kTypes = 32;

    bool passes(const QByteArray &keyword)
    {
        auto it = m_known.constFind(keyword);
        if (it != m_known.constEnd())
            return it.value();
        // A pattern that does not compile matches nothing.
        const bool match = m_expression.isValid() && m_expression.match(QString::fromUtf8(keyword)).hasMatch();
        m_known.insert(keyword, match);
        return match;
    }

    QString m_pattern;
    QRegularExpression m_expression;
    QHash<QByteArray, bool> m_known;
    signed char m_byType[kTypes] = { -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                     -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
};

QList<quint32> lineStarts(const QByteArray &data)
{
    QList<quint32> starts;
    starts.reserve(data.size() / 48 + 1);
    starts.append(0);
    const char *begin = data.constData();
    const char *end = begin + data.size();
    for (const char *p = begin; p < end;) {
        const void *hit = std::memchr(p, '\n', size_t(end - p));
        if (!hit)
            break;
        p = static_cast<const char *>(hit) + 1;
        starts.append(quint32(p - begin));
    }
    return starts;
}

} // namespace

QStringList errorLines(const QHash<QString, int> &counts)
{
    QList<QPair<int, QString>> pairs;
    pairs.reserve(counts.size());
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        pairs.append({ it.value(), it.key() });
    std::sort(pairs.begin(), pairs.end(), [](const QPair<int, QString> &a, const QPair<int, QString> &b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    QStringList lines;
    lines.reserve(pairs.size());
    for (const auto &pair : pairs)
        lines.append(QString::number(pair.first) + QLatin1Char('\t') + pair.second);
    return lines;
}

Result parse(const QString &path, const Filter &filter, const std::function<void(int)> &progress,
             const std::atomic<bool> *cancel)
{
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Logger::warn(QStringLiteral("ChronoFlexParser::parse: cannot open %1").arg(path));
        return result;
    }
    if (file.size() > kMaxFileSize) {
        Logger::warn(QStringLiteral("ChronoFlexParser::parse: %1 is too large").arg(path));
        return result;
    }
    QByteArray data = file.readAll();
    file.close();
    result.readable = true;

    const QList<quint32> starts = lineStarts(data);
    const qsizetype count = starts.size();
    EventFilter eventFilter(filter.event);
    const QStringMatcher description(filter.description, Qt::CaseInsensitive);
    QHash<QString, int> errors;
    QList<ChronoEventLog::Line> shown;
    shown.reserve(count);
    ChronoRecord record;
    int lastProgress = -1;
    for (qsizetype i = count - 1; i >= 1; --i) {
        if ((i & 0xFFF) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return result;
        }
        if (progress) {
            const int percent = int(std::ceil(double(count - i) / double(count) * 100.0));
            if (percent != lastProgress) {
                lastProgress = percent;
                progress(percent);
            }
        }
        const quint32 begin = starts.at(i);
        const quint32 end = i + 1 < count ? starts.at(i + 1) - 1 : quint32(data.size());
        const QByteArrayView line(data.constData() + begin, qsizetype(end - begin));
        if (!ChronoEventFactory::read(line, record))
            continue;
        if (record.type == ChronoEventTypes::ERR_MSG)
            ++errors[ChronoEventFactory::detail(record)];
        if (record.type != ChronoEventTypes::UNDEFINED && !eventFilter.passes(record))
            continue;
        if (!filter.description.isEmpty() && description.indexIn(ChronoEventFactory::detail(record)) < 0)
            continue;
        if (!filter.date.isEmpty() && !ChronoEventFactory::date(record).contains(filter.date, Qt::CaseInsensitive))
            continue;
        shown.append({ begin, end - begin });
    }
    shown.squeeze();
    result.errorList = errorLines(errors);
    result.events = ChronoEventLog(std::move(data), std::move(shown));
    return result;
}

} // namespace ChronoFlexParser
