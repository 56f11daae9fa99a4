#include "ChronoEventBase.h"

ChronoEventBase::ChronoEventBase(int type, const QList<QByteArray> &fields)
    : m_type(type)
{
    if (fields.size() >= 2)
        ChronoField::stamp(QByteArrayView(fields.at(1)), &m_date, &m_time);
}

ChronoEventBase::~ChronoEventBase() = default;
