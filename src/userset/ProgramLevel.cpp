#include "ProgramLevel.h"

#include "Instrument.h"
#include "ObjectRegistry.h"

ProgramLevel::ProgramLevel(UserProgram *program, bool asClone)
    : RegisteredNode(asClone)
    , m_program(program)
{
}

ProgramLevel::~ProgramLevel()
{
    qDeleteAll(m_instruments);
}

void ProgramLevel::appendInstrument(Instrument *instrument)
{
    instrument->setLevel(this);
    m_instruments.append(instrument);
}

void ProgramLevel::insertInstrument(int position, Instrument *instrument)
{
    instrument->setLevel(this);
    m_instruments.insert(qBound(0, position, int(m_instruments.size())), instrument);
}

void ProgramLevel::removeInstrumentAt(int position)
{
    if (position >= 0 && position < m_instruments.size())
        delete m_instruments.takeAt(position);
}

bool ProgramLevel::swapInstruments(int first, int second)
{
    const int count = int(m_instruments.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return false;
    m_instruments.swapItemsAt(first, second);
    return true;
}

bool ProgramLevel::moveInstrumentToEnd(int position)
{
    if (position < 0 || position >= m_instruments.size())
        return false;
    m_instruments.append(m_instruments.takeAt(position));
    return true;
}

int ProgramLevel::positionOf(const Instrument *instrument) const
{
    return int(m_instruments.indexOf(const_cast<Instrument *>(instrument)));
}

bool ProgramLevel::copy(const ProgramLevel &source, bool asClone)
{
    changeId(source.m_id);
    m_name = source.m_name;
    m_markedForDelete = source.m_markedForDelete;
    m_isClone = asClone;
    if (asClone) {
        qDeleteAll(m_instruments);
        m_instruments.clear();
        for (const Instrument *instrument : source.m_instruments) {
            auto *copied = new Instrument(this, true);
            copied->copy(*instrument, true);
            m_instruments.append(copied);
        }
        return true;
    }
    if (source.m_instruments.size() > m_instruments.size()) {
        Logger::error(QStringLiteral("ProgramLevel::copy: Invalid clone! clone: %1 elements - this: %2 elements")
                          .arg(source.m_instruments.size())
                          .arg(m_instruments.size()));
        return false;
    }
    bool ok = true;
    for (int i = 0; i < source.m_instruments.size(); ++i)
        ok = m_instruments.at(i)->copy(*source.m_instruments.at(i), false) && ok;
    return ok;
}

ProgramLevel *ProgramLevel::duplicate(UserProgram *program) const
{
    auto *copied = new ProgramLevel(program, false);
    copied->m_name = m_name;
    copied->m_markedForDelete = m_markedForDelete;
    for (const Instrument *instrument : m_instruments)
        copied->m_instruments.append(instrument->duplicate(copied));
    return copied;
}
