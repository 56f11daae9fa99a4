#include "ContactViewController.h"

#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "FileTransfer.h"
#include "INativeFunctionsWrapper.h"
#include "Logger.h"
#include "MailService.h"
#include "ProtocolTypes.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "SCTranslation.h"
#include "ServiceCenter.h"
#include "SettingsService.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "TranslationService.h"
#include "WebSocketClient.h"
#include "XmlServiceCenterSerializer.h"

#include <QtCore/QCollator>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtQml/QQmlContext>
#include <QtWidgets/QFileDialog>

#include <algorithm>

namespace {

const QString kContactFolder = QStringLiteral("kelvara_configFiles/contact");

// The country as the list shows it: translated, else the country tag. One
// key per centre keeps the order a strict weak one whatever translations the
// centres have, and sorts the list by what the user reads.
QString countryText(const ServiceCenter *serviceCenter, const QString &language)
{
    const SCTranslation *translation = serviceCenter->translation(language);
    return translation ? translation->country() : serviceCenter->countryTag;
}

} // namespace

ContactViewController::ContactViewController(QQmlContext *rootContext, CommunicationController *communication,
    MailService *mail, SettingsService *settings, TranslationService *translation,
    INativeFunctionsWrapper *nativeFunctions, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
    , m_mail(mail)
    , m_settings(settings)
    , m_translation(translation)
    , m_nativeFunctions(nativeFunctions)
    , m_model(new StringListModel(this))
{
    if (rootContext)
        rootContext->setContextProperty(QStringLiteral("ServiceCenterListModel"), m_model);
}

ContactViewController::~ContactViewController()
{
    clearServiceCenters();
}

void ContactViewController::registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes,
    std::function<QString()> userName, std::function<bool()> showAllServiceCenters)
{
    // A user set is taken only while it is awaited; otherwise Copy gets it.
    auto userSet = [this, userName](const FileTransfer &file) { return onUserSetReceived(file, userName()); };
    generatorRoutes.onFile(FileType::UserSet, userSet);
    generatorRoutes.onDownload(FileType::UserSet, userSet);
    // Event logs are copied, never taken: the Chrono module may want them too.
    auto chrono = [this, userName](const FileTransfer &file) {
        onChronoFileReceived(file, userName());
        return false;
    };
    for (FileType::Value type : { FileType::ChronoFixed, FileType::ChronoFlexZip, FileType::ChronoFlex }) {
        generatorRoutes.onFile(type, chrono);
        generatorRoutes.onDownload(type, chrono);
    }
    serverRoutes.onFile(FileType::ServiceCenters, [this, userName, showAllServiceCenters](const FileTransfer &file) {
        onServiceCenterListReceived(file, userName(), showAllServiceCenters());
        return false;
    });
}

// ---------------------------------------------------------------- directory

void ContactViewController::clearServiceCenters()
{
    m_model->clear();
    qDeleteAll(m_serviceCenters);
    m_serviceCenters.clear();
}

void ContactViewController::loadServiceCenters(const QString &userName, bool showAll)
{
    m_userName = userName;
    m_showAll = showAll;
    clearServiceCenters();
    const QString folder = DataPaths::userPath(userName, kContactFolder);
    QStringList names = QDir(folder).entryList({ QStringLiteral("*.xml") }, QDir::Files);
    std::sort(names.begin(), names.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) > 0; });
    // The newest file that parses: one damaged download does not empty the page.
    bool loaded = false;
    for (const QString &name : qAsConst(names)) {
        QFile file(folder + QLatin1Char('/') + name);
        QList<ServiceCenter *> parsed;
        if (XmlServiceCenterSerializer::parseServiceCenters(file, parsed)) {
            m_serviceCenters = parsed;
            loaded = true;
            break;
        }
        Logger::error(QStringLiteral("ContactViewController::loadServiceCenters")
            + QStringLiteral("XmlServiceCenterSerializer::loadServiceCenters failed!"));
        qDeleteAll(parsed);
    }
    if (loaded && !showAll) {
        const QString institution1 = m_settings ? m_settings->getInstitution1() : QString();
        const QString institution2 = m_settings ? m_settings->getInstitution2() : QString();
        for (int i = int(m_serviceCenters.size()) - 1; i >= 0; --i) {
            const QString id = m_serviceCenters.at(i)->serviceCenterId;
            // An empty setting names no centre at all.
            const bool visible
                = (!institution1.isEmpty() && id == institution1) || (!institution2.isEmpty() && id == institution2);
            if (!visible)
                delete m_serviceCenters.takeAt(i);
        }
    }
    rebuildModel(true);
}

QString ContactViewController::displayLanguage() const
{
    return m_translation ? m_translation->languageCode() : QStringLiteral("en");
}

void ContactViewController::sortServiceCenters()
{
    QList<QPair<QString, ServiceCenter *>> keyed;
    const QString defaultId = m_settings ? m_settings->getServiceCenter() : QString();
    const QString language = displayLanguage();
    for (ServiceCenter *serviceCenter : qAsConst(m_serviceCenters)) {
        QString key = m_sortKey == QLatin1String("City") ? serviceCenter->city : countryText(serviceCenter, language);
        if (m_sortKey == QLatin1String("Default"))
            key.prepend(serviceCenter->serviceCenterId == defaultId ? QLatin1Char('0') : QLatin1Char('1'));
        keyed.append({ key, serviceCenter });
    }
    // Sorted as the reader's language sorts ("Österreich" after "Niederlande").
    QCollator collator { QLocale(language) };
    std::stable_sort(keyed.begin(), keyed.end(),
        [&collator](const auto &a, const auto &b) { return collator.compare(a.first, b.first) < 0; });
    m_serviceCenters.clear();
    for (const auto &entry : qAsConst(keyed))
        m_serviceCenters.append(entry.second);
}

void ContactViewController::rebuildModel(bool selectDefault)
{
    sortServiceCenters();
    m_model->clear();
    const QString defaultId = m_settings ? m_settings->getServiceCenter() : QString();
    const QString language = displayLanguage();
    bool defaultSeen = false;
    for (const ServiceCenter *serviceCenter : qAsConst(m_serviceCenters)) {
        const QString text = QStringLiteral("%1 - %2").arg(countryText(serviceCenter, language), serviceCenter->city);
        const bool isDefault = !defaultSeen && serviceCenter->serviceCenterId == defaultId;
        defaultSeen = defaultSeen || isDefault;
        auto *element = new StringListElement(
            serviceCenter->instanceId(), text, serviceCenter->serviceCenterId, isDefault, false);
        m_model->append(element);
        if (isDefault && selectDefault)
            m_selectedId = serviceCenter->serviceCenterId;
    }
    emit selectedServiceCenterIndexChanged();
    emit serviceCenterDataChanged();
}

const ServiceCenter *ContactViewController::selected(bool last) const
{
    if (m_selectedId.isEmpty())
        return nullptr;
    const ServiceCenter *found = nullptr;
    for (const ServiceCenter *serviceCenter : m_serviceCenters) {
        if (serviceCenter->serviceCenterId == m_selectedId) {
            found = serviceCenter;
            if (!last)
                break;
        }
    }
    return found;
}

const SCTranslation *ContactViewController::selectedTranslation() const
{
    const ServiceCenter *serviceCenter = selected();
    return serviceCenter ? serviceCenter->translation(displayLanguage()) : nullptr;
}

#define CONTACT_FIELD(getter, field)                                                                                   \
    QString ContactViewController::getter() const                                                                      \
    {                                                                                                                  \
        const ServiceCenter *serviceCenter = selected();                                                               \
        return serviceCenter ? serviceCenter->field : QString();                                                       \
    }
CONTACT_FIELD(serviceCenterID, serviceCenterId)
CONTACT_FIELD(countryTag, countryTag)
CONTACT_FIELD(city, city)
CONTACT_FIELD(organization, organization)
CONTACT_FIELD(address1, address1)
CONTACT_FIELD(address2, address2)
CONTACT_FIELD(zip, zip)
CONTACT_FIELD(phone, phone)
CONTACT_FIELD(fax, fax)
CONTACT_FIELD(web, web)
CONTACT_FIELD(email, email)
#undef CONTACT_FIELD

QString ContactViewController::country() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->country() : QString();
}

QString ContactViewController::languages() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->languages() : QString();
}

QString ContactViewController::reachability1Days() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->reachability(0).first : QString();
}

QString ContactViewController::reachability1Hours() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->reachability(0).second : QString();
}

QString ContactViewController::reachability2Days() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->reachability(1).first : QString();
}

QString ContactViewController::reachability2Hours() const
{
    const SCTranslation *translation = selectedTranslation();
    return translation ? translation->reachability(1).second : QString();
}

int ContactViewController::selectedServiceCenterIndex() const
{
    if (m_selectedId.isEmpty())
        return -1;
    for (int i = 0; i < m_serviceCenters.size(); ++i) {
        if (m_serviceCenters.at(i)->serviceCenterId == m_selectedId)
            return i;
    }
    return -1;
}

void ContactViewController::setSelectedServiceCenterIndex(qint32 index)
{
    if (index < 0 || index >= m_serviceCenters.size())
        return;
    m_selectedId = m_serviceCenters.at(index)->serviceCenterId;
    emit selectedServiceCenterIndexChanged();
    emit serviceCenterDataChanged();
}

int ContactViewController::getIndexForDefaultServiceCenter() const
{
    const QString defaultId = m_settings ? m_settings->getServiceCenter() : QString();
    for (int i = 0; i < m_serviceCenters.size(); ++i) {
        if (m_serviceCenters.at(i)->serviceCenterId == defaultId)
            return i;
    }
    return -1;
}

void ContactViewController::setDefaultServiceCenter(const QString &serviceCenterId)
{
    const ServiceCenter *serviceCenter = ServiceCenter::find(serviceCenterId);
    if (!serviceCenter || !m_serviceCenters.contains(const_cast<ServiceCenter *>(serviceCenter)) || !m_settings)
        return;
    m_settings->setServiceCenter(serviceCenter->serviceCenterId);
    rebuildModel(false);
}

void ContactViewController::setSort(const QString &sortBy)
{
    m_sortKey = sortBy;
    rebuildModel(false);
}

void ContactViewController::languageChanged()
{
    rebuildModel(false);
}

void ContactViewController::openHtmlLink()
{
    const ServiceCenter *serviceCenter = selected(true);
    if (!serviceCenter || serviceCenter->web.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl(QStringLiteral("http://") + serviceCenter->web));
}

void ContactViewController::openMailAdress()
{
    const QString address = email();
    if (!address.isEmpty() && m_mail)
        m_mail->sendEMail(address);
}

// ---------------------------------------------------------------- generator data

QString ContactViewController::scratchFolder(const QString &userName)
{
    return DataPaths::userPath(userName, QStringLiteral("kelvara_configFiles/contact/temp_QELO3"));
}

void ContactViewController::emitDataFlags()
{
    emit userSetAwaitedChanged();
    emit chronoFlexAwaitedChanged();
    emit chronoFixAwaitedChanged();
    emit dataRequestedChanged();
}

void ContactViewController::requestUserSet()
{
    Qelo3Server *generator = m_communication ? m_communication->qelo3Server() : nullptr;
    if (generator && generator->client() && generator->client()->isProtocolConnected())
        generator->requestUserSet();
}

void ContactViewController::requestChrono()
{
    Qelo3Server *generator = m_communication ? m_communication->qelo3Server() : nullptr;
    if (generator && generator->client() && generator->client()->isProtocolConnected())
        generator->requestChronoFiles();
}

void ContactViewController::markChronoMissing()
{
    m_chronoFlexAwaited = true;
    m_chronoFixAwaited = true;
    m_chronoFlexPath.clear();
    m_chronoFixPath.clear();
}

void ContactViewController::getQelo3Data()
{
    markChronoMissing();
    getQelo3UserSet();
}

void ContactViewController::getQelo3UserSet()
{
    m_userSetAwaited = true;
    m_userSetPath.clear();
    beginDataRequest();
    requestUserSet();
}

void ContactViewController::getQelo3Chrono()
{
    markChronoMissing();
    beginDataRequest();
    requestChrono();
}

void ContactViewController::beginDataRequest()
{
    m_dataRequested = true;
    emitDataFlags();
    if (m_nativeFunctions)
        m_nativeFunctions->startPreventLock();
}

void ContactViewController::cancelDataRequest()
{
    m_userSetAwaited = true;
    m_userSetPath.clear();
    markChronoMissing();
    m_dataRequested = false;
    emitDataFlags();
    if (m_nativeFunctions)
        m_nativeFunctions->endPreventLock();
}

QString ContactViewController::storeAttachment(const FileTransfer &file, const QString &userName)
{
    // The name came from the generator: a plain name or nothing.
    const QString name = DataPaths::safeFileName(file.filename());
    if (userName.isEmpty() || name.isEmpty()) {
        Logger::warn(QStringLiteral("ContactViewController::storeAttachment: refused \"%1\"").arg(file.filename()));
        return QString();
    }
    QByteArray data = file.data();
    if (data.isEmpty() && !file.directory().isEmpty())
        data = FileSystem::getFileContents(file.directory() + QLatin1Char('/') + file.filename());
    const QString folder = scratchFolder(userName);
    DataPaths::ensureDirectory(folder);
    const QString path = folder + QLatin1Char('/') + name;
    return FileSystem::saveByteArrayToFile(path, data) ? path : QString();
}

bool ContactViewController::onUserSetReceived(const FileTransfer &file, const QString &userName)
{
    if (!m_dataRequested || !m_userSetAwaited)
        return false;
    const QString path = storeAttachment(file, userName);
    if (path.isEmpty())
        return true;
    m_userSetPath = path;
    m_userSetAwaited = false;
    // The event logs are fetched next, so one request collects all three files.
    markChronoMissing();
    m_dataRequested = true;
    emitDataFlags();
    if (m_nativeFunctions)
        m_nativeFunctions->startPreventLock();
    requestChrono();
    return true;
}

bool ContactViewController::onChronoFileReceived(const FileTransfer &file, const QString &userName)
{
    if (!m_dataRequested)
        return false;
    const bool isFix = file.fileType() == FileType::ChronoFixed;
    if ((isFix && !m_chronoFixAwaited) || (!isFix && !m_chronoFlexAwaited))
        return false;
    const QString path = storeAttachment(file, userName);
    if (path.isEmpty())
        return false;
    if (isFix) {
        m_chronoFixPath = path;
        m_chronoFixAwaited = false;
        emit chronoFixAwaitedChanged();
    } else {
        m_chronoFlexPath = path;
        m_chronoFlexAwaited = false;
        emit chronoFlexAwaitedChanged();
    }
    finishIfComplete();
    return true;
}

void ContactViewController::finishIfComplete()
{
    if (m_userSetAwaited || m_chronoFlexAwaited || m_chronoFixAwaited)
        return;
    m_dataRequested = false;
    emit dataRequestedChanged();
    if (m_nativeFunctions)
        m_nativeFunctions->endPreventLock();
}

bool ContactViewController::onServiceCenterListReceived(const FileTransfer &file, const QString &userName, bool showAll)
{
    const QString name = DataPaths::safeFileName(file.filename());
    if (userName.isEmpty() || name.isEmpty() || !name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        Logger::warn(
            QStringLiteral("ContactViewController::onServiceCenterListReceived: refused \"%1\"").arg(file.filename()));
        return false;
    }
    const QString folder = DataPaths::userPath(userName, kContactFolder);
    const QString path = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(path))
        return false;
    // Parsed before it is kept: a broken list never becomes the newest file.
    if (!XmlServiceCenterSerializer::isValid(file.data())) {
        Logger::error(
            QStringLiteral("ContactViewController::onServiceCenterListReceived: \"%1\" does not parse").arg(name));
        return false;
    }
    DataPaths::ensureDirectory(folder);
    if (!FileSystem::saveByteArrayToFile(path, file.data()))
        return false;
    loadServiceCenters(userName, showAll);
    return true;
}

bool ContactViewController::isMailTooBig() const
{
    return MailService::totalFileSize({ m_userSetPath, m_chronoFlexPath, m_chronoFixPath }) > kMailSizeLimit;
}

bool ContactViewController::writeToDestination(bool outboxOnly, const QString &hospital, const QString &senderName,
    const QString &senderPhone, const QString &subject, const QString &problemDescription)
{
    const ServiceCenter *serviceCenter = selected(true);
    const QString address = serviceCenter ? serviceCenter->email : QString();
    const QString tag = serviceCenter ? serviceCenter->countryTag : QString();
    if (!QFileInfo(m_userSetPath).isFile() || !QFileInfo(m_chronoFlexPath).isFile()
        || !QFileInfo(m_chronoFixPath).isFile() || address.isEmpty()) {
        Logger::error(QStringLiteral("ContactViewController::writeToDestination: One of these files does not exist: "
                                     "UserSetFullPathname=%1, ChronoFlexFullPathname=%2, ChronoFixFullPathname=%3, "
                                     "or email empty")
                          .arg(m_userSetPath, m_chronoFlexPath, m_chronoFixPath));
        emit mailNotWritten(1);
        return false;
    }
    if (isMailTooBig()) {
        Logger::error(QStringLiteral("ContactViewController::writeToDestination: the attachments exceed %1 bytes")
                          .arg(kMailSizeLimit));
        emit mailNotWritten(2);
        return false;
    }
    const QString serial = m_communication ? m_communication->qelo3Server()->serialNumber() : QString();
    const bool written = m_mail
        && m_mail->writeContactMessage(outboxOnly, serial, address, hospital, senderName, senderPhone,
            QStringLiteral("[Contact ") + tag + QStringLiteral("] ") + subject, problemDescription, m_userSetPath,
            m_chronoFlexPath, m_chronoFixPath);
    if (!written)
        emit mailNotWritten(3);
    return written;
}

bool ContactViewController::sendSupportEmail(const QString &hospital, const QString &senderName,
    const QString &senderPhone, const QString &subject, const QString &problemDescription)
{
    return writeToDestination(false, hospital, senderName, senderPhone, subject, problemDescription);
}

bool ContactViewController::writeToOutbox(const QString &hospital, const QString &senderName,
    const QString &senderPhone, const QString &subject, const QString &problemDescription)
{
    return writeToDestination(true, hospital, senderName, senderPhone, subject, problemDescription);
}

void ContactViewController::exportData()
{
    if (m_userSetAwaited || m_chronoFlexAwaited || m_chronoFixAwaited)
        return;
    const QString folder = m_folderChooser
        ? m_folderChooser()
        : QFileDialog::getExistingDirectory(nullptr, tr("Select export folder"), QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    for (const QString &path : { m_userSetPath, m_chronoFixPath, m_chronoFlexPath })
        FileSystem::copyFile(path, folder + QLatin1Char('/') + QFileInfo(path).fileName());
}

void ContactViewController::setShowMailPage(bool show)
{
    if (m_showMailPage == show)
        return;
    m_showMailPage = show;
    emit showMailPageChanged(show);
}

void ContactViewController::resetUserState()
{
    clearServiceCenters();
    m_selectedId.clear();
    m_userName.clear();
    m_sortKey.clear();
    cancelDataRequest();
    setShowMailPage(false);
    emit selectedServiceCenterIndexChanged();
    emit serviceCenterDataChanged();
}
