#include "ModeType.h"

const std::array<QString, ModeType::FieldCount> &ModeType::attributeNames()
{
    static const std::array<QString, FieldCount> kNames = {
        QStringLiteral("Name"),
        QStringLiteral("Effekt"),
        QStringLiteral("Schnittdauer"),
        QStringLiteral("Schnittintervall"),
        QStringLiteral("APP"),
        QStringLiteral("Fast"),
        QStringLiteral("miC"),
        QStringLiteral("Modulation"),
    };
    return kNames;
}

int ModeType::fieldOf(QStringView attributeName)
{
    const auto &names = attributeNames();
    for (int i = 0; i < FieldCount; ++i) {
        if (attributeName == names[size_t(i)])
            return i;
    }
    return -1;
}

bool ModeType::setAttribute(const QString &attributeName, const QString &value)
{
    const int field = fieldOf(attributeName);
    if (field < 0)
        return false;
    m_values[size_t(field)] = value;
    return true;
}

QString ModeType::attribute(const QString &attributeName) const
{
    const int field = fieldOf(attributeName);
    return field < 0 ? QString() : m_values[size_t(field)];
}

void ModeType::applyDefaults(const QString &defaultModulation)
{
    if (m_values[Effekt].isEmpty()) {
        const bool off = m_values[Name] == QLatin1String("CUT_AUS") || m_values[Name] == QLatin1String("COAG_AUS");
        m_values[Effekt] = off ? QStringLiteral("0") : QStringLiteral("1");
    }
    if (m_values[Schnittdauer].isEmpty())
        m_values[Schnittdauer] = QStringLiteral("2");
    if (m_values[Schnittintervall].isEmpty())
        m_values[Schnittintervall] = QStringLiteral("5");
    for (Field field : { APP, Fast, MiC }) {
        if (m_values[field].isEmpty())
            m_values[field] = QStringLiteral("AUS");
    }
    if (m_values[Modulation].isEmpty())
        m_values[Modulation] = defaultModulation;
}
