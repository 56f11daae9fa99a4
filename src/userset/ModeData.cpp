#include "ModeData.h"

#include <cmath>

ModeData::ModeData(const QString &label, Kind kind, double minimum, double maximum, double step, double defaultValue,
    int decimals, QObject *parent)
    : QObject(parent)
    , m_label(label)
    , m_kind(kind)
    , m_minimum(kind == OnOff ? 0.0 : minimum)
    , m_maximum(kind == OnOff ? 1.0 : maximum)
    , m_step(kind == OnOff ? 1.0 : step)
    , m_defaultValue(defaultValue)
    , m_decimals(kind == DecimalNumber ? decimals : 0)
{
}

QString ModeData::defaultText() const
{
    switch (m_kind) {
    case OnOff:
        return m_defaultValue != 0.0 ? QStringLiteral("EIN") : QStringLiteral("AUS");
    case WholeNumber:
        return QString::number(qRound64(m_defaultValue));
    case DecimalNumber:
        break;
    }
    return QString::number(m_defaultValue, 'f', m_decimals);
}

QString ModeData::defaultTenfoldText() const
{
    if (m_kind != DecimalNumber)
        return defaultText();
    return QString::number(qint64(std::floor(m_defaultValue * 10.0 + 0.5)));
}

QString ModeData::attributeName() const
{
    if (m_label == QLatin1String("Effekt"))
        return QStringLiteral("Effekt");
    if (m_label == QLatin1String("Dauer"))
        return QStringLiteral("Schnittdauer");
    if (m_label == QLatin1String("Intervall"))
        return QStringLiteral("Schnittintervall");
    if (m_label == QLatin1String("QuickStart"))
        return QStringLiteral("APP");
    if (m_label == QLatin1String("FAST"))
        return QStringLiteral("Fast");
    if (m_label == QLatin1String("miC"))
        return QStringLiteral("miC");
    if (m_label == QLatin1String("Modulation"))
        return QStringLiteral("Modulation");
    return QString();
}
