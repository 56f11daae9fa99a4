#include "CopyViewController.h"

#include "AllUserSetsFilterModel.h"
#include "AllUserSetsListModel.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "FileSystem.h"
#include "FileTransfer.h"
#include "HalvoServer.h"
#include "Instrument.h"
#include "InstrumentDefinition.h"
#include "InstrumentConfiguration.h"
#include "Logger.h"
#include "LoggingService.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>
#include <QtQml/QQmlContext>

namespace {

const QString kAutostart = QStringLiteral("AUTOSTART_ERLAUBT");
const QString kTwoPedal = QStringLiteral("ZWEI_PEDAL_TEILBAR");
const QString kOn = QStringLiteral("EIN");
const QString kOff = QStringLiteral("AUS");
const QString kLastElement = QStringLiteral("LAST_ELEMENT");

QString tr(const char *text)
{
    return QCoreApplication::translate("CopyViewController", text);
}

bool isServerType(int type)
{
    return type == UserSet::HALVO_SERVER_GENERAL_TEMPLATE || type == UserSet::HALVO_SERVER_QELO3_DOWNLOAD;
}

StringListElement *imageElement(const QString &id, const QString &text, const QString &image, bool marked)
{
    auto *element = new StringListElement(id, text, QString(), image);
    element->setMarkedForDelete(marked);
    return element;
}

QString imageSource(const QString &image)
{
    // The catalogue names its pictograms by their whole resource URL already.
    if (image.isEmpty() || image.startsWith(QLatin1String("qrc:")))
        return image;
    return QStringLiteral("qrc:/Resources/Images/") + image;
}

QString pictogramSource(const ProgramGroup *group)
{
    return imageSource(group->getPictogramImage());
}

} // namespace

CopyViewController::CopyViewController(UserSetStorage *storage, CommunicationController *communication,
                                       LoggingService *loggingService, QObject *parent)
    : QObject(parent)
    , m_storage(storage)
    , m_communication(communication)
    , m_loggingService(loggingService)
    , m_allUserSets(new AllUserSetsListModel(this))
    , m_allUserSetsFilter(new AllUserSetsFilterModel(this))
    , m_hardware(new StringListModel(this))
    , m_setup(new StringListModel(this))
    , m_instruments(new StringListModel(this))
    , m_programPackages(new StringListModel(this))
    , m_programPackagesEditPage(new StringListModel(this))
{
    m_allUserSets->setStorage(storage);
    m_allUserSetsFilter->setSourceModel(m_allUserSets);
    m_pendingTimer.setSingleShot(true);
    m_pendingTimer.setInterval(kServerAnswerTimeoutMs);
    connect(&m_pendingTimer, &QTimer::timeout, this, &CopyViewController::onPendingTimeout);
    connect(Processing::instance(), &Processing::processFinished, this, &CopyViewController::onProcessFinished);
    connect(Processing::instance(), &Processing::deviceBusyChanged, this, &CopyViewController::onDeviceBusyChanged);
    // A set the store drops must not stay selected or pending by a stale id.
    connect(storage, &UserSetStorage::userSetRemoved, this, [this](const QString &id) {
        if (id == m_selectedUserSetId) {
            m_selectedUserSetId.clear();
            clearModels();
            emit selectionChanged();
        }
    });
    if (communication) {
        Qelo3Server *generator = communication->qelo3Server();
        connect(generator, &Qelo3Server::fileUploadSuccessfullyFinished, this,
                &CopyViewController::onQelo3UploadFinished);
        connect(generator, &Qelo3Server::fileUploadErrorOccured, this, &CopyViewController::onQelo3UploadFailed);
        connect(generator, &Qelo3Server::fileUploadCanceled, this, &CopyViewController::onQelo3UploadFailed);
        connect(generator, &Qelo3Server::fileDownloadErrorOccured, this, [this](int type) {
            if (type == FileType::UserSet)
                emit transferFailed();
        });
    }
    m_pageStack.append(PAGE_LIST);
}

CopyViewController::~CopyViewController()
{
    // The models go before the store they follow.
    delete m_allUserSetsFilter;
    delete m_allUserSets;
}

void CopyViewController::publish(QQmlContext *context)
{
    context->setContextProperty(QStringLiteral("AllUserSets"), m_allUserSets);
    context->setContextProperty(QStringLiteral("AllUserSetsFilter"), m_allUserSetsFilter);
    context->setContextProperty(QStringLiteral("HardwareModel"), m_hardware);
    context->setContextProperty(QStringLiteral("SetupModel"), m_setup);
    context->setContextProperty(QStringLiteral("InstrumentsModel"), m_instruments);
    context->setContextProperty(QStringLiteral("ProgramPackagesModel"), m_programPackages);
    context->setContextProperty(QStringLiteral("ProgramPackagesModelEditPage"), m_programPackagesEditPage);
}

void CopyViewController::registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes)
{
    // From a protocol-4 generator a set comes as one message, from a newer one in chunks.
    generatorRoutes.onFile(FileType::UserSet, [this](const FileTransfer &file) {
        qelo3UserSetReceived(file);
        return true;
    });
    generatorRoutes.onDownload(FileType::UserSet, [this](const FileTransfer &file) {
        qelo3UserSetReceived(file);
        return true;
    });
    serverRoutes.onFile(FileType::UserSet, [this](const FileTransfer &file) {
        if (file.isAck()) {
            if (!m_serverUploadFileName.isEmpty() && file.filename() == m_serverUploadFileName) {
                m_loggingService->upload(QStringLiteral("USERSET"), QStringLiteral("HALVO_SERVER"),
                                         m_serverUploadFileName);
                m_serverUploadFileName.clear();
            }
            return false;
        }
        halvoServerUserSetReceived(file);
        return true;
    });
    serverRoutes.onFile(FileType::InstrumentCatalog, [this](const FileTransfer &file) {
        instrumentCatalogReceived(file, m_storage->userName());
        return true;
    });
}

// ---------------------------------------------------------------- queries

UserSet *CopyViewController::userSet(const QString &userSetId) const
{
    return userSetId.isEmpty() ? nullptr : m_storage->getUserSet(userSetId);
}

UserSet *CopyViewController::selectedUserSet() const
{
    return m_selectedUserSetId.isEmpty() ? nullptr : m_storage->userSetIds().contains(m_selectedUserSetId)
                                                         ? m_storage->getUserSet(m_selectedUserSetId)
                                                         : nullptr;
}

ProgramGroup *CopyViewController::programGroup(UserSet *set, const QString &programGroupId) const
{
    if (!set)
        return nullptr;
    const int index = set->indexOfProgramGroup(programGroupId);
    return index < 0 ? nullptr : set->programGroups().at(index);
}

ProgramGroup *CopyViewController::selectedProgramGroup() const
{
    UserSet *set = selectedUserSet();
    ProgramGroup *group = programGroup(set, m_selectedProgramGroupId);
    if (!group && set && !set->programGroups().isEmpty())
        group = set->programGroups().constFirst();
    return group;
}

bool CopyViewController::isAddProgramGroupEnabled() const
{
    const UserSet *set = selectedUserSet();
    return !set || set->programGroups().size() < kMaxProgramGroups;
}

bool CopyViewController::isAddUserProgramEnabled() const
{
    const ProgramGroup *group = selectedProgramGroup();
    return !group || group->programs().size() < kMaxProgramsPerGroup;
}

void CopyViewController::updateAddEnabled()
{
    const bool groups = isAddProgramGroupEnabled();
    if (groups != m_addProgramGroupEnabled) {
        m_addProgramGroupEnabled = groups;
        emit isAddProgramGroupEnabledChanged();
    }
    const bool programs = isAddUserProgramEnabled();
    if (programs != m_addUserProgramEnabled) {
        m_addUserProgramEnabled = programs;
        emit isAddUserProgramEnabledChanged();
    }
}

bool CopyViewController::userSetSelected() const
{
    return selectedUserSet() != nullptr;
}

bool CopyViewController::serverUserSetSelected() const
{
    const UserSet *set = selectedUserSet();
    return set && isServerType(set->userSetType());
}

bool CopyViewController::localUserSetSelected() const
{
    const UserSet *set = selectedUserSet();
    return set && !isServerType(set->userSetType());
}

void CopyViewController::setSelectedUserSetBaseName(const QString &selectedUserSetBaseName)
{
    if (m_selectedUserSetBaseName == selectedUserSetBaseName)
        return;
    m_selectedUserSetBaseName = selectedUserSetBaseName;
    emit selectedUserSetBaseNameChanged(m_selectedUserSetBaseName);
}

void CopyViewController::setServerViewSelected(bool serverViewSelected)
{
    if (m_serverViewSelected == serverViewSelected)
        return;
    m_serverViewSelected = serverViewSelected;
    m_allUserSets->setView(serverViewSelected ? 0 : 1);
    emit selectedViewChanged();
}

void CopyViewController::resetLocalIndex()
{
    if (!serverUserSetSelected())
        setSelected(QString());
}

void CopyViewController::resetServerIndex()
{
    if (serverUserSetSelected())
        setSelected(QString());
}

int CopyViewController::getElementCount() const
{
    return m_allUserSets->getCurrentViewCount();
}

void CopyViewController::setSelected(const QString &userSetId)
{
    const bool changed = m_selectedUserSetId != userSetId;
    m_selectedUserSetId = userSetId;
    m_selectedProgramGroupId.clear();
    if (userSetId.isEmpty())
        m_allUserSets->clearSelection();
    else
        m_allUserSets->selectById(userSetId);
    if (UserSet *set = selectedUserSet())
        setSelectedUserSetBaseName(set->userSetName().getBaseName());
    updateAddEnabled();
    if (changed)
        emit selectionChanged();
}

bool CopyViewController::selectUserSetById(const QString &userSetId)
{
    if (!userSet(userSetId))
        return false;
    setSelected(userSetId);
    return true;
}

bool CopyViewController::selectUserSetByName(const QString &name, int view)
{
    if (!m_allUserSets->selectByName(name, view))
        return false;
    const QString id = m_allUserSets->selectedId();
    const bool changed = id != m_selectedUserSetId;
    m_selectedUserSetId = id;
    if (changed)
        emit selectionChanged();
    return true;
}

bool CopyViewController::selectUserSetByName(const QString &name)
{
    return selectUserSetByName(name, m_allUserSets->view());
}

bool CopyViewController::hasValidSerialNumber(const QString &userSetId) const
{
    return !getSerialNumberById(userSetId).isEmpty();
}

QString CopyViewController::getSerialNumberById(const QString &userSetId) const
{
    const UserSet *set = userSet(userSetId);
    if (!set)
        return QString();
    const QString serial = set->device(UserSet::Seriennummer).trimmed();
    bool ok = false;
    const qulonglong number = serial.toULongLong(&ok);
    const bool digitsOnly = !serial.isEmpty() && std::all_of(serial.cbegin(), serial.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return ok && digitsOnly && number != 0 ? serial : QString();
}

QString CopyViewController::getSoftwareRevById(const QString &userSetId) const
{
    const UserSet *set = userSet(userSetId);
    return set ? set->device(UserSet::Softwareversion) : QString();
}

QString CopyViewController::getUserSetBasename(const QString &userSetId) const
{
    const UserSet *set = userSet(userSetId);
    return set ? set->userSetName().getBaseName() : QString();
}

QString CopyViewController::getUserSetDisplayName(const QString &userSetId) const
{
    const UserSet *set = userSet(userSetId);
    return set ? set->userSetName().getDisplayName() : QString();
}

QString CopyViewController::getUserSetQelo3SN(const QString &userSetId) const
{
    const UserSet *set = userSet(userSetId);
    return set ? set->device(UserSet::Seriennummer) : QString();
}

bool CopyViewController::isUserSetModified(const QString &userSetId) const
{
    if (userSetId.isEmpty() || !m_storage->userSetIds().contains(userSetId))
        return false;
    return m_storage->getUserSet(userSetId)->isModified();
}

QString CopyViewController::getQelo3SoftwareVersion() const
{
    return m_communication ? m_communication->qelo3Server()->softwareVersion() : QString();
}

QString CopyViewController::getTextOfProgramGroupCatalogId(const QString &id) const
{
    return InstrumentConfiguration::instance()->getProgramGroupText(id);
}

QStringList CopyViewController::getSelectedUserSetsFilename() const
{
    QStringList names;
    const QStringList ids = m_allUserSets->markedIds();
    for (const QString &id : ids) {
        if (const UserSet *set = userSet(id))
            names.append(set->fileName());
    }
    return names;
}

// ---------------------------------------------------------------- models

StringListModel *CopyViewController::newListModel(QList<StringListModel *> &pool)
{
    auto *model = new StringListModel(this);
    pool.append(model);
    return model;
}

StringListModel *CopyViewController::getProgramsForPackage(const QString &userSetId, const QString &packageId)
{
    UserSet *set = userSet(userSetId);
    const int index = set ? set->indexOfProgramGroup(packageId) : -1;
    if (index < 0)
        return nullptr;
    while (m_programsModels.size() <= index)
        newListModel(m_programsModels);
    rebuildProgramsOf(set, index);
    m_selectedProgramGroupId = packageId;
    updateAddEnabled();
    return m_programsModels.at(index);
}

StringListModel *CopyViewController::getProgramGroupCatalogCatalog()
{
    if (!m_programGroupCatalogue)
        m_programGroupCatalogue = new StringListModel(this);
    m_programGroupCatalogue->clear();
    const QList<CatalogueEntry> entries = InstrumentConfiguration::instance()->programGroupCatalogue();
    for (const CatalogueEntry &entry : entries) {
        m_programGroupCatalogue->append(imageElement(entry.identifier, entry.text, imageSource(entry.image), false));
    }
    return m_programGroupCatalogue;
}

StringListModel *CopyViewController::getPiktograms()
{
    if (!m_pictograms)
        m_pictograms = new StringListModel(this);
    m_pictograms->clear();
    const QList<CatalogueEntry> entries = InstrumentConfiguration::instance()->pictogramList();
    for (const CatalogueEntry &entry : entries) {
        m_pictograms->append(imageElement(entry.identifier, entry.text, imageSource(entry.image), false));
    }
    return m_pictograms;
}

void CopyViewController::clearModels()
{
    m_hardware->clear();
    m_setup->clear();
    m_instruments->clear();
    m_programPackages->clear();
    m_programPackagesEditPage->clear();
    for (StringListModel *model : qAsConst(m_programsModels))
        model->clear();
}

void CopyViewController::rebuildModels(UserSet *set)
{
    m_hardware->clear();
    rebuildInstruments(set);
    rebuildProgramPackages(set);
    rebuildSetup(set);
    updateAddEnabled();
}

void CopyViewController::rebuildInstruments(UserSet *set)
{
    m_instruments->clear();
    if (!set)
        return;
    const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    QStringList seen;
    for (const ProgramGroup *group : set->programGroups()) {
        for (const UserProgram *program : group->programs()) {
            for (const ProgramLevel *level : program->levels()) {
                for (const Instrument *instrument : level->instruments()) {
                    const QString type = instrument->effectiveType();
                    if (type.isEmpty() || seen.contains(type))
                        continue;
                    seen.append(type);
                    const InstrumentDefinition *definition = catalogue->findInstrumentDefinition(type);
                    const QString name = !definition ? type
                                         : catalogue->isGerman() ? definition->nameDe()
                                                                 : definition->nameEn();
                    m_instruments->append(new StringListElement(type, name, type));
                }
            }
        }
    }
}

void CopyViewController::rebuildProgramPackages(UserSet *set)
{
    m_programPackages->clear();
    m_programPackagesEditPage->clear();
    if (!set)
        return;
    for (const ProgramGroup *group : set->programGroups()) {
        for (StringListModel *model : {m_programPackages, m_programPackagesEditPage})
            model->append(imageElement(group->id(), group->name(), pictogramSource(group), group->isMarkedForDelete()));
    }
    for (int i = 0; i < m_programsModels.size(); ++i) {
        if (i < set->programGroups().size())
            rebuildProgramsOf(set, i);
        else
            m_programsModels.at(i)->clear();
    }
}

void CopyViewController::rebuildProgramsOf(UserSet *set, int groupIndex)
{
    if (!set || groupIndex < 0 || groupIndex >= m_programsModels.size())
        return;
    StringListModel *model = m_programsModels.at(groupIndex);
    model->clear();
    if (groupIndex >= set->programGroups().size())
        return;
    for (const UserProgram *program : set->programGroups().at(groupIndex)->programs())
        model->append(new StringListElement(program->id(), program->name(), program->isMarkedForDelete()));
}

void CopyViewController::rebuildSetup(UserSet *set)
{
    m_setup->clear();
    if (!set)
        return;
    auto *autostart = new StringListElement(kAutostart, tr("Autostart erlaubt"));
    autostart->setIsSelected(set->setup(UserSet::AutostartErlaubt) == kOn);
    m_setup->append(autostart);
    auto *twoPedal = new StringListElement(kTwoPedal, tr("Zweipedal teilbar"));
    twoPedal->setIsSelected(set->setup(UserSet::ZweiPedalFussschalterTeilbar) == kOn);
    m_setup->append(twoPedal);
}

// ---------------------------------------------------------------- selection

void CopyViewController::openSelectedUserSet()
{
    const QString id = m_allUserSets->selectedId();
    processUserSetSelection(id.isEmpty() ? m_selectedUserSetId : id);
}

bool CopyViewController::loadForDisplay(UserSet *set)
{
    if (set->loadState() == 1 && !m_storage->reloadUserSet(set))
        return false;
    return set->loadState() == 1 || set->loadState() == 2;
}

void CopyViewController::processUserSetSelection(const QString &userSetId)
{
    processUserSetSelectionEditPage(userSetId);
}

bool CopyViewController::processUserSetSelectionEditPage(const QString &userSetId)
{
    UserSet *set = userSet(userSetId);
    if (!set)
        return false;
    setSelected(userSetId);
    if (set->loadState() == 1 || set->loadState() == 2) {
        if (!loadForDisplay(set)) {
            set->setLoadState(3);
            return false;
        }
        rebuildModels(set);
        emit deviceBusyChanged(false);
        return true;
    }
    if (!m_pending.isEmpty()) {
        Logger::warn(QStringLiteral("CopyViewController::processUserSetSelection: busy getting userSetId=%1 when %2 "
                                    "is requestet")
                         .arg(m_pending.baseName, set->userSetName().getBaseName()));
        return false;
    }
    if (set->loadState() == 3 && !m_storage->reloadUserSet(set))
        set->setLoadState(0);
    else if (set->loadState() == 3) {
        rebuildModels(set);
        return true;
    }
    requestFromServer(set, false);
    return false;
}

void CopyViewController::requestFromServer(UserSet *set, bool copyToLocal)
{
    if (!isServerType(set->userSetType()) || !m_communication)
        return;
    const int category = set->userSetType() == UserSet::HALVO_SERVER_QELO3_DOWNLOAD ? 1 : 2;
    m_pending.baseName = set->userSetName().getBaseName();
    m_pending.type = set->userSetType();
    m_pending.copyToLocal = copyToLocal;
    m_communication->halvoServer()->requestUserSetFile(category, set->fileName());
    m_pendingTimer.start();
    Processing::instance()->start(0, 1);
}

void CopyViewController::finishPendingRequest()
{
    m_pending = PendingRequest();
    m_pendingTimer.stop();
    if (Processing::instance()->processType() == 1)
        Processing::instance()->stop();
    emit deviceBusyChanged(false);
}

void CopyViewController::onPendingTimeout()
{
    if (m_pending.isEmpty())
        return;
    Logger::warn(QStringLiteral("CopyViewController::onPendingTimeout: no answer for %1").arg(m_pending.baseName));
    finishPendingRequest();
    emit downloadTimedOut();
}

void CopyViewController::halvoServerUserSetReceived(const FileTransfer &file)
{
    const QString displayName = m_storage->halvoServerUserSetReceived(file.data(), file.filename(), file.selector());
    m_lastServerUserSetName = displayName;
    const int type = UserSetStorage::typeOfServerCategory(file.selector());
    const QString baseName = QFileInfo(file.filename()).completeBaseName();
    // The store replaced the server record by a new set: find it by name.
    if (m_pending.isEmpty() || m_pending.type != type || m_pending.baseName != baseName) {
        m_allUserSets->refreshUserSet(m_storage->findByBaseName(baseName, type));
        return;
    }
    const QString id = m_storage->findByBaseName(baseName, type);
    UserSet *set = id.isEmpty() ? nullptr : m_storage->getUserSet(id);
    const PendingRequest request = m_pending;
    if (set && (set->loadState() == 1 || set->loadState() == 2)) {
        finishPendingRequest();
        set->setReceived(true);
        m_allUserSets->refreshUserSet(id);
        if (request.copyToLocal) {
            copyServerSetToLocal(set);
            return;
        }
        setSelected(id);
        rebuildModels(set);
        return;
    }
    if (request.retries == 0 && set) {
        // One more try: a broken transfer is often a passing fault.
        m_pending.retries = 1;
        m_communication->halvoServer()->requestUserSetFile(file.selector(), set->fileName());
        m_pendingTimer.start();
        return;
    }
    finishPendingRequest();
    Logger::error(QStringLiteral("CopyViewController::halvoServerUserSetReceived: Failed to retrieve user set: %1.")
                      .arg(displayName.isEmpty() ? baseName : displayName));
    emit transferFailed();
}

void CopyViewController::onProcessFinished(Processing::EProcessType procType)
{
    Logger::warn(QStringLiteral("CopyViewController::onProcessFinished: procType=%1").arg(procType));
    if (procType == 1) {
        m_pending = PendingRequest();
        m_pendingTimer.stop();
    } else if (procType == 2 || procType == 3) {
        emit deviceBusyChanged(false);
        emit selectedViewChanged();
    }
}

void CopyViewController::onDeviceBusyChanged(bool isBusy)
{
    emit deviceBusyChanged(isBusy);
}

void CopyViewController::onHalvoServerDisconnected()
{
    if (!m_pending.isEmpty())
        finishPendingRequest();
    m_allUserSets->clearServerState();
}
