#pragma once

#include "ObjectRegistry.h"

#include <QtCore/QList>
#include <QtCore/QString>

class Instrument;
class UserProgram;

/// One level of a user program: the same instrument slots as its sibling
/// levels, with per-level settings.
class ProgramLevel : public RegisteredNode<ProgramLevel>
{
public:
    static constexpr const char *kRegistryName = "ProgramLevel";
    static constexpr int kFirstId = 4000;

    explicit ProgramLevel(UserProgram *program = nullptr, bool asClone = false);
    ~ProgramLevel();
    ProgramLevel(const ProgramLevel &) = delete;
    ProgramLevel &operator=(const ProgramLevel &) = delete;


    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    UserProgram *program() const { return m_program; }
    void setProgram(UserProgram *program) { m_program = program; }
    /// A marked level stays until the set is saved; the save drops it.
    bool isMarkedForDelete() const { return m_markedForDelete; }
    void setMarkedForDelete(bool marked) { m_markedForDelete = marked; }

    const QList<Instrument *> &instruments() const { return m_instruments; }
    /// Takes ownership.
    void appendInstrument(Instrument *instrument);
    void insertInstrument(int position, Instrument *instrument);
    void removeInstrumentAt(int position);
    bool swapInstruments(int first, int second);
    bool moveInstrumentToEnd(int position);
    /// Position of a top-level instrument of this level, or -1.
    int positionOf(const Instrument *instrument) const;

    bool copy(const ProgramLevel &source, bool asClone);
    ProgramLevel *duplicate(UserProgram *program) const;

private:
    QString m_name;
    bool m_markedForDelete = false;
    QList<Instrument *> m_instruments;
    UserProgram *m_program = nullptr;
};
