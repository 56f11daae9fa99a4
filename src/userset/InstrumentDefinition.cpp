#include "InstrumentDefinition.h"

#include "Logger.h"

#include <cmath>

namespace {

bool getIndexed(const QList<double> &values, int index, double &value)
{
    if (index < 0 || index >= values.size()) {
        value = InstrumentDefinition::kUnset;
        return false;
    }
    value = values.at(index);
    return value != InstrumentDefinition::kUnset;
}

/// One number per text, the sentinel where a text is no number, so that
/// every entry stays at the index of its mode.
void appendNumbers(const QStringList &texts, QList<double> &numbers)
{
    for (const QString &text : texts) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        numbers.append(ok ? number : InstrumentDefinition::kUnset);
    }
}

} // namespace

InstrumentDefinition::InstrumentDefinition(const QString &instrumentType)
    : m_instrumentType(instrumentType)
{
}

const QStringList &InstrumentDefinition::propertyKeys()
{
    static const QStringList kKeys = {
        QStringLiteral("Datensatznummer"),
        QStringLiteral("Name_en"),
        QStringLiteral("Name_de"),
        QStringLiteral("NameMussTypnameEnthalten"),
        QStringLiteral("Modepolaritaet"),
        QStringLiteral("Icon"),
        QStringLiteral("FingerschalterVorhanden"),
        QStringLiteral("Gaskanal"),
        QStringLiteral("DefaultCutMode"),
        QStringLiteral("DefaultCutEffekt"),
        QStringLiteral("DefaultCutFlow"),
        QStringLiteral("DefaultCoagMode"),
        QStringLiteral("DefaultCoagEffekt"),
        QStringLiteral("DefaultCoagFlow"),
        QStringLiteral("DefaultModulation"),
        QStringLiteral("MinFlow"),
        QStringLiteral("MaxFlow"),
        QStringLiteral("EvxAllowed"),
        QStringLiteral("CutModes"),
        QStringLiteral("CoagModes"),
        QStringLiteral("SubinstrumentVon"),
        QStringLiteral("MaxCoagEffektValue"),
        QStringLiteral("MaxCutEffektValue"),
        QStringLiteral("IsParentInstrument"),
        QStringLiteral("PreventAutostart"),
        QStringLiteral("HideAutostop"),
        QStringLiteral("PreventFussschalter"),
        QStringLiteral("IsIOSKInstrument"),
    };
    return kKeys;
}

QStringList InstrumentDefinition::listValue(const QVariant &value, bool keepEmpty)
{
    // The settings layer may hand over a parsed list or the raw comma text.
    QStringList items = value.typeId() == QMetaType::QStringList
        ? value.toStringList()
        : value.toString().split(QLatin1Char(','), Qt::KeepEmptyParts);
    QStringList result;
    for (const QString &item : items) {
        const QString trimmed = item.trimmed();
        if (keepEmpty || !trimmed.isEmpty())
            result.append(trimmed);
    }
    return result;
}

bool InstrumentDefinition::setPropertyValue(const QString &key, const QVariant &value)
{
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                                  : value.toString().trimmed();
    if (key == QLatin1String("Datensatznummer")) {
        m_datensatznummer = text;
    } else if (key == QLatin1String("Name_en")) {
        m_nameEn = text;
    } else if (key == QLatin1String("Name_de")) {
        m_nameDe = text;
    } else if (key == QLatin1String("NameMussTypnameEnthalten")) {
        m_nameMussTypnameEnthalten = text;
    } else if (key == QLatin1String("Modepolaritaet")) {
        m_modepolaritaet = text;
    } else if (key == QLatin1String("Icon")) {
        m_icon = text;
    } else if (key == QLatin1String("FingerschalterVorhanden")) {
        m_fingerschalterVorhanden = text;
    } else if (key == QLatin1String("Gaskanal")) {
        m_gaskanal = text;
    } else if (key == QLatin1String("DefaultCutMode")) {
        m_defaultCutMode = text;
    } else if (key == QLatin1String("DefaultCutEffekt")) {
        m_defaultCutEffekt = convertToScale(text);
    } else if (key == QLatin1String("DefaultCutFlow")) {
        m_defaultCutFlow = text;
    } else if (key == QLatin1String("DefaultCoagMode")) {
        for (const QString &item : listValue(value))
            m_defaultCoagModes.append(convertToScale(item));
    } else if (key == QLatin1String("DefaultCoagEffekt")) {
        for (const QString &item : listValue(value))
            m_defaultCoagEffekte.append(convertToScale(item));
    } else if (key == QLatin1String("DefaultCoagFlow")) {
        m_defaultCoagFlow = text;
    } else if (key == QLatin1String("DefaultModulation")) {
        m_defaultModulation = text;
    } else if (key == QLatin1String("MinFlow") || key == QLatin1String("MaxFlow")) {
        const bool isMin = key == QLatin1String("MinFlow");
        (isMin ? m_minFlow : m_maxFlow) = text;
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (ok)
            (isMin ? m_minFlowValue : m_maxFlowValue) = number;
    } else if (key == QLatin1String("EvxAllowed")) {
        m_evxAllowed = text;
    } else if (key == QLatin1String("CutModes")) {
        m_cutModes.append(listValue(value));
    } else if (key == QLatin1String("CoagModes")) {
        m_coagModes.append(listValue(value));
    } else if (key == QLatin1String("SubinstrumentVon")) {
        m_subinstrumentVon = text;
    } else if (key == QLatin1String("MaxCoagEffektValue")) {
        // Positional: an empty entry stands for its mode and keeps the later ones in place.
        const QStringList items = listValue(value, true);
        m_maxCoagEffektValues.append(items);
        appendNumbers(items, m_maxCoagEffects);
    } else if (key == QLatin1String("MaxCutEffektValue")) {
        const QStringList items = listValue(value, true);
        m_maxCutEffektValues.append(items);
        appendNumbers(items, m_maxCutEffects);
    } else if (key == QLatin1String("IsParentInstrument")) {
        m_isParentInstrument = text;
    } else if (key == QLatin1String("PreventAutostart")) {
        m_preventAutostart = text;
    } else if (key == QLatin1String("HideAutostop")) {
        m_hideAutostop = text;
    } else if (key == QLatin1String("PreventFussschalter")) {
        m_preventFussschalter = text;
    } else if (key == QLatin1String("IsIOSKInstrument")) {
        m_isIOSKInstrument = text;
    } else {
        Logger::warn(QStringLiteral("InstrumentDefinition::setPropertyValue: Invalid property key=%1 instrumentType=%2")
                         .arg(key, m_instrumentType));
        return false;
    }
    return true;
}

QString InstrumentDefinition::convertToScale(const QString &text)
{
    if (!text.contains(QLatin1Char('.')))
        return text;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e12) {
        Logger::error(QStringLiteral("%1: Couldn't convert %2 to multiply by 10 scale.")
                          .arg(QStringLiteral("InstrumentDefinition::convertToScale"), text));
        return QStringLiteral("0");
    }
    // The small bias keeps values such as 1.15 from falling just below the half.
    return QString::number(qint64(std::floor(value * 10.0 + 0.5 + 1e-9)));
}

bool InstrumentDefinition::getFlowRange(double &minimum, double &maximum) const
{
    if (m_minFlowValue == kUnset || m_maxFlowValue == kUnset) {
        minimum = kUnset;
        maximum = kUnset;
        return false;
    }
    minimum = m_minFlowValue;
    maximum = m_maxFlowValue;
    return true;
}

bool InstrumentDefinition::getMaxCoagEffect(int index, double &value) const
{
    return getIndexed(m_maxCoagEffects, index, value);
}

bool InstrumentDefinition::getMaxCutEffect(int index, double &value) const
{
    return getIndexed(m_maxCutEffects, index, value);
}
