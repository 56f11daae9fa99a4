// The Copy controller's editing, saving and transfer half; the list, the
// selection and the server requests are in CopyViewController.cpp.
#include "CopyViewController.h"

#include "AllUserSetsListModel.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "FileSystem.h"
#include "FileTransfer.h"
#include "HalvoServer.h"
#include "InstrumentConfiguration.h"
#include "Logger.h"
#include "LoggingService.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>

namespace {

const QString kLastElement = QStringLiteral("LAST_ELEMENT");

// A new program starts with one level, as the generator expects.
UserProgram *newProgram(ProgramGroup *group, const QString &name)
{
    auto *program = new UserProgram(group);
    program->setName(name);
    auto *level = new ProgramLevel(program);
    level->setName(QCoreApplication::translate("CopyViewController", "Stufe 1"));
    program->appendLevel(level);
    return program;
}

} // namespace

// ---------------------------------------------------------------- editing

void CopyViewController::createNewProgramGroup(const QString &userSetId, const QString &programGroupName,
                                               const QString &piktogrammidentifier)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return;
    if (set->programGroups().size() >= kMaxProgramGroups) {
        Logger::error(QStringLiteral("CopyViewController::createNewProgramGroup: Cannot add new ProgramGroup: Maximum "
                                     "number of ProgramGroups per UserSet reached"));
        return;
    }
    auto *group = new ProgramGroup(set);
    group->setName(set->makeUniqueProgramGroupName(nullptr, programGroupName, false, false));
    if (!piktogrammidentifier.isEmpty())
        group->setPictogramIdentifier(piktogrammidentifier);
    set->appendProgramGroup(group);
    group->appendProgram(newProgram(group, group->makeUniqueProgramName(nullptr, QString(), false, false)));
    set->setModified();
    m_selectedProgramGroupId = group->id();
    rebuildProgramPackages(set);
    updateAddEnabled();
}

void CopyViewController::createNewProgram(const QString &userSetId, const QString &programGroupId,
                                          const QString &programName, int index)
{
    UserSet *set = userSet(userSetId);
    ProgramGroup *group = programGroup(set, programGroupId);
    if (!group)
        return;
    if (group->programs().size() >= kMaxProgramsPerGroup) {
        Logger::error(QStringLiteral("CopyViewController::createNewProgram: Cannot add new UserProgram: Maximum number "
                                     "of UserPrograms per ProgramGroup reached"));
        return;
    }
    group->appendProgram(newProgram(group, group->makeUniqueProgramName(nullptr, programName, false, false)));
    set->setModified();
    m_selectedProgramGroupId = programGroupId;
    rebuildProgramsOf(set, index >= 0 ? index : set->indexOfProgramGroup(programGroupId));
    updateAddEnabled();
}

void CopyViewController::addProgramGroupCopy(const QString &userSetId, const QString &programGroupId,
                                             const QString &selfProgramGroupId)
{
    UserSet *set = userSet(userSetId);
    ProgramGroup *source = programGroup(set, programGroupId);
    if (!source)
        return;
    if (set->programGroups().size() >= kMaxProgramGroups) {
        Logger::error(QStringLiteral("CopyViewController::addProgramGroupCopy: Cannot add new ProgramGroup: Maximum "
                                     "number of ProgramGroups per UserSet reached"));
        return;
    }
    ProgramGroup *copy = source->duplicate(set);
    copy->setName(set->makeUniqueProgramGroupName(nullptr, source->name(), false, true));
    set->insertProgramGroup(set->indexOfProgramGroup(selfProgramGroupId), copy);
    set->setModified();
    rebuildProgramPackages(set);
    updateAddEnabled();
}

void CopyViewController::addProgramCopy(const QString &userSetId, const QString &programGroupId,
                                        const QString &programId, const QString &selfProgramId)
{
    UserSet *set = userSet(userSetId);
    ProgramGroup *group = programGroup(set, programGroupId);
    const int sourceIndex = group ? group->indexOfProgram(programId) : -1;
    if (sourceIndex < 0)
        return;
    if (group->programs().size() >= kMaxProgramsPerGroup) {
        Logger::error(QStringLiteral("CopyViewController::addProgramCopy: Cannot add new UserProgram: Maximum number "
                                     "of UserPrograms per ProgramGroup reached"));
        return;
    }
    const UserProgram *source = group->programs().at(sourceIndex);
    UserProgram *copy = source->duplicate(group);
    copy->setName(group->makeUniqueProgramName(nullptr, source->name(), false, true));
    group->insertProgram(group->indexOfProgram(selfProgramId), copy);
    set->setModified();
    rebuildProgramsOf(set, set->indexOfProgramGroup(programGroupId));
    updateAddEnabled();
}

void CopyViewController::renameProgramGroup(const QString &userSetId, const QString &programGroupId,
                                            const QString &programGroupName)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return;
    ProgramGroup *group = programGroup(set, programGroupId);
    if (!group) {
        Logger::error(QStringLiteral("CopyViewController::renameProgramGroup: programGroup not found"));
        return;
    }
    const QString name = set->makeUniqueProgramGroupName(group, programGroupName, true, false);
    if (name == group->name())
        return;
    group->setName(name);
    set->setModified();
    rebuildProgramPackages(set);
}

void CopyViewController::setProgramGroupIcon(const QString &userSetId, const QString &programGroupId,
                                             const QString &piktogrammidentifier, int index)
{
    Q_UNUSED(index)
    UserSet *set = userSet(userSetId);
    ProgramGroup *group = programGroup(set, programGroupId);
    if (!group || group->pictogramIdentifier() == piktogrammidentifier)
        return;
    group->setPictogramIdentifier(piktogrammidentifier);
    set->setModified();
    rebuildProgramPackages(set);
}

void CopyViewController::moveProgramGroup(const QString &userSetId, const QString &groupIdMove,
                                          const QString &groupIdBefore)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return;
    const int from = set->indexOfProgramGroup(groupIdMove);
    const int before = groupIdBefore == kLastElement ? int(set->programGroups().size())
                                                     : set->indexOfProgramGroup(groupIdBefore);
    // An unknown target is a stale page, not a request to move to the end.
    if (from < 0 || before < 0 || from == before)
        return;
    set->moveProgramGroup(from, before);
    set->setModified();
    rebuildProgramPackages(set);
}

void CopyViewController::swapPrograms(const QString &userSetId, const QString &programGroupId,
                                      const QString &programId1, const QString &programId2, int groupIndex)
{
    if (programId1 == programId2 || groupIndex < 0 || groupIndex >= m_programsModels.size())
        return;
    UserSet *set = userSet(userSetId);
    ProgramGroup *group = programGroup(set, programGroupId);
    if (!group)
        return;
    const int first = group->indexOfProgram(programId1);
    const bool moved = programId2 == kLastElement ? group->moveProgramToEnd(first)
                                                  : group->swapPrograms(first, group->indexOfProgram(programId2));
    if (!moved)
        return;
    set->setModified();
    rebuildProgramsOf(set, groupIndex);
}

void CopyViewController::deleteProgramGroup(const QString &userSetId, const QString &programGroupId)
{
    UserSet *set = userSet(userSetId);
    const int index = set ? set->indexOfProgramGroup(programGroupId) : -1;
    if (index < 0)
        return;
    set->removeProgramGroupAt(index);
    set->setModified();
    rebuildProgramPackages(set);
    updateAddEnabled();
}

void CopyViewController::markForDeleteProgramGroup(const QString &userSetId, const QString &programGroupId,
                                                   bool isMarkedForDelete, int row)
{
    Q_UNUSED(row)
    UserSet *set = userSet(userSetId);
    ProgramGroup *group = programGroup(set, programGroupId);
    if (!group || group->isMarkedForDelete() == isMarkedForDelete)
        return;
    group->setMarkedForDelete(isMarkedForDelete);
    set->setModified();
    rebuildProgramPackages(set);
}

void CopyViewController::markForDeleteProgram(const QString &userSetId, const QString &programId,
                                              bool isMarkedForDelete, int groupIndex, int elementIndex)
{
    Q_UNUSED(elementIndex)
    UserSet *set = userSet(userSetId);
    if (!set || groupIndex < 0 || groupIndex >= set->programGroups().size())
        return;
    ProgramGroup *group = set->programGroups().at(groupIndex);
    const int index = group->indexOfProgram(programId);
    if (index < 0 || group->programs().at(index)->isMarkedForDelete() == isMarkedForDelete)
        return;
    group->programs().at(index)->setMarkedForDelete(isMarkedForDelete);
    set->setModified();
    rebuildProgramsOf(set, groupIndex);
}

void CopyViewController::setSetupParameter(const QString &userSetId, const QString &parameterId, bool enabled)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return;
    const UserSet::SetupValue value = parameterId == QLatin1String("AUTOSTART_ERLAUBT") ? UserSet::AutostartErlaubt
                                      : parameterId == QLatin1String("ZWEI_PEDAL_TEILBAR")
                                          ? UserSet::ZweiPedalFussschalterTeilbar
                                          : UserSet::SetupValueCount;
    if (value == UserSet::SetupValueCount)
        return;
    const QString text = enabled ? QStringLiteral("EIN") : QStringLiteral("AUS");
    if (set->setup(value) != text) {
        set->setSetup(value, text);
        // The switches are saved with the set, so they count as an edit.
        set->setModified();
    }
    rebuildSetup(set);
}

// ---------------------------------------------------------------- edit mode and saving

void CopyViewController::editStart()
{
    m_pageStack.append(PAGE_EDIT);
    emit currentPageChanged();
}

void CopyViewController::addEditViewToStackView()
{
    if (currentPage() != PAGE_EDIT)
        editStart();
}

void CopyViewController::resetStackView()
{
    m_pageStack = {PAGE_LIST};
    emit currentPageChanged();
}

void CopyViewController::exitEditMode(bool restore)
{
    if (m_pageStack.size() > 1)
        m_pageStack.removeLast();
    emit currentPageChanged();
    if (restore && !m_selectedUserSetId.isEmpty())
        restoreUserSet(m_selectedUserSetId);
}

bool CopyViewController::restoreUserSet(const QString &userSetId)
{
    UserSet *set = userSet(userSetId);
    if (!set || !set->isModified())
        return set != nullptr;
    const bool ok = m_storage->reloadUserSet(set);
    if (userSetId == m_selectedUserSetId)
        rebuildModels(set);
    return ok;
}

bool CopyViewController::saveUserSet(const QString &userSetId, const QString &filenameNoExt)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return false;
    UserSet *saved = m_storage->saveUserSet(set, filenameNoExt);
    if (!saved) {
        emit saveFailed();
        return false;
    }
    if (saved != set || saved->id() != m_selectedUserSetId)
        setSelected(saved->id());
    rebuildModels(saved);
    return true;
}

void CopyViewController::exitCopyModule()
{
    // Check boxes are a mode of this visit, not of the next one.
    m_allUserSets->setMultipleSelectionActive(false);
    setSelected(QString());
    clearModels();
    resetStackView();
}

// ---------------------------------------------------------------- transfers

bool CopyViewController::qelo3UploadUserSet(const QString &userSetId)
{
    UserSet *set = userSet(userSetId);
    if (!set || !m_communication)
        return false;
    Qelo3Server *generator = m_communication->qelo3Server();
    // The generator gets what the file holds: unsaved edits would not travel.
    if (set->isModified() || generator->fileUploadIsActive() || !m_uploadingFileName.isEmpty()) {
        Logger::warn(QStringLiteral("CopyViewController::qelo3UploadUserSet: refused for %1 (%2)")
                         .arg(set->fileName(), set->isModified() ? QStringLiteral("unsaved changes")
                                                                 : QStringLiteral("another upload runs")));
        return false;
    }
    const QString path = m_storage->getUploadPath(set);
    if (!FileSystem::fileExists(path))
        return false;
    m_uploadingFileName = set->fileName();
    generator->uploadUserSet(set->fileName(), path);
    return true;
}

void CopyViewController::onQelo3UploadFinished(int type)
{
    if (type != FileType::UserSet || m_uploadingFileName.isEmpty())
        return;
    m_loggingService->upload(QStringLiteral("USERSET"), QStringLiteral("QELO3"), m_uploadingFileName);
    m_uploadingFileName.clear();
}

void CopyViewController::onQelo3UploadFailed(int type)
{
    if (type != FileType::UserSet || m_uploadingFileName.isEmpty())
        return;
    m_uploadingFileName.clear();
    emit transferFailed();
}

void CopyViewController::qelo3DownloadUserSet()
{
    if (m_communication)
        m_communication->qelo3Server()->requestUserSet();
}

bool CopyViewController::halvoServerUploadUserSet(const QString &userSetId)
{
    UserSet *set = userSet(userSetId);
    if (!set || !m_communication || set->isModified() || !m_serverUploadFileName.isEmpty())
        return false;
    const QByteArray data = FileSystem::getFileContents(m_storage->getUploadPath(set));
    if (data.isEmpty())
        return false;
    m_serverUploadFileName = set->fileName();
    m_communication->halvoServer()->uploadUserSet(set->userSetName().getPart(1), set->fileName(), data);
    return true;
}

void CopyViewController::halvoServerDownloadUserSet(const QString &userSetId)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return;
    if (set->userSetType() != UserSet::HALVO_SERVER_GENERAL_TEMPLATE
        && set->userSetType() != UserSet::HALVO_SERVER_QELO3_DOWNLOAD) {
        Logger::warn(QStringLiteral("UserSetType '%1' is not allowed in this context").arg(set->userSetType()));
        return;
    }
    // Only a fetched file can be copied; fetch it first and copy on arrival.
    if (set->loadState() != 1 && set->loadState() != 2) {
        if (!m_pending.isEmpty()) {
            Logger::warn(QStringLiteral("CopyViewController::halvoServerDownloadUserSet: busy getting userSetId=%1 "
                                        "when %2 is requestet")
                             .arg(m_pending.baseName, set->userSetName().getBaseName()));
            return;
        }
        requestFromServer(set, true);
        return;
    }
    copyServerSetToLocal(set);
}

void CopyViewController::copyServerSetToLocal(UserSet *serverSet)
{
    UserSet *local = m_storage->copyServerUserSetToLocal(serverSet);
    if (!local) {
        emit transferFailed();
        return;
    }
    const int type = local->userSetType();
    if (type != UserSet::GENERAL_TEMPLATE && type != UserSet::QELO3_DOWNLOAD) {
        const bool known = type >= UserSet::GENERAL_TEMPLATE && type <= UserSet::HALVO_SERVER_QELO3_DOWNLOAD;
        Logger::warn((known ? QStringLiteral("UserSetType '%1' is not allowed in this context")
                            : QStringLiteral("UserSetType '%1' is not known in this context"))
                         .arg(type));
        return;
    }
    setServerViewSelected(false);
    setSelected(local->id());
    rebuildModels(local);
}

bool CopyViewController::instrumentCatalogReceived(const FileTransfer &file, const QString &userName)
{
    const QString name = DataPaths::safeFileName(file.filename());
    if (name.isEmpty() || userName.isEmpty()) {
        Logger::error(QStringLiteral("CopyViewController::instrumentCatalogReceived: refused catalogue file \"%1\"")
                          .arg(file.filename()));
        return false;
    }
    const QString folder = DataPaths::userPath(userName, QStringLiteral("release_region/copy_configFiles"));
    const QString target = QStringLiteral("%1/%2").arg(folder, name);
    const QString scratch = target + QStringLiteral(".part");
    // A catalogue without definitions would leave the editor with nothing to
    // offer: the new file replaces the old only when it holds some.
    if (!DataPaths::ensureDirectory(folder) || !FileSystem::saveByteArrayToFile(scratch, file.data()))
        return false;
    int groups = 0;
    {
        QSettings check(scratch, EncryptedSettingsFormat::format());
        groups = check.status() == QSettings::NoError ? int(check.childGroups().size()) : 0;
    }
    if (groups == 0) {
        FileSystem::removeFile(scratch);
        Logger::error(QStringLiteral("CopyViewController::instrumentCatalogReceived: %1 holds no instrument "
                                     "definitions; the current catalogue stays")
                          .arg(name));
        return false;
    }
    FileSystem::removeFile(target);
    if (!QFile::rename(scratch, target)) {
        FileSystem::removeFile(scratch);
        return false;
    }
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(target);
    if (UserSet *set = selectedUserSet())
        rebuildModels(set);
    return true;
}

// ---------------------------------------------------------------- entry points

void CopyViewController::qelo3UserSetReceived(const FileTransfer &file)
{
    const bool openWasReplaced = selectedUserSet() && selectedUserSet()->userSetType() == UserSet::QELO3_DOWNLOAD;
    UserSet *set = m_storage->qelo3UserSetReceived(file.data(), file.filename());
    if (!set) {
        emit transferFailed();
        return;
    }
    if (selectUserSetByName(set->userSetName().getDisplayName(), 1) || openWasReplaced) {
        setSelected(set->id());
        rebuildModels(set);
        emit selectionChanged();
    }
}

void CopyViewController::importMailAttachment(const QString &path)
{
    if (!path.isEmpty()) {
        if (UserSet *set = m_storage->importUserSet(path)) {
            if (selectUserSetByName(set->userSetName().getDisplayName(), 1))
                emit selectionChanged();
        }
    }
    if (!path.isEmpty())
        FileSystem::removeFile(path);
}

void CopyViewController::onSyncComplete(const QString &userName, const QStringList &serverDownloads,
                                        const QStringList &serverTemplates)
{
    const QString catalogue = DataPaths::latestInstrumentCatalogue(userName);
    if (!catalogue.isEmpty() && QFileInfo::exists(catalogue))
        InstrumentConfiguration::instance()->initializeInstrumentCatalog(catalogue);
    m_storage->setUserName(userName);
    auto records = [](const QStringList &names) {
        QList<UserSetFileRecord> result;
        for (const QString &name : names) {
            UserSetFileRecord record;
            record.fileName = name;
            result.append(record);
        }
        return result;
    };
    // A record the server still lists keeps its fetched file and flags.
    QStringList newDownloads;
    QStringList newTemplates;
    for (const QString &name : serverDownloads) {
        if (m_storage->findByBaseName(QFileInfo(name).completeBaseName(), UserSet::HALVO_SERVER_QELO3_DOWNLOAD)
                .isEmpty())
            newDownloads.append(name);
    }
    for (const QString &name : serverTemplates) {
        if (m_storage->findByBaseName(QFileInfo(name).completeBaseName(), UserSet::HALVO_SERVER_GENERAL_TEMPLATE)
                .isEmpty())
            newTemplates.append(name);
    }
    m_serverDownloads = serverDownloads;
    m_storage->addServerUserSets(records(newDownloads), UserSet::HALVO_SERVER_QELO3_DOWNLOAD);
    m_storage->addServerUserSets(records(newTemplates), UserSet::HALVO_SERVER_GENERAL_TEMPLATE);
    m_storage->loadLocal(m_selectedUserSetId);
    m_allUserSets->rebuild();
    m_allUserSets->setView(m_serverViewSelected ? 0 : 1);
    if (!m_selectedUserSetId.isEmpty() && m_allUserSets->selectById(m_selectedUserSetId))
        emit selectionChanged();
}

int CopyViewController::pendingServerUploadCount() const
{
    int count = 0;
    const QList<UserSet *> downloads = m_storage->userSets(UserSet::QELO3_DOWNLOAD);
    for (const UserSet *set : downloads) {
        if (!m_serverDownloads.contains(set->fileName()))
            ++count;
    }
    return count;
}

void CopyViewController::onLanguageChanged()
{
    m_allUserSets->retranslate();
    if (UserSet *set = selectedUserSet())
        rebuildModels(set);
    emit languageChanged();
}

void CopyViewController::userHasLoggedOut()
{
    if (!m_pending.isEmpty())
        finishPendingRequest();
    m_allUserSets->setMultipleSelectionActive(false);
    setSelected(QString());
    m_storage->clear();
    clearModels();
    m_allUserSets->rebuild();
    m_uploadingFileName.clear();
    m_serverUploadFileName.clear();
    m_serverDownloads.clear();
    resetStackView();
}

// ---------------------------------------------------------------- multiple selection, files

void CopyViewController::activateMultiSelection(bool isActive)
{
    m_allUserSets->setMultipleSelectionActive(isActive);
}

void CopyViewController::toggleUserSetMarked(const QString &userSetId)
{
    if (userSet(userSetId))
        m_allUserSets->toggleMarked(userSetId);
}

void CopyViewController::deleteSelectedUserSets()
{
    QStringList ids = m_allUserSets->markedIds();
    if (ids.isEmpty() && !m_selectedUserSetId.isEmpty())
        ids.append(m_selectedUserSetId);
    m_storage->deleteUserSets(ids);
}

bool CopyViewController::exportSelectedUserSets(const QString &targetDirectory)
{
    if (targetDirectory.isEmpty())
        return false;
    QStringList ids = m_allUserSets->markedIds();
    if (ids.isEmpty() && !m_selectedUserSetId.isEmpty())
        ids.append(m_selectedUserSetId);
    return m_storage->exportUserSets(ids, targetDirectory);
}

bool CopyViewController::importUserSet(const QString &pathname)
{
    UserSet *set = m_storage->importUserSet(pathname);
    if (!set)
        return false;
    setSelected(set->id());
    return true;
}
