#include "Instrument.h"

#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "Logger.h"
#include "ObjectRegistry.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"

Instrument::Instrument(ProgramLevel *level, bool asClone)
    : RegisteredNode(asClone)
    , m_level(level)
{
}

Instrument::~Instrument()
{
    qDeleteAll(m_subInstruments);
}

void Instrument::setName(const QString &name)
{
    m_name = name;
}
void Instrument::setInstrumentType(const QString &type)
{
    m_instrumentType = type;
}
void Instrument::setDatensatznummer(const QString &number)
{
    m_datensatznummer = number;
}

void Instrument::appendSubInstrument(Instrument *sub)
{
    sub->m_parentInstrumentId = m_id;
    sub->m_parentInstrument = this;
    sub->m_level = m_level;
    m_subInstruments.append(sub);
}

void Instrument::removeSubInstrumentAt(int index)
{
    if (index < 0 || index >= m_subInstruments.size())
        return;
    delete m_subInstruments.takeAt(index);
}

Instrument *Instrument::subInstrumentByDatensatznummer(const QString &number) const
{
    for (Instrument *sub : m_subInstruments) {
        if (sub->datensatznummer() == number)
            return sub;
    }
    return nullptr;
}

void Instrument::setMarkedForDelete(bool marked)
{
    m_markedForDelete = marked;
}

void Instrument::setLevel(ProgramLevel *level)
{
    m_level = level;
    for (Instrument *sub : m_subInstruments)
        sub->setLevel(level);
}

UserSet *Instrument::userSet() const
{
    if (!m_level || !m_level->program() || !m_level->program()->group())
        return nullptr;
    return m_level->program()->group()->userSet();
}

void Instrument::setEvx(const QString &rate, bool on)
{
    m_evxRate = rate;
    m_evxOn = on;
}

void Instrument::setIrx(const QString &rate, bool on)
{
    m_irxRate = rate;
    m_irxOn = on;
}

void Instrument::setAlias(const QString &type, const QString &name)
{
    m_aliasType = type;
    m_aliasName = name;
}

QString Instrument::effectiveType() const
{
    return m_aliasType.isEmpty() ? m_instrumentType : m_aliasType;
}

QString Instrument::effectiveName() const
{
    return m_aliasType.isEmpty() ? m_name : m_aliasName;
}

const InstrumentDefinition *Instrument::definition() const
{
    const QString type = effectiveType();
    if (type.isEmpty())
        return nullptr;
    return InstrumentConfiguration::instance()->findInstrumentDefinition(type);
}

void Instrument::setActivation(quint32 bits)
{
    m_activation = bits;
}

bool Instrument::setActivationType(const QString &identifier, bool on)
{
    const quint32 bit = InstrumentConfiguration::activationBit(identifier);
    if (identifier == QLatin1String("ACTIVATION_NOACTIVATION")) {
        if (on)
            m_activation = 0;
    } else if (bit == 0) {
        Logger::warn(QStringLiteral("Instrument::setActivationType: unknown activation type=%1").arg(identifier));
        return false;
    } else if (!on) {
        m_activation &= ~bit;
    } else if (bit & kExclusiveBits) {
        m_activation = (m_activation & ~kExclusiveBits) | bit;
        if (bit == ActivationAutostart)
            m_cut.setSelektierterMode(QStringLiteral("CUT_AUS"));
    } else {
        m_activation |= bit;
    }
    const InstrumentDefinition *def = definition();
    if (def && def->hasFingerSwitch())
        m_activation |= ActivationHand;
    touch();
    return true;
}

void Instrument::deriveActivation()
{
    const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    const QString type = effectiveType();
    if (m_coag.aktivierungsquelle() == QLatin1String("AUTOSTART") && catalogue->isPreventAutostartType(type))
        m_coag.setAktivierungsquelle(QStringLiteral("AUS"));
    const QString cut = m_cut.aktivierungsquelle();
    const QString coag = m_coag.aktivierungsquelle();
    quint32 bits = 0;
    if (cut == QLatin1String("AUS")) {
        if (coag == QLatin1String("AUTOSTART"))
            bits = ActivationAutostart;
        else if (coag == QLatin1String("SINGLE"))
            bits = ActivationOneFoot;
        else if (coag == QLatin1String("DOUBLE"))
            bits = ActivationTwoFootCoag;
    } else if (cut == QLatin1String("DOUBLE")) {
        if (coag == QLatin1String("AUS"))
            bits = ActivationTwoFootCut;
        else if (coag == QLatin1String("SINGLE"))
            bits = ActivationOneFoot | ActivationTwoFootCut;
        else if (coag == QLatin1String("DOUBLE"))
            bits = ActivationTwoFoot;
    }
    if (catalogue->isAutostopMode(m_coag.selektierterMode()) && m_coag.autostop() == QLatin1String("EIN"))
        bits |= ActivationAutostop;
    const InstrumentDefinition *def = type.isEmpty() ? nullptr : catalogue->findInstrumentDefinition(type);
    if (def && def->hasFingerSwitch())
        bits |= ActivationHand;
    m_activation = bits;
}

Instrument::Sources Instrument::activationSources() const
{
    Sources sources { QStringLiteral("AUS"), QStringLiteral("AUS"), m_coag.autostop() };
    switch (m_activation & ~quint32(ActivationHand | ActivationAutostop)) {
    case ActivationOneFoot:
        sources.coag = QStringLiteral("SINGLE");
        break;
    case ActivationTwoFoot:
        sources.cut = QStringLiteral("DOUBLE");
        sources.coag = QStringLiteral("DOUBLE");
        break;
    case ActivationTwoFootCut:
        sources.cut = QStringLiteral("DOUBLE");
        break;
    case ActivationOneFoot | ActivationTwoFootCut:
        sources.cut = QStringLiteral("DOUBLE");
        sources.coag = QStringLiteral("SINGLE");
        break;
    case ActivationTwoFootCoag:
        sources.coag = QStringLiteral("DOUBLE");
        break;
    case ActivationAutostart:
        sources.coag = QStringLiteral("AUTOSTART");
        break;
    default:
        break;
    }
    if (InstrumentConfiguration::instance()->isAutostopMode(m_coag.selektierterMode()))
        sources.autostop = hasActivation(ActivationAutostop) ? QStringLiteral("EIN") : QStringLiteral("AUS");
    return sources;
}

void Instrument::applyActivationToSources()
{
    const Sources sources = activationSources();
    m_cut.setAktivierungsquelle(sources.cut);
    m_coag.setAktivierungsquelle(sources.coag);
    m_coag.setAutostop(sources.autostop);
}

void Instrument::copyValues(const Instrument &source)
{
    changeId(source.m_id);
    copyFields(source);
}

void Instrument::copyFields(const Instrument &source)
{
    m_name = source.m_name;
    m_instrumentType = source.m_instrumentType;
    m_datensatznummer = source.m_datensatznummer;
    m_coag = source.m_coag;
    m_cut = source.m_cut;
    m_parentInstrumentId = source.m_parentInstrumentId;
    m_markedForDelete = source.m_markedForDelete;
    m_evxRate = source.m_evxRate;
    m_evxOn = source.m_evxOn;
    m_irxRate = source.m_irxRate;
    m_irxOn = source.m_irxOn;
    m_aliasType = source.m_aliasType;
    m_aliasName = source.m_aliasName;
    m_activation = source.m_activation;
}

bool Instrument::copy(const Instrument &source, bool asClone)
{
    copyValues(source);
    m_isClone = asClone;
    if (asClone) {
        qDeleteAll(m_subInstruments);
        m_subInstruments.clear();
        for (const Instrument *sub : source.m_subInstruments) {
            auto *copied = new Instrument(m_level, true);
            copied->copy(*sub, true);
            appendSubInstrument(copied);
        }
        return true;
    }
    if (source.m_subInstruments.size() > m_subInstruments.size()) {
        Logger::error(QStringLiteral("Instrument::copy: Invalid clone! clone: %1 elements - this: %2 elements")
                          .arg(source.m_subInstruments.size())
                          .arg(m_subInstruments.size()));
        return false;
    }
    bool ok = true;
    for (int i = 0; i < source.m_subInstruments.size(); ++i)
        ok = m_subInstruments.at(i)->copy(*source.m_subInstruments.at(i), false) && ok;
    return ok;
}

Instrument *Instrument::clone() const
{
    auto *copied = new Instrument(m_level, true);
    copied->copy(*this, true);
    copied->m_parentInstrument = m_parentInstrument;
    return copied;
}

Instrument *Instrument::duplicate(ProgramLevel *level) const
{
    auto *copied = new Instrument(level, false);
    // Never by way of the source's id: moving the registry entry there and
    // back would take the source's own entry with it.
    copied->copyFields(*this);
    for (const Instrument *sub : m_subInstruments)
        copied->appendSubInstrument(sub->duplicate(level));
    return copied;
}

void Instrument::touch(int row)
{
    if (UserSet *set = userSet())
        set->setModified();
    // Also without a row: a list model finds its own row of the sender.
    emit dataChanged(row);
    emit dataChanged();
}
