#pragma once

#include "ChronoFileService.h"
#include "ChronoFolderModel.h"
#include "NativeFunctionsWrapperWindows.h"

#include <QtCore/QDir>
#include <QtCore/QObject>
#include <QtCore/QStringList>

class CommunicationController;
class FileTransfer;
class RoutingTable;

/// The Chrono page's controller: fetches the generator's chrono files, files
/// them one folder per device and day, unpacks zipped deliveries, deletes
/// files, exports folders as zip archives, and owns the parser of the
/// selected files.
class ChronoViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ChronoFolderModel *folderModel READ folderModel CONSTANT)
    Q_PROPERTY(ChronoFileService *fileService READ fileService CONSTANT)
    Q_PROPERTY(bool chronoFlexAwaited READ chronoFlexAwaited NOTIFY chronoFlexAwaitedChanged)
    Q_PROPERTY(bool chronoFixAwaited READ chronoFixAwaited NOTIFY chronoFixAwaitedChanged)
public:
    /// Folder of files whose name carries no usable device.
    static constexpr const char *kUndefinedFolder = "undefined";

    explicit ChronoViewController(CommunicationController *communication, QObject *parent = nullptr);
    ~ChronoViewController() override;

    /// The generator's chrono files: whole files of older generators and
    /// completed downloads of newer ones, while they are awaited.
    void registerRoutes(RoutingTable &generatorRoutes);

    ChronoFolderModel *folderModel() { return &m_folderModel; }
    ChronoFileService *fileService() { return &m_fileService; }
    bool chronoFlexAwaited() const { return m_chronoFlexAwaited; }
    bool chronoFixAwaited() const { return m_chronoFixAwaited; }
    QString chronoRoot() const { return m_root.path(); }
    QString scratchFolder() const;

    /// Files a ".fix", ".flex" or ".zip" file; false when nothing was filed.
    Q_INVOKABLE bool importChronoFile(const QString &pathname);
    /// Removes a stored chrono file, and its folder once empty; only files in
    /// a folder of the chrono root are accepted.
    Q_INVOKABLE bool deleteFile(const QString &absoluteFilePath);
    Q_INVOKABLE void getQelo3ChronoListOrFiles();
    Q_INVOKABLE void cancelDataRequest();
    /// Packs the files of `path` into "<folder> Chrono_Files_<date-time>.zip"
    /// in `destinationPath`; the archive's path, or empty when none was made.
    Q_INVOKABLE QString compressDirectory(const QString &path, const QString &destinationPath);

    /// Called at login with the user's directory name.
    void setDataRoot(const QString &userName);
    /// Called at logout: the next user sees nothing of this one's logs.
    void userHasLoggedOut();

signals:
    void chronoFlexAwaitedChanged(bool awaited);
    void chronoFixAwaitedChanged(bool awaited);
    /// A file could not be filed or an archive not be made; `reason` is for the log.
    void chronoError(int code, const QString &reason);

public:
    enum ErrorCode {
        ImportFailed = 1,
        ArchiveRefused = 2,
        ExportFailed = 3,
        DeleteRefused = 4,
        TransferFailed = 5,
    };
    Q_ENUM(ErrorCode)

private:
    bool takeWholeFile(const FileTransfer &file, bool awaited);
    bool takeDownload(const FileTransfer &file, bool awaited);
    void setChronoFlexAwaited(bool awaited);
    void setChronoFixAwaited(bool awaited);
    void stopWaiting();
    void refreshFolders();
    bool fileFixFile(const QString &path);
    bool fileFlexFiles(const QStringList &files);
    bool unpackZip(const QString &path);
    QString folderFor(const QString &baseName) const;
    void report(int code, const QString &reason);

    CommunicationController *m_communication;
    ChronoFolderModel m_folderModel;
    ChronoFileService m_fileService;
    QString m_userName;
    QDir m_root;
    NativeFunctionsWrapperWindows m_nativeFunctionsImpl;
    INativeFunctionsWrapper *m_nativeFunctions = &m_nativeFunctionsImpl;
    bool m_chronoFlexAwaited = false;
    bool m_chronoFixAwaited = false;
    bool m_preventingLock = false;
};
