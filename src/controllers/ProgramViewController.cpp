#include "ProgramViewController.h"

#include "InstrumentListModel.h"
#include "ModeListModel.h"
#include "StringListModel.h"

#include <QtQml/QQmlContext>

ProgramViewController::ProgramViewController(QQmlContext *context, UserSetStorage *storage,
                                             TranslationService *translation, QObject *parent)
    : QObject(parent)
    , m_storage(storage)
    , m_translation(translation)
    , m_programLevels(new StringListModel(this))
    , m_modeModel(new ModeListModel(this))
{
    Q_UNUSED(context)
}

ProgramViewController::~ProgramViewController() = default;

void ProgramViewController::publish(QQmlContext *context)
{
    context->setContextProperty(QStringLiteral("ProgramLevelList"), m_programLevels);
}

void ProgramViewController::processProgramSelection(const QString &userSetId, const QString &programGroupId, const QString &userProgramId)
{
}

QString ProgramViewController::getProgramGroupName() const
{
    return QString();
}

QString ProgramViewController::getProgramGroupBitmap() const
{
    return QString();
}

QString ProgramViewController::programName() const
{
    return QString();
}

void ProgramViewController::renameProgram(const QString &programName)
{
}

QString ProgramViewController::limitTextSize(const QString &text, int maxSize) const
{
    return QString();
}

int ProgramViewController::getNumberOfProgramlevels() const
{
    return 0;
}

void ProgramViewController::addProgramLevel(const QString &programLevelName)
{
}

void ProgramViewController::deleteProgramLevel(const QString &programLevelId)
{
}

void ProgramViewController::markForDeleteProgramLevel(const QString &programLevelId, bool isMarkedForDelete, int row)
{
}

void ProgramViewController::renameProgramLevel(const QString &programLevelId, const QString &programLevelName, int row)
{
}

void ProgramViewController::swapProgramLevels(const QString &userProgramId, const QString &programLevelId1, const QString &programLevelId2)
{
}

InstrumentListModel * ProgramViewController::getInstrumentListForLevel(const QString &programLevelId)
{
    return nullptr;
}

void ProgramViewController::addInstrument(const QString &instrumentType, const QString &instrumentName, int row, int programLevelIndex)
{
}

void ProgramViewController::addSubInstrumentToInstrument(const QString &instrumentType, const QString &instrumentName, const QString &parentInstrumentId, int row)
{
}

void ProgramViewController::deleteInstrument(const QString &instrumentId)
{
}

void ProgramViewController::markForDeleteInstrument(const QString &instrumentId, bool isMarkedForDelete, int row)
{
}

void ProgramViewController::renameInstrument(const QString &instrumentId, const QString &name, bool changeAllSubprograms)
{
}

void ProgramViewController::setInstrumentType(const QString &instrumentId, const QString &type, bool changeAllSubprograms)
{
}

void ProgramViewController::swapInstruments(const QString &programLevelId, const QString &instrumentId1, const QString &instrumentId2)
{
}

QString ProgramViewController::getInstrumentName(const QString &instrumentId) const
{
    return QString();
}

QString ProgramViewController::getInstrumentNameCheckingSubprograms(const QString &instrumentId, const QString &type) const
{
    return QString();
}

InstrumentListModel * ProgramViewController::getSubInstrumentListForInstrument(const QString &instrumentIdRole)
{
    return nullptr;
}

QStringList ProgramViewController::getListOfSubinstruments(const QString &parentInstrumentId) const
{
    return {};
}

bool ProgramViewController::subInstrumentAddButtonEnabled(const QString &instrumentIdRole) const
{
    return false;
}

StringListModel * ProgramViewController::getMonoInstrumentsCatalog()
{
    return nullptr;
}

StringListModel * ProgramViewController::getBipoInstrumentCatalog()
{
    return nullptr;
}

StringListModel * ProgramViewController::getSubInstrumentCatalog(const QString &parentInstrumentTyp)
{
    return nullptr;
}

StringListModel * ProgramViewController::getNonIOSKInstrumentsModel(bool isMono)
{
    return nullptr;
}

QStringList ProgramViewController::getNonIOSKInstrumentsList(bool isMono) const
{
    return {};
}

bool ProgramViewController::hasSubInstrument(const QString &instrumentType) const
{
    return false;
}

bool ProgramViewController::isParentInstrument(const QString &instrumentIdRole) const
{
    return false;
}

bool ProgramViewController::isSubInstrument(const QString &instrumentType, const QString &instrumentId) const
{
    return false;
}

bool ProgramViewController::isIOSKInstrument(const QString &instrumentId) const
{
    return false;
}

bool ProgramViewController::isMonopolar(const QString &instrumentType) const
{
    return false;
}

bool ProgramViewController::isMonopolarId(const QString &instrumentId) const
{
    return false;
}

bool ProgramViewController::isBipolar(const QString &instrumentType) const
{
    return false;
}

StringListModel * ProgramViewController::getCutModes(const QString &instrumentId)
{
    return nullptr;
}

void ProgramViewController::setCurrentCutMode(const QString &instrumentId, const QString &cutModeId, int row)
{
}

StringListModel * ProgramViewController::getCoagModes(const QString &instrumentId)
{
    return nullptr;
}

void ProgramViewController::setCurrentCoagMode(const QString &instrumentId, const QString &coagModeId, int row)
{
}

void ProgramViewController::setCutEffect(const QString &instrumentId, const QString &cutModeId, int effectIndex, const QVariant &effectValue, int row)
{
}

void ProgramViewController::setCoagEffect(const QString &instrumentId, const QString &coagModeId, int effectIndex, const QVariant &effectValue, int row)
{
}

StringListModel * ProgramViewController::getEvxValues(const QString &instrumentId)
{
    return nullptr;
}

int ProgramViewController::getEvxMenuSelectedIndex(const QString &instrumentId) const
{
    return 0;
}

void ProgramViewController::setEvxValue(const QString &instrumentId, const QString &evxValueId)
{
}

void ProgramViewController::setEvxEnabled(const QString &instrumentId, bool evxEnabled, int row)
{
}

StringListModel * ProgramViewController::getIrxValues(const QString &instrumentId)
{
    return nullptr;
}

void ProgramViewController::setIrxValue(const QString &instrumentId, const QString &irxValueId)
{
}

void ProgramViewController::setIrxEnabled(const QString &instrumentId, bool irxEnabled, int row)
{
}

StringListModel * ProgramViewController::getActivationMenuItems(const QString &instrumentId)
{
    return nullptr;
}

void ProgramViewController::setActivationModeSelected(const QString &instrumentId, const QString &activationId, bool isActivation, int row)
{
}

void ProgramViewController::editBegin(const QString &instrumentId, const QString &modeId, int indexItem)
{
}

void ProgramViewController::editCancel()
{
}

bool ProgramViewController::editSave()
{
    return false;
}

void ProgramViewController::setupImEventFilter(QObject *item)
{
}

void ProgramViewController::onLanguageChanged(const QString &newLanguage)
{
}

void ProgramViewController::userHasLoggedOut()
{
}





UserSet * ProgramViewController::currentSet() const
{
    return nullptr;
}

ProgramGroup * ProgramViewController::currentGroup() const
{
    return nullptr;
}

UserProgram * ProgramViewController::currentProgram() const
{
    return nullptr;
}

Instrument * ProgramViewController::instrument(const QString &instrumentId) const
{
    return nullptr;
}

void ProgramViewController::markModified()
{
}

void ProgramViewController::rebuildLevels()
{
}

void ProgramViewController::rebuildInstrumentModels()
{
}

void ProgramViewController::refreshLevelModels()
{
}

void ProgramViewController::updateAddEnabled()
{
}

void ProgramViewController::closeProgram(bool notify)
{
}

void ProgramViewController::onUserSetRemoved(const QString &userSetId)
{
}

StringListModel * ProgramViewController::refill(StringListModel *&model)
{
    return nullptr;
}

bool ProgramViewController::setEffect(const QString &instrumentId, const QString &modeId, int effectIndex, const QVariant &effectValue, bool isCut, int row)
{
    return false;
}

