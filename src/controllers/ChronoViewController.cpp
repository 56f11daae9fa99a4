#include "ChronoViewController.h"

#include "ChronoFolderEntry.h"
#include "ChronoZip.h"
#include "CommunicationController.h"
#include "DataPaths.h"
#include "FileSystem.h"
#include "Logger.h"
#include "Qelo3Server.h"
#include "RoutingTable.h"
#include "WebSocketClient.h"

#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

namespace {

const QString kChronoRoot = QStringLiteral("device_dataFiles/QELO3/chrono");
const QString kScratch = QStringLiteral("kelvara_configFiles/chrono/temp_QELO3");
const QStringList kChronoFilters = { QStringLiteral("*.fix"), QStringLiteral("*.flex") };

bool isChronoType(int type)
{
    return type == FileType::ChronoFixed || type == FileType::ChronoFlexZip || type == FileType::ChronoFlex;
}

void log(const QString &method, const QString &text)
{
    Logger::info(QStringLiteral("ChronoViewController::") + method + QStringLiteral(": ") + text);
}

} // namespace

ChronoViewController::ChronoViewController(CommunicationController *communication, QObject *parent)
    : QObject(parent)
    , m_communication(communication)
{
    Qelo3Server *generator = m_communication->qelo3Server();
    auto transferFailed = [this](int type) {
        if (isChronoType(type) && (m_chronoFixAwaited || m_chronoFlexAwaited)) {
            stopWaiting();
            report(TransferFailed, QStringLiteral("the transfer of a chrono file failed"));
        }
    };
    connect(generator, &Qelo3Server::fileDownloadErrorOccured, this, transferFailed);
    connect(generator, &Qelo3Server::fileDownloadCanceled, this, transferFailed);
    connect(generator->client(), &WebSocketClient::isProtocolConnectedChanged, this, [this, generator] {
        if (!generator->client()->isProtocolConnected())
            stopWaiting();
    });
}

ChronoViewController::~ChronoViewController()
{
    if (m_preventingLock)
        m_nativeFunctions->endPreventLock();
}

void ChronoViewController::registerRoutes(RoutingTable &generatorRoutes)
{
    // Whole files of older generators: the mail of the Contact module may want
    // them as well, so they are never taken away from it.
    generatorRoutes.onFile(FileType::ChronoFixed,
                           [this](const FileTransfer &file) { return takeWholeFile(file, m_chronoFixAwaited); });
    generatorRoutes.onFile(FileType::ChronoFlexZip,
                           [this](const FileTransfer &file) { return takeWholeFile(file, m_chronoFlexAwaited); });
    generatorRoutes.onFile(FileType::ChronoFlex,
                           [this](const FileTransfer &file) { return takeWholeFile(file, m_chronoFlexAwaited); });
    // Downloads of newer generators: a file this page waits for is its own.
    generatorRoutes.onDownload(FileType::ChronoFixed,
                               [this](const FileTransfer &file) { return takeDownload(file, m_chronoFixAwaited); });
    generatorRoutes.onDownload(FileType::ChronoFlexZip,
                               [this](const FileTransfer &file) { return takeDownload(file, m_chronoFlexAwaited); });
    generatorRoutes.onDownload(FileType::ChronoFlex,
                               [this](const FileTransfer &file) { return takeDownload(file, m_chronoFlexAwaited); });
}

bool ChronoViewController::takeWholeFile(const FileTransfer &file, bool awaited)
{
    if (!awaited || m_userName.isEmpty())
        return false;
    const QString name = DataPaths::safeFileName(file.filename());
    const QString scratch = scratchFolder();
    if (name.isEmpty() || !DataPaths::ensureDirectory(scratch)) {
        report(ImportFailed, QStringLiteral("unusable file name \"%1\"").arg(Logger::escapeControlCharacters(file.filename())));
        return false;
    }
    const QString path = scratch + QLatin1Char('/') + name;
    if (!FileSystem::saveByteArrayToFile(path, file.data())) {
        report(ImportFailed, QStringLiteral("cannot save %1").arg(path));
        return false;
    }
    importChronoFile(path);
    return false;
}

bool ChronoViewController::takeDownload(const FileTransfer &file, bool awaited)
{
    if (!awaited || m_userName.isEmpty())
        return false;
    importChronoFile(file.directory() + QDir::separator() + file.filename());
    return true;
}

QString ChronoViewController::scratchFolder() const
{
    return m_userName.isEmpty() ? QString() : DataPaths::userPath(m_userName, kScratch);
}

void ChronoViewController::setDataRoot(const QString &userName)
{
    m_userName = userName;
    m_root = QDir(DataPaths::userPath(userName, kChronoRoot));
    refreshFolders();
}

void ChronoViewController::userHasLoggedOut()
{
    stopWaiting();
    m_fileService.resetSelection();
    m_userName.clear();
    m_root = QDir();
    m_folderModel.setEntries({});
}

void ChronoViewController::setChronoFlexAwaited(bool awaited)
{
    if (awaited == m_chronoFlexAwaited)
        return;
    m_chronoFlexAwaited = awaited;
    emit chronoFlexAwaitedChanged(awaited);
    if (!m_chronoFlexAwaited && !m_chronoFixAwaited && m_preventingLock) {
        m_preventingLock = false;
        m_nativeFunctions->endPreventLock();
    }
}

void ChronoViewController::setChronoFixAwaited(bool awaited)
{
    if (awaited == m_chronoFixAwaited)
        return;
    m_chronoFixAwaited = awaited;
    emit chronoFixAwaitedChanged(awaited);
    if (!m_chronoFlexAwaited && !m_chronoFixAwaited && m_preventingLock) {
        m_preventingLock = false;
        m_nativeFunctions->endPreventLock();
    }
}

void ChronoViewController::stopWaiting()
{
    setChronoFixAwaited(false);
    setChronoFlexAwaited(false);
}

void ChronoViewController::getQelo3ChronoListOrFiles()
{
    setChronoFixAwaited(true);
    setChronoFlexAwaited(true);
    if (!m_preventingLock) {
        m_preventingLock = true;
        m_nativeFunctions->startPreventLock();
    }
    Qelo3Server *generator = m_communication->qelo3Server();
    if (!generator->client()->isProtocolConnected()) {
        // Nothing can arrive: waiting would only hold the page.
        stopWaiting();
        report(TransferFailed, QStringLiteral("no generator connected"));
        return;
    }
    generator->requestChronoFiles();
}

void ChronoViewController::cancelDataRequest()
{
    stopWaiting();
}

void ChronoViewController::report(int code, const QString &reason)
{
    Logger::error(QStringLiteral("ChronoViewController: ") + reason);
    emit chronoError(code, reason);
}

void ChronoViewController::refreshFolders()
{
    QList<ChronoFolderEntry *> entries;
    if (!m_userName.isEmpty()) {
        const QStringList folders = m_root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &folder : folders) {
            const QDir dir(m_root.filePath(folder));
            const QStringList files = dir.entryList(kChronoFilters, QDir::Files, QDir::Name);
            for (const QString &file : files)
                entries.append(new ChronoFolderEntry(dir.absoluteFilePath(file)));
        }
    }
    m_folderModel.setEntries(entries);
}

QString ChronoViewController::folderFor(const QString &baseName) const
{
    const QStringList parts = baseName.split(QLatin1Char('_'));
    QString name = parts.size() >= 2 ? parts.at(0) + QLatin1Char(' ') + parts.at(1) : baseName;
    // The name comes from the generator or from a file: only characters that
    // are safe as a folder name everywhere are kept.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9 ._-]"));
    name.remove(unsafe);
    name = name.trimmed();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    name = DataPaths::safeFileName(name.trimmed());
    return name.isEmpty() ? QString::fromLatin1(kUndefinedFolder) : name;
}

bool ChronoViewController::importChronoFile(const QString &pathname)
{
    if (m_userName.isEmpty()) {
        report(ImportFailed, QStringLiteral("nobody is logged in"));
        return false;
    }
    const QString path = QFileInfo(pathname).absoluteFilePath();
    bool filed = false;
    if (path.endsWith(QLatin1String(".fix"))) {
        log(QStringLiteral("importChronoFile"), QStringLiteral(".fix file received: ") + path);
        filed = fileFixFile(path);
    } else if (path.endsWith(QLatin1String(".flex"))) {
        log(QStringLiteral("importChronoFile"), QStringLiteral(".flex file received: ") + path);
        setChronoFlexAwaited(false);
        filed = fileFlexFiles({ path });
    } else if (path.endsWith(QLatin1String(".zip"))) {
        log(QStringLiteral("importChronoFile"), QStringLiteral("flex.zip file received: ") + path);
        setChronoFlexAwaited(false);
        filed = unpackZip(path);
    } else {
        report(ImportFailed, QStringLiteral("not a chrono file: %1").arg(path));
    }
    return filed;
}

bool ChronoViewController::unpackZip(const QString &path)
{
    const QString scratch = scratchFolder();
    const QDir scratchDir(scratch);
    const QString inScratch = scratchDir.absoluteFilePath(QFileInfo(path).fileName());
    // Only this delivery's files may be filed from the scratch folder.
    DataPaths::ensureDirectory(scratch);
    const QStringList leftovers = scratchDir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &file : leftovers) {
        if (scratchDir.absoluteFilePath(file) != path)
            QFile::remove(scratchDir.absoluteFilePath(file));
    }
    if (QFileInfo(path).absolutePath() != QFileInfo(scratch).absoluteFilePath()
        && !FileSystem::copyFile(path, inScratch)) {
        report(ImportFailed, QStringLiteral("cannot copy %1").arg(path));
        return false;
    }
    QString reason;
    if (!ChronoZip::unpack(inScratch, scratch, &reason)) {
        report(ArchiveRefused, QStringLiteral("%1 refused: %2").arg(inScratch, reason));
        return false;
    }
    QFile::remove(inScratch);
    Logger::trace(inScratch + QStringLiteral(" uncompressed"));
    QStringList files;
    const QStringList names = scratchDir.entryList(kChronoFilters, QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.append(scratchDir.absoluteFilePath(name));
    if (files.isEmpty()) {
        report(ImportFailed, QStringLiteral("%1 holds no chrono file").arg(path));
        return false;
    }
    return fileFlexFiles(files);
}

bool ChronoViewController::fileFixFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    setChronoFixAwaited(false);
    const QFileInfo info(path);
    const QString name = DataPaths::safeFileName(info.fileName());
    if (name.isEmpty() || !info.isFile()) {
        report(ImportFailed, QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    const QString folder = name.contains(QLatin1String("A0000")) ? QString::fromLatin1(kUndefinedFolder)
                                                                 : folderFor(info.completeBaseName());
    const QString folderPath = m_root.filePath(folder);
    const QString target = folderPath + QLatin1Char('/') + name;
    bool ok = DataPaths::ensureDirectory(folderPath);
    if (ok && !QFileInfo::exists(target))
        ok = FileSystem::copyFile(path, target);
    refreshFolders();
    if (!ok) {
        report(ImportFailed, QStringLiteral("cannot file %1").arg(path));
        return false;
    }
    const QStringList fixFiles = QDir(folderPath).entryList({ QStringLiteral("*.fix") }, QDir::Files, QDir::Name);
    if (!fixFiles.isEmpty()) {
        const QString first = QDir(folderPath).absoluteFilePath(fixFiles.constFirst());
        Logger::trace(QStringLiteral("ChronoViewController::fileFixFile: ") + first);
        m_fileService.setSelectedFixFile(first);
    }
    return true;
}

bool ChronoViewController::fileFlexFiles(const QStringList &files)
{
    QString folder = QString::fromLatin1(kUndefinedFolder);
    for (const QString &file : files) {
        const QString baseName = QFileInfo(file).baseName();
        log(QStringLiteral("fileFlexFiles"), QStringLiteral("Processing flex file: ") + baseName);
        if (!baseName.contains(QLatin1String("A0000"))) {
            folder = folderFor(baseName);
            break;
        }
    }
    const QString folderPath = m_root.filePath(folder);
    if (!DataPaths::ensureDirectory(folderPath)) {
        report(ImportFailed, QStringLiteral("cannot create %1").arg(folderPath));
        return false;
    }
    // The new copies are made first: the folder's previous log goes only
    // once they are complete.
    QStringList copies;
    QStringList targets;
    bool ok = true;
    for (const QString &file : files) {
        const QString name = DataPaths::safeFileName(QFileInfo(file).fileName());
        const QString copy = folderPath + QStringLiteral("/.") + name + QStringLiteral(".part");
        QFile::remove(copy);
        if (name.isEmpty() || !FileSystem::copyFile(file, copy)) {
            ok = false;
            break;
        }
        copies.append(copy);
        targets.append(folderPath + QLatin1Char('/') + name);
    }
    if (!ok) {
        for (const QString &copy : qAsConst(copies))
            QFile::remove(copy);
        refreshFolders();
        report(ImportFailed, QStringLiteral("cannot file %1").arg(files.join(QStringLiteral(", "))));
        return false;
    }
    const QDir dir(folderPath);
    const QStringList oldLogs = dir.entryList({ QStringLiteral("*.flex") }, QDir::Files);
    for (const QString &old : oldLogs)
        QFile::remove(dir.absoluteFilePath(old));
    for (int i = 0; i < copies.size(); ++i) {
        QFile::remove(targets.at(i));
        if (!QFile::rename(copies.at(i), targets.at(i)))
            ok = false;
    }
    refreshFolders();
    const QStringList logs = dir.entryList({ QStringLiteral("*.flex") }, QDir::Files, QDir::Name);
    if (!logs.isEmpty())
        m_fileService.setSelectedFlexFile(dir.absoluteFilePath(logs.constFirst()));
    if (!ok)
        report(ImportFailed, QStringLiteral("cannot file into %1").arg(folderPath));
    return ok;
}

bool ChronoViewController::deleteFile(const QString &absoluteFilePath)
{
    const QFileInfo info(absoluteFilePath);
    if (m_userName.isEmpty() || !info.exists())
        return false;
    // Only a stored chrono file, in a folder of the chrono root; never the
    // root, nothing beside it, nothing reached through a link.
    const QString root = QFileInfo(m_root.path()).canonicalFilePath();
    const QFileInfo folder(info.absolutePath());
    if (root.isEmpty() || info.isSymLink() || !info.isFile() || folder.isSymLink()
        || QFileInfo(folder.canonicalFilePath()).absolutePath() != root) {
        report(DeleteRefused, QStringLiteral("refused to delete %1").arg(absoluteFilePath));
        return false;
    }
    const bool removed = QFile::remove(info.absoluteFilePath());
    m_fileService.resetSelection();
    QDir dir(folder.absoluteFilePath());
    if (dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        m_root.rmdir(dir.dirName());
    refreshFolders();
    return removed;
}

QString ChronoViewController::compressDirectory(const QString &path, const QString &destinationPath)
{
    const QDir folder(path);
    if (path.isEmpty() || !folder.exists() || destinationPath.isEmpty() || !QDir(destinationPath).exists()) {
        report(ExportFailed, QStringLiteral("compressDirectory: no folder %1 or %2").arg(path, destinationPath));
        return QString();
    }
    const QFileInfoList entries = folder.entryInfoList(QDir::Files, QDir::Name);
    if (entries.isEmpty())
        return QString();
    QStringList files;
    for (const QFileInfo &entry : entries)
        files.append(entry.absoluteFilePath());
    const QString archive = QDir::toNativeSeparators(
        destinationPath + QLatin1Char('/') + folder.dirName() + QStringLiteral(" Chrono_Files_")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")) + QStringLiteral(".zip"));
    QString reason;
    if (!ChronoZip::compress(files, archive, &reason)) {
        report(ExportFailed, QStringLiteral("compressDirectory: ") + reason);
        return QString();
    }
    log(QStringLiteral("compressDirectory"), archive);
    return archive;
}
