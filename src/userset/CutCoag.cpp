#include "CutCoag.h"

#include "InstrumentConfiguration.h"
#include "Logger.h"
#include "ModeData.h"

CutCoag::CutCoag(Side side)
    : m_side(side)
    , m_selektierterMode(side == Cut ? QStringLiteral("CUT_AUS") : QStringLiteral("COAG_AUS"))
{
}

ModeType *CutCoag::findMode(const QString &modeName)
{
    for (ModeType &mode : m_modes) {
        if (mode.modeName() == modeName)
            return &mode;
    }
    return nullptr;
}

const ModeType *CutCoag::findMode(const QString &modeName) const
{
    for (const ModeType &mode : m_modes) {
        if (mode.modeName() == modeName)
            return &mode;
    }
    return nullptr;
}

bool CutCoag::setModeParameter(const QString &modeName, int index, const QString &value)
{
    if (modeName == QLatin1String("Nothing"))
        return false;
    const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(modeName);
    if (index < 0 || index >= descriptors.size()) {
        Logger::error(
            QStringLiteral("CutCoag::setModeParameter: Invalid index=%1 for mode=%2").arg(index).arg(modeName));
        return false;
    }
    ModeType *entry = findMode(modeName);
    if (!entry) {
        ModeType created(modeName);
        created.applyDefaults(QString());
        m_modes.append(created);
        entry = &m_modes.last();
    }
    const ModeData *descriptor = descriptors.at(index);
    if (descriptor->isFlow())
        m_flow = value;
    else
        entry->setAttribute(descriptor->attributeName(), value);
    return true;
}

QList<ModeType> CutCoag::defaultModes(const QStringList &modeNames, const QString &defaultModulation)
{
    QList<ModeType> modes;
    modes.reserve(modeNames.size());
    for (const QString &name : modeNames) {
        ModeType mode(name);
        mode.applyDefaults(defaultModulation);
        modes.append(mode);
    }
    return modes;
}

bool CutCoag::operator==(const CutCoag &other) const
{
    return m_side == other.m_side && m_aktivierungsquelle == other.m_aktivierungsquelle
        && m_selektierterMode == other.m_selektierterMode && m_flow == other.m_flow && m_autostop == other.m_autostop
        && m_datensatznummer == other.m_datensatznummer && m_modes == other.m_modes;
}
