#pragma once

#include "FileTransfer.h"

#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QTime>

#include <memory>

class CommunicationController;
class QQmlContext;
class RoutingTable;
class StringListModel;
class TranslationService;
class UpdateInfo;

/// The Update module: firmware descriptions from the server and on disk,
/// the download of an update from the server, its import from a folder, its
/// upload to the generator, and the two overview lists of the page.
class UpdateViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool fileUploadIsActive READ fileUploadIsActive NOTIFY fileUploadIsActiveChanged)
    Q_PROPERTY(double fileUploadProgress READ fileUploadProgress NOTIFY fileUploadProgressChanged)
    Q_PROPERTY(int fileUploadType READ fileUploadType NOTIFY fileUploadTypeChanged)
    Q_PROPERTY(QTime fileUploadEstimatedTime READ fileUploadEstimatedTime NOTIFY fileUploadEstimatedTimeChanged)
    Q_PROPERTY(int fileDownloadType READ fileDownloadType NOTIFY fileDownloadTypeChanged)
    Q_PROPERTY(bool fileDownloadIsActive READ fileDownloadIsActive NOTIFY fileDownloadIsActiveChanged)
    Q_PROPERTY(double fileDownloadProgress READ fileDownloadProgress NOTIFY fileDownloadProgressChanged)
    Q_PROPERTY(int lastRefusal READ lastRefusal NOTIFY transferRefused)
public:
    /// Why a transfer did not start; the page names it to the user.
    enum Refusal {
        NoRefusal = 0,
        NotFound = 1,
        NoConnection = 2,
        TransferRunning = 3,
    };
    Q_ENUM(Refusal)

    UpdateViewController(QQmlContext *rootContext, CommunicationController *communication,
                         TranslationService *translation, QObject *parent = nullptr);
    ~UpdateViewController() override;

    /// Descriptions from the server (single files) and firmware containers
    /// (downloads) of the server's table.
    void registerRoutes(RoutingTable &serverRoutes);

    bool fileUploadIsActive() const;
    double fileUploadProgress() const;
    int fileUploadType() const;
    QTime fileUploadEstimatedTime() const;
    int fileDownloadType() const;
    bool fileDownloadIsActive() const;
    double fileDownloadProgress() const;
    int lastRefusal() const { return m_lastRefusal; }

    QString localFolder() const;
    QString serverFolder() const;
    StringListModel *localOverview() const { return m_localOverview.get(); }
    StringListModel *serverOverview() const { return m_serverOverview.get(); }

    /// Writes a description from the server into the server folder; false,
    /// with a warning, for a name that is not a plain ".esb" file name.
    bool storeServerDescription(const FileTransfer &message);

    Q_INVOKABLE bool uploadToQelo3(const QString &updateFileId);
    Q_INVOKABLE void setSelected(const QString &updateFileId, const QString &isSelected);
    Q_INVOKABLE void deleteSelectedUpdates();
    Q_INVOKABLE bool downloadFromServer(const QString &updateFileId);
    Q_INVOKABLE bool importQelo3FirmwareUpdate(const QString &fullPathname);
    Q_INVOKABLE QString getDetailVersion(const QString &updateFileId, bool isServerView) const;
    Q_INVOKABLE QString getDetailHint(const QString &updateFileId, bool isServerView) const;
    Q_INVOKABLE QString getDetailChange1(const QString &updateFileId, bool isServerView) const;
    Q_INVOKABLE QString getDetailChange2(const QString &updateFileId, bool isServerView) const;
    Q_INVOKABLE QString getDetailChange3(const QString &updateFileId, bool isServerView) const;
    Q_INVOKABLE QString getDisplayText(const QString &updateFileId) const;
    Q_INVOKABLE bool isDownloaded(const QString &updateFileId) const;

    /// The ".esc" of an ".esb" name: the ending alone changes.
    static QString containerName(const QString &descriptionName);
    /// A plain file name ending in ".esb".
    static bool isDescriptionName(const QString &name);

signals:
    void fileUploadIsActiveChanged(int type);
    void fileUploadProgressChanged();
    void fileUploadTypeChanged(int type);
    void fileUploadEstimatedTimeChanged(QTime time);
    void fileDownloadIsActiveChanged(int type);
    void fileDownloadProgressChanged(int type);
    void fileDownloadTypeChanged(int type);
    void fileUploadCanceled(int type);
    void fileUploadErrorOccured(int type);
    void fileUploadSuccessfullyFinished(int type);
    void fileDownloadCanceled(int type);
    void fileDownloadErrorOccured(int type);
    void fileDownloadSuccessfullyFinished(int type);
    /// A transfer asked for did not start.
    void transferRefused(int refusal);
    /// The end of a firmware download: the update is listed locally only when `stored`.
    void firmwareDownloadFinished(const QString &updateFileId, bool stored);
    void overviewsChanged();

public slots:
    void fileUploadDoCancel();
    void fileDownloadDoCancel();
    void onFileReceived(FileTransfer msg);
    void onUserLoggedIn(const QString &userName);
    /// Reads both folders again; the synchronisation calls it when it is done.
    void reload();
    /// Forgets the user and empties both views.
    void reset();

private:
    void clearInfos();
    void rebuildOverviews();
    void refuse(Refusal refusal);
    bool storeDownloadedContainer(const FileTransfer &msg);
    void endDownload(bool stored);
    const UpdateInfo *infoOf(const QString &updateFileId, bool isServerView) const;

    CommunicationController *m_communication;
    TranslationService *m_translation;
    QString m_userName;
    QMap<QString, bool> m_selection;
    QStringList m_serverNames;
    std::unique_ptr<StringListModel> m_localOverview;
    std::unique_ptr<StringListModel> m_serverOverview;
    QMap<QString, UpdateInfo *> m_localInfos;
    QMap<QString, UpdateInfo *> m_serverInfos;
    /// The description asked for by the running download.
    QString m_pendingDownload;
    int m_lastRefusal = NoRefusal;
};
