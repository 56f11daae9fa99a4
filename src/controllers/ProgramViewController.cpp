// The program editor's selection, levels, instruments and catalogue
// questions; modes, effects, switches and the mode edit are in
// ProgramViewControllerModes.cpp.
#include "ProgramViewController.h"

#include "ImFixer.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "InstrumentListModel.h"
#include "Logger.h"
#include "ModeListModel.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtectedName.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>

namespace {

const QString kLastElement = QStringLiteral("LAST_ELEMENT");

const InstrumentDefinition *definitionOf(const QString &type)
{
    return InstrumentConfiguration::instance()->findInstrumentDefinition(type);
}

/// An instrument name with the protected part of `current` kept whatever the
/// user typed; without a protected part the user cannot create one.
QString keepProtectedPart(const QString &current, const QString &requested)
{
    const QString fixed = ProtectedName::protectedPartOf(current);
    const QString editable
        = requested.contains(ProtectedName::kSeparator) ? requested.section(ProtectedName::kSeparator, -1) : requested;
    QString free = editable;
    free.remove(ProtectedName::kSeparator);
    return fixed.isEmpty() ? free : ProtectedName::join({ fixed, free });
}

} // namespace

ProgramViewController::ProgramViewController(
    QQmlContext *context, UserSetStorage *storage, TranslationService *translation, QObject *parent)
    : QObject(parent)
    , m_storage(storage)
    , m_translation(translation)
    , m_programLevels(new StringListModel(this))
    , m_modeModel(new ModeListModel(this))
{
    Q_UNUSED(context)
    QQmlEngine::setObjectOwnership(m_modeModel, QQmlEngine::CppOwnership);
    if (m_storage)
        connect(m_storage, &UserSetStorage::userSetRemoved, this, &ProgramViewController::onUserSetRemoved);
}

ProgramViewController::~ProgramViewController() = default;

void ProgramViewController::publish(QQmlContext *context)
{
    context->setContextProperty(QStringLiteral("ProgramLevelList"), m_programLevels);
}

// ---------------------------------------------------------------- lookups

UserSet *ProgramViewController::currentSet() const
{
    return m_set.data();
}

ProgramGroup *ProgramViewController::currentGroup() const
{
    const UserSet *set = currentSet();
    if (!set)
        return nullptr;
    for (ProgramGroup *group : set->programGroups()) {
        if (group->id() == m_programGroupId)
            return group;
    }
    return nullptr;
}

UserProgram *ProgramViewController::currentProgram() const
{
    const ProgramGroup *group = currentGroup();
    if (!group)
        return nullptr;
    for (UserProgram *program : group->programs()) {
        if (program->id() == m_userProgramId)
            return program;
    }
    return nullptr;
}

Instrument *ProgramViewController::instrument(const QString &instrumentId) const
{
    const UserProgram *program = currentProgram();
    if (!program || instrumentId.isEmpty())
        return nullptr;
    Instrument *found = Instrument::findById(instrumentId);
    const ProgramLevel *owner = found ? found->level() : nullptr;
    return owner && owner->program() == program ? found : nullptr;
}

ProgramLevel *ProgramViewController::level(const QString &programLevelId) const
{
    const UserProgram *program = currentProgram();
    const int index = program ? program->indexOfLevel(programLevelId) : -1;
    return index < 0 ? nullptr : program->levels().at(index);
}

QList<Instrument *> ProgramViewController::slotsOf(Instrument *instrument, bool allLevels) const
{
    ProgramLevel *own = instrument ? instrument->level() : nullptr;
    UserProgram *program = own ? own->program() : nullptr;
    if (!program)
        return {};
    if (!allLevels)
        return { instrument };
    const Instrument *top = instrument->isSubInstrument() ? instrument->parentInstrument() : instrument;
    const int position = own->positionOf(top);
    const int subIndex = instrument->isSubInstrument() ? int(top->subInstruments().indexOf(instrument)) : -1;
    if (position < 0)
        return { instrument };
    QList<Instrument *> result;
    for (ProgramLevel *level : program->levels()) {
        Instrument *slot = level->instruments().value(position);
        if (slot && subIndex >= 0)
            slot = slot->subInstruments().value(subIndex);
        if (slot)
            result << slot;
    }
    return result;
}

void ProgramViewController::markModified()
{
    if (UserSet *set = currentSet())
        set->setModified();
}

// ---------------------------------------------------------------- selection

void ProgramViewController::processProgramSelection(
    const QString &userSetId, const QString &programGroupId, const QString &userProgramId)
{
    if (m_set)
        m_set->disconnect(this);
    m_userSetId = userSetId;
    m_programGroupId = programGroupId;
    m_userProgramId = userProgramId;
    m_set = m_storage && !userSetId.isEmpty() && m_storage->userSetIds().contains(userSetId)
        ? m_storage->getUserSet(userSetId)
        : nullptr;
    // A set that goes away under the editor takes the program with it.
    if (m_set) {
        connect(m_set, &QObject::destroyed, this, [this] { closeProgram(true); });
        connect(m_set, &UserSet::modifiedChanged, this, &ProgramViewController::onModifiedChanged);
        // A reload from the file replaces the tree without the store removing the set.
        connect(m_set, &UserSet::contentCleared, this, [this] { closeProgram(true); });
    }
    m_editInstrumentId.clear();
    m_editModeId.clear();
    m_modeModel->clear();
    rebuildLevels();
    rebuildInstrumentModels();
    updateAddEnabled();
    emit programNameChanged();
}

void ProgramViewController::userHasLoggedOut()
{
    closeProgram(false);
}

void ProgramViewController::closeProgram(bool notify)
{
    const bool wasOpen = !m_userProgramId.isEmpty();
    if (m_set)
        m_set->disconnect(this);
    m_set = nullptr;
    m_userSetId.clear();
    m_programGroupId.clear();
    m_userProgramId.clear();
    m_editInstrumentId.clear();
    m_editModeId.clear();
    m_modeModel->clear();
    rebuildLevels();
    rebuildInstrumentModels();
    updateAddEnabled();
    emit programNameChanged();
    if (notify && wasOpen)
        emit programClosed();
}

void ProgramViewController::onUserSetRemoved(const QString &userSetId)
{
    if (!m_userSetId.isEmpty() && userSetId == m_userSetId)
        closeProgram(true);
}

void ProgramViewController::onModifiedChanged(bool modified)
{
    if (modified)
        return;
    if (!currentProgram()) {
        closeProgram(true);
        return;
    }
    rebuildLevels();
    rebuildInstrumentModels();
    updateAddEnabled();
}

QString ProgramViewController::getProgramGroupName() const
{
    const ProgramGroup *group = currentGroup();
    return group ? group->name() : QStringLiteral("undefined-pgn");
}

QString ProgramViewController::getProgramGroupBitmap() const
{
    const ProgramGroup *group = currentGroup();
    return group ? group->getPictogramImage() : QString();
}

QString ProgramViewController::programName() const
{
    const UserProgram *program = currentProgram();
    return program ? program->name() : QStringLiteral("undefined-pn");
}

void ProgramViewController::renameProgram(const QString &programName)
{
    UserProgram *program = currentProgram();
    if (!program || programName.isEmpty())
        return;
    const QString name = program->group()->makeUniqueProgramName(
        program, keepProtectedPart(program->name(), programName), true, false);
    if (name == program->name())
        return;
    program->setName(name);
    markModified();
    emit programNameChanged();
}

QString ProgramViewController::limitTextSize(const QString &text, int maxSize) const
{
    if (maxSize <= 0)
        return QString();
    if (text.size() <= maxSize)
        return text;
    // Below four characters the ellipsis would eat the whole text.
    if (maxSize <= 3)
        return text.left(maxSize);
    return text.left(maxSize - 3) + QStringLiteral("...");
}

void ProgramViewController::setupImEventFilter(QObject *item)
{
    if (item)
        item->installEventFilter(ImFixer::instance());
}

void ProgramViewController::onLanguageChanged(const QString &newLanguage)
{
    Q_UNUSED(newLanguage)
    refreshInstrumentModels();
}

// ---------------------------------------------------------------- models

StringListModel *ProgramViewController::refill(StringListModel *&model)
{
    if (!model)
        model = new StringListModel(this);
    else
        model->clear();
    return model;
}

InstrumentListModel *ProgramViewController::newInstrumentModel()
{
    auto *model = new InstrumentListModel(this);
    QQmlEngine::setObjectOwnership(model, QQmlEngine::CppOwnership);
    return model;
}

void ProgramViewController::retire(InstrumentListModel *model)
{
    // The scene may still bind the old model until its next frame.
    model->clear();
    model->deleteLater();
}

void ProgramViewController::rebuildLevels()
{
    m_programLevels->clear();
    const UserProgram *program = currentProgram();
    if (!program)
        return;
    for (const ProgramLevel *level : program->levels())
        m_programLevels->append(new StringListElement(level->id(), level->name(), level->isMarkedForDelete()));
}

void ProgramViewController::rebuildInstrumentModels()
{
    QHash<QString, InstrumentListModel *> kept;
    if (const UserProgram *program = currentProgram()) {
        for (ProgramLevel *level : program->levels()) {
            InstrumentListModel *model = m_instrumentModels.take(level->id());
            if (!model)
                model = newInstrumentModel();
            model->setInstruments(level->instruments());
            kept.insert(level->id(), model);
        }
    }
    for (InstrumentListModel *model : qAsConst(m_instrumentModels))
        retire(model);
    m_instrumentModels = kept;
    refreshInstrumentModels();
}

void ProgramViewController::refreshInstrumentModels()
{
    for (auto it = m_subInstrumentModels.begin(); it != m_subInstrumentModels.end();) {
        Instrument *parent = instrument(it.key());
        if (!parent) {
            retire(it.value());
            it = m_subInstrumentModels.erase(it);
            continue;
        }
        it.value()->setInstruments(parent->subInstruments());
        ++it;
    }
    for (InstrumentListModel *model : qAsConst(m_instrumentModels))
        model->refresh();
}

void ProgramViewController::updateAddEnabled()
{
    const UserProgram *program = currentProgram();
    const bool levelEnabled = !program || program->levels().size() < kMaxProgramLevels;
    const bool instrumentEnabled = !program || program->isAddInstrumentEnabled();
    if (levelEnabled != m_addProgramLevelEnabled) {
        m_addProgramLevelEnabled = levelEnabled;
        emit isAddProgramLevelEnabledChanged(levelEnabled);
    }
    if (instrumentEnabled != m_addInstrumentEnabled) {
        m_addInstrumentEnabled = instrumentEnabled;
        emit isAddInstrumentEnabledChanged(instrumentEnabled);
    }
}

// ---------------------------------------------------------------- levels

int ProgramViewController::getNumberOfProgramlevels() const
{
    const UserProgram *program = currentProgram();
    return program ? int(program->levels().size()) : 0;
}

void ProgramViewController::addProgramLevel(const QString &programLevelName)
{
    UserProgram *program = currentProgram();
    if (!program)
        return;
    if (program->levels().size() >= kMaxProgramLevels) {
        Logger::error(QStringLiteral("ProgramViewController::addProgramLevel: Cannot add new ProgramLevel: Maximum "
                                     "number of ProgramLevels per UserProgram reached"));
        return;
    }
    auto *added = new ProgramLevel(program);
    added->setName(programLevelName.isEmpty() ? UserProgram::defaultSubProgramName() : programLevelName);
    // Every level holds the same slots: the new one starts as a copy of the
    // first level's instruments.
    if (!program->levels().isEmpty()) {
        for (const Instrument *slot : program->levels().first()->instruments())
            added->appendInstrument(slot->duplicate(added));
    }
    program->appendLevel(added);
    markModified();
    rebuildLevels();
    rebuildInstrumentModels();
    updateAddEnabled();
}

void ProgramViewController::deleteProgramLevel(const QString &programLevelId)
{
    UserProgram *program = currentProgram();
    const int index = program ? program->indexOfLevel(programLevelId) : -1;
    if (index < 0)
        return;
    if (program->levels().size() == 1) {
        Logger::error(QStringLiteral("ProgramViewController::deleteProgramLevel: Cannot delete the only ProgramLevel"));
        return;
    }
    program->removeLevelAt(index);
    markModified();
    rebuildLevels();
    rebuildInstrumentModels();
    updateAddEnabled();
}

void ProgramViewController::markForDeleteProgramLevel(const QString &programLevelId, bool isMarkedForDelete, int row)
{
    Q_UNUSED(row)
    ProgramLevel *marked = level(programLevelId);
    if (!marked || marked->isMarkedForDelete() == isMarkedForDelete)
        return;
    if (isMarkedForDelete) {
        int unmarked = 0;
        for (const ProgramLevel *sibling : marked->program()->levels())
            unmarked += sibling->isMarkedForDelete() ? 0 : 1;
        if (unmarked <= 1) {
            Logger::error(QStringLiteral("ProgramViewController::markForDeleteProgramLevel: Cannot mark the last "
                                         "remaining ProgramLevel"));
            return;
        }
    }
    marked->setMarkedForDelete(isMarkedForDelete);
    markModified();
    rebuildLevels();
}

void ProgramViewController::renameProgramLevel(const QString &programLevelId, const QString &programLevelName, int row)
{
    Q_UNUSED(row)
    if (programLevelName.isEmpty()) {
        Logger::error(QStringLiteral("ProgramViewController::renameProgramLevel: Cannot rename to empty "
                                     "programLevelName"));
        return;
    }
    ProgramLevel *renamed = level(programLevelId);
    if (!renamed || renamed->name() == programLevelName)
        return;
    renamed->setName(programLevelName);
    markModified();
    rebuildLevels();
}

void ProgramViewController::swapProgramLevels(
    const QString &userProgramId, const QString &programLevelId1, const QString &programLevelId2)
{
    if (programLevelId1 == programLevelId2)
        return;
    UserProgram *program = currentProgram();
    if (!program || userProgramId != program->id())
        return;
    const int first = program->indexOfLevel(programLevelId1);
    const bool moved = programLevelId2 == kLastElement
        ? program->moveLevel(first, int(program->levels().size()))
        : program->swapLevels(first, program->indexOfLevel(programLevelId2));
    if (!moved)
        return;
    markModified();
    rebuildLevels();
}

InstrumentListModel *ProgramViewController::getInstrumentListForLevel(const QString &programLevelId)
{
    ProgramLevel *shown = level(programLevelId);
    if (!shown)
        return nullptr;
    InstrumentListModel *&model = m_instrumentModels[programLevelId];
    if (!model) {
        model = newInstrumentModel();
        model->setInstruments(shown->instruments());
    }
    return model;
}

// ---------------------------------------------------------------- instruments

void ProgramViewController::addInstrument(
    const QString &instrumentType, const QString &instrumentName, int row, int programLevelIndex)
{
    Q_UNUSED(row)
    Q_UNUSED(programLevelIndex)
    UserProgram *program = currentProgram();
    if (!program)
        return;
    if (!program->isAddInstrumentEnabled()) {
        Logger::error(QStringLiteral("ProgramViewController::addInstrument: Cannot add new Instrument: Maximum number "
                                     "of Instruments per UserProgram reached"));
        return;
    }
    const InstrumentDefinition *def = definitionOf(instrumentType);
    // A type the catalogue does not know makes the saved file unreadable.
    if (!def) {
        Logger::error(QStringLiteral("ProgramViewController::addInstrument: Cannot add Instrument: unknown "
                                     "instrumentType=%1")
                          .arg(instrumentType));
        return;
    }
    const QString catalogueName = def->name(InstrumentConfiguration::instance()->isGerman());
    program->addInstrument(instrumentType,
        instrumentName.isEmpty() ? catalogueName : ProtectedName::enforce(instrumentName, catalogueName));
    markModified();
    for (ProgramLevel *slotLevel : program->levels()) {
        Instrument *added = slotLevel->instruments().last();
        adoptCoagM6(added);
        if (InstrumentListModel *model = m_instrumentModels.value(slotLevel->id()))
            model->addInstrument(added);
    }
    updateAddEnabled();
}

void ProgramViewController::addSubInstrumentToInstrument(
    const QString &instrumentType, const QString &instrumentName, const QString &parentInstrumentId, int row)
{
    Q_UNUSED(row)
    Instrument *parent = instrument(parentInstrumentId);
    if (!parent || parent->isSubInstrument())
        return;
    const InstrumentDefinition *def = definitionOf(instrumentType);
    // Only a type the catalogue names as this parent's sub-instrument fits.
    if (!def || def->subinstrumentVon() != parent->effectiveType()) {
        Logger::error(QStringLiteral("ProgramViewController::addSubInstrumentToInstrument: Cannot add "
                                     "sub-instrument: instrumentType=%1 does not fit %2")
                          .arg(instrumentType, parent->effectiveType()));
        return;
    }
    const QString catalogueName = def->name(InstrumentConfiguration::instance()->isGerman());
    const QString name = instrumentName.isEmpty() ? QString() : ProtectedName::enforce(instrumentName, catalogueName);
    UserProgram *program = parent->level()->program();
    const int before = int(parent->subInstruments().size());
    if (!program->addAdditionalSubInstrument(parentInstrumentId, instrumentType, name))
        return;
    markModified();
    for (Instrument *slot : slotsOf(parent, true)) {
        if (slot->subInstruments().size() > before)
            adoptCoagM6(slot->subInstruments().last());
    }
    refreshInstrumentModels();
}

void ProgramViewController::deleteInstrument(const QString &instrumentId)
{
    Instrument *deleted = instrument(instrumentId);
    if (!deleted)
        return;
    if (m_editInstrumentId == instrumentId) {
        m_editInstrumentId.clear();
        m_modeModel->clear();
    }
    deleted->level()->program()->deleteInstrument(instrumentId);
    markModified();
    refreshInstrumentModels();
    updateAddEnabled();
}

void ProgramViewController::markForDeleteInstrument(const QString &instrumentId, bool isMarkedForDelete, int row)
{
    Q_UNUSED(row)
    Instrument *marked = instrument(instrumentId);
    if (!marked || marked->isMarkedForDelete() == isMarkedForDelete)
        return;
    marked->level()->program()->markForDeleteInstrument(instrumentId, isMarkedForDelete);
    markModified();
    refreshInstrumentModels();
}

void ProgramViewController::renameInstrument(
    const QString &instrumentId, const QString &name, bool changeAllSubprograms)
{
    Instrument *renamed = instrument(instrumentId);
    if (!renamed)
        return;
    if (!renamed->level() || renamed->level()->program()->indexOfLevel(renamed->level()->id()) < 0) {
        Logger::error(QStringLiteral("ProgramViewController::renameInstrument: Cannot rename Instrument: SubProgram "
                                     "not found"));
        return;
    }
    const QString newName = keepProtectedPart(renamed->effectiveName(), name);
    if (newName.isEmpty() || newName == renamed->effectiveName())
        return;
    for (Instrument *slot : slotsOf(renamed, changeAllSubprograms)) {
        // An alias carries its own name; the instrument underneath keeps its.
        if (!slot->aliasType().isEmpty())
            slot->setAlias(slot->aliasType(), keepProtectedPart(slot->aliasName(), name));
        else
            slot->setName(keepProtectedPart(slot->name(), name));
        slot->touch();
    }
    markModified();
}

void ProgramViewController::setInstrumentType(
    const QString &instrumentId, const QString &type, bool changeAllSubprograms)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed || type == changed->effectiveType())
        return;
    if (!changed->level() || changed->level()->program()->indexOfLevel(changed->level()->id()) < 0) {
        Logger::error(QStringLiteral("ProgramViewController::setInstrumentType: Cannot set type of instrument: "
                                     "SubProgram not found"));
        return;
    }
    if (!definitionOf(type)) {
        Logger::error(QStringLiteral("ProgramViewController::setInstrumentType: Cannot set type of instrument: "
                                     "unknown instrumentType=%1")
                          .arg(type));
        return;
    }
    for (Instrument *slot : slotsOf(changed, changeAllSubprograms)) {
        if (changeAllSubprograms) {
            // The new type for the whole slot: no level keeps an alias.
            slot->setInstrumentType(type);
            slot->setAlias(QString(), QString());
        } else if (type == slot->instrumentType()) {
            slot->setAlias(QString(), QString());
        } else {
            // This level alone uses another instrument under the slot's name.
            slot->setAlias(type, slot->effectiveName());
        }
        conformToCatalogue(slot);
        slot->touch();
    }
    markModified();
    refreshInstrumentModels();
}

void ProgramViewController::swapInstruments(
    const QString &programLevelId, const QString &instrumentId1, const QString &instrumentId2)
{
    Q_UNUSED(programLevelId)
    if (instrumentId1 == instrumentId2)
        return;
    Instrument *first = instrument(instrumentId1);
    if (!first || first->isSubInstrument())
        return;
    UserProgram *program = first->level()->program();
    const int from = first->level()->positionOf(first);
    bool moved = false;
    if (instrumentId2 == kLastElement) {
        moved = program->moveInstrumentToEndOnPosition(from);
    } else {
        Instrument *second = instrument(instrumentId2);
        if (!second || second->isSubInstrument() || second->level() != first->level())
            return;
        moved = program->swapInstrumentsOnPosition(from, first->level()->positionOf(second));
    }
    if (!moved)
        return;
    markModified();
    rebuildInstrumentModels();
}
