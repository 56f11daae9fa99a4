#pragma once

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

#include <memory>

class CommunicationController;
class QQmlContext;
class TranslationService;
class UpdateHistoryListModel;
class UpdateRequest;

/// The update history of the logged-in user: every firmware upload with
/// its generator, versions and outcome, kept in "UpdateLog.xml" (at most the
/// newest kMaxEntries) and shown sorted four ways.
class UpdateHistoryViewController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 100;

    UpdateHistoryViewController(QQmlContext *rootContext, CommunicationController *communication,
                                TranslationService *translation, QObject *parent = nullptr);
    ~UpdateHistoryViewController() override;

    Q_INVOKABLE void setUpdateStatusRole(const QString &updateRequestId, bool updateStatus);
    /// Records an upload of `esbFile`; returns the new entry's id.
    Q_INVOKABLE QString createUpdateLogEntry(const QString &esbFile, bool updateStatus, bool transferstatus);
    Q_INVOKABLE void sortByDatum();
    Q_INVOKABLE void sortByDevice();
    Q_INVOKABLE void sortByVersion();
    Q_INVOKABLE void sortByTransfer();

    void loadUpdateHistory(const QString &userName);
    /// Forgets the user and empties the list.
    void reset();

    const QList<UpdateRequest *> &entries() const { return m_entries; }
    UpdateHistoryListModel *model() const { return m_model.get(); }
    QString userName() const { return m_userName; }

private:
    /// The generator's version, type and serial number when the upload started:
    /// a generator that installs the update reports its new version at once.
    void rememberIdentity(int type);
    void dropOldestBeyond(int count);
    void saveUpdateHistory();
    void refreshModel();
    void destroyEntries();

    CommunicationController *m_communication;
    QString m_userName;
    QList<UpdateRequest *> m_entries;
    std::unique_ptr<UpdateHistoryListModel> m_model;
    /// The file on disk did not parse: it is kept aside before the next save.
    bool m_unreadableFile = false;
    bool m_haveIdentity = false;
    QString m_identityVersion;
    QString m_identityType;
    QString m_identitySerialNumber;
};
