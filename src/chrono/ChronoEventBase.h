#pragma once

#include "ChronoFields.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

/// One record of an event log. The concrete class of a keyword knows the
/// field counts of its records and turns the fields into the detail text.
class ChronoEventBase : public QObject
{
    Q_OBJECT
public:
    ~ChronoEventBase() override;

    int type() const { return m_type; }
    QString date() const { return m_date; }
    QString time() const { return m_time; }
    bool isValid() const { return m_valid; }
    void setValid(bool valid) { m_valid = valid; }

    virtual QString getDetailString() const = 0;

protected:
    ChronoEventBase(int type, const QList<QByteArray> &fields);

private:
    int m_type;
    QString m_date;
    QString m_time;
    bool m_valid = false;
};
