#include "ChronoFields.h"


namespace ChronoField {

void split(QByteArrayView line, ChronoFields &fields)
{
    // Fields are a few bytes long: a plain loop beats a library call per field.
    fields.clear();
    const char *begin = line.data();
    const char *end = begin + line.size();
    const char *start = begin;
    for (const char *p = begin; p < end; ++p) {
        if (*p == ';') {
            fields.append(QByteArrayView(start, p - start));
            start = p + 1;
        }
    }
    fields.append(QByteArrayView(start, end - start));
}

ChronoFields views(const QList<QByteArray> &fields)
{
    ChronoFields result;
    for (const QByteArray &field : fields)
        result.append(QByteArrayView(field));
    return result;
}

QList<QByteArray> copies(const ChronoFields &fields)
{
    QList<QByteArray> result;
    result.reserve(fields.size());
    for (const QByteArrayView &field : fields)
        result.append(field.toByteArray());
    return result;
}

QString text(const ChronoFields &fields, int index)
{
    return index < fields.size() ? QString::fromUtf8(fields.at(index)) : QString();
}

int number(const ChronoFields &fields, int index)
{
    if (index >= fields.size())
        return 0;
    const QByteArrayView field = fields.at(index);
    bool ok = false;
    const int value = QByteArray::fromRawData(field.data(), field.size()).toInt(&ok);
    return ok ? value : 0;
}

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

void simplify(ChronoFields &fields, QList<QByteArray> &storage)
{
    for (QByteArrayView &field : fields) {
        const char *begin = field.data();
        const char *end = begin + field.size();
        while (begin < end && isSpace(*begin))
            ++begin;
        while (end > begin && isSpace(end[-1]))
            --end;
        bool inner = false;
        for (const char *p = begin; p < end; ++p) {
            if (isSpace(*p) && (*p != ' ' || (p + 1 < end && isSpace(p[1])))) {
                inner = true;
                break;
            }
        }
        if (!inner) {
            field = QByteArrayView(begin, end - begin);
            continue;
        }
        storage.append(QByteArray(begin, end - begin).simplified());
        field = QByteArrayView(storage.last());
    }
}

void stamp(QByteArrayView field, QString *date, QString *time)
{
    const qsizetype t = field.indexOf('T');
    if (t >= 0) {
        *date = QString::fromUtf8(field.first(t));
        const QByteArrayView rest = field.sliced(t + 1);
        const qsizetype next = rest.indexOf('T');
        *time = QString::fromUtf8(next >= 0 ? rest.first(next) : rest);
        return;
    }
    if (field.size() == 16) {
        const char *c = field.data();
        const char d[] = { '2', '0', c[0], c[1], '-', c[2], c[3], '-', c[4], c[5] };
        const char h[] = { c[7], c[8], ':', c[9], c[10], ':', c[11], c[12], '.', c[13], c[14], c[15] };
        *date = QString::fromLatin1(d, sizeof d);
        *time = QString::fromLatin1(h, sizeof h);
        return;
    }
    date->clear();
    time->clear();
}

} // namespace ChronoField
