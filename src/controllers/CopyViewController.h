#pragma once

#include "Processing.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <QtCore/QTimer>

class AllUserSetsFilterModel;
class AllUserSetsListModel;
class CommunicationController;
class FileTransfer;
class LoggingService;
class ProgramGroup;
class QQmlContext;
class RoutingTable;
class StringListModel;
class UserProgram;
class UserSet;
class UserSetStorage;

/// The Copy module: the list of the user's sets (local and server views), the
/// overview and group editing of one set, and the exchange of sets with the
/// generator, the server and the file system.
class CopyViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isAddProgramGroupEnabled READ isAddProgramGroupEnabled NOTIFY isAddProgramGroupEnabledChanged)
    Q_PROPERTY(bool isAddUserProgramEnabled READ isAddUserProgramEnabled NOTIFY isAddUserProgramEnabledChanged)
    Q_PROPERTY(QString selectedUserSetBaseName READ selectedUserSetBaseName WRITE setSelectedUserSetBaseName NOTIFY
                   selectedUserSetBaseNameChanged)
    Q_PROPERTY(bool serverViewSelected READ serverViewSelected WRITE setServerViewSelected NOTIFY selectedViewChanged)
    Q_PROPERTY(bool userSetSelected READ userSetSelected NOTIFY selectionChanged)
    Q_PROPERTY(bool serverUserSetSelected READ serverUserSetSelected NOTIFY selectionChanged)
    Q_PROPERTY(bool localUserSetSelected READ localUserSetSelected NOTIFY selectionChanged)
    Q_PROPERTY(QString LAST_ELEMENT READ lastElement CONSTANT)
    Q_PROPERTY(QString selectedUserSetId READ selectedUserSetId NOTIFY selectionChanged)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)

public:
    static constexpr int kMaxProgramGroups = 20;
    static constexpr int kMaxProgramsPerGroup = 15;
    /// How long a server set may take to arrive before the request is given up.
    static constexpr int kServerAnswerTimeoutMs = 10000;

    /// The module's stacked pages.
    enum Page { PAGE_LIST = 0, PAGE_OVERVIEW = 1, PAGE_EDIT = 2 };
    Q_ENUM(Page)

    CopyViewController(UserSetStorage *storage, CommunicationController *communication, LoggingService *loggingService,
                       QObject *parent = nullptr);
    ~CopyViewController() override;

    /// Publishes the models under their context names.
    void publish(QQmlContext *context);
    void registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes);

    AllUserSetsListModel *allUserSets() const { return m_allUserSets; }
    StringListModel *programPackagesModel() const { return m_programPackages; }

    bool isAddProgramGroupEnabled() const;
    bool isAddUserProgramEnabled() const;
    QString selectedUserSetBaseName() const { return m_selectedUserSetBaseName; }
    bool serverViewSelected() const { return m_serverViewSelected; }
    bool userSetSelected() const;
    bool serverUserSetSelected() const;
    bool localUserSetSelected() const;
    QString lastElement() const { return QStringLiteral("LAST_ELEMENT"); }
    QString selectedUserSetId() const { return m_selectedUserSetId; }
    int currentPage() const { return m_pageStack.isEmpty() ? int(PAGE_LIST) : m_pageStack.last(); }
    /// The set whose file is being fetched from the server, by base name; empty when none.
    QString pendingRequest() const { return m_pending.baseName; }
    /// Tests shorten the wait for a server set.
    void setServerAnswerTimeout(int milliseconds) { m_pendingTimer.setInterval(milliseconds); }

    // Selection and queries
    Q_INVOKABLE void resetLocalIndex();
    Q_INVOKABLE void resetServerIndex();
    Q_INVOKABLE int getElementCount() const;
    Q_INVOKABLE bool selectUserSetById(const QString &userSetId);
    Q_INVOKABLE bool selectUserSetByName(const QString &name, int view);
    Q_INVOKABLE bool selectUserSetByName(const QString &name);
    Q_INVOKABLE bool hasValidSerialNumber(const QString &userSetId) const;
    Q_INVOKABLE QString getSerialNumberById(const QString &userSetId) const;
    Q_INVOKABLE QString getSoftwareRevById(const QString &userSetId) const;
    Q_INVOKABLE QString getUserSetBasename(const QString &userSetId) const;
    Q_INVOKABLE QString getUserSetDisplayName(const QString &userSetId) const;
    Q_INVOKABLE QString getUserSetQelo3SN(const QString &userSetId) const;
    Q_INVOKABLE bool isUserSetModified(const QString &userSetId) const;
    Q_INVOKABLE void openSelectedUserSet();
    Q_INVOKABLE StringListModel *getEquipment() const { return m_hardware; }
    Q_INVOKABLE StringListModel *getSetup() const { return m_setup; }
    Q_INVOKABLE StringListModel *getInstruments() const { return m_instruments; }
    Q_INVOKABLE StringListModel *getProgramPackages() const { return m_programPackages; }
    Q_INVOKABLE StringListModel *getProgramsForPackage(const QString &userSetId, const QString &packageId);
    Q_INVOKABLE StringListModel *getProgramGroupCatalogCatalog();
    Q_INVOKABLE StringListModel *getPiktograms();
    Q_INVOKABLE QString getTextOfProgramGroupCatalogId(const QString &id) const;
    Q_INVOKABLE QStringList getSelectedUserSetsFilename() const;
    /// The generator's software version as it reports it, for the version check before an upload.
    Q_INVOKABLE QString getQelo3SoftwareVersion() const;

    Q_INVOKABLE void processUserSetSelection(const QString &userSetId);
    Q_INVOKABLE bool processUserSetSelectionEditPage(const QString &userSetId);

    // Editing groups and programs
    Q_INVOKABLE void createNewProgramGroup(const QString &userSetId, const QString &programGroupName,
                                           const QString &piktogrammidentifier);
    Q_INVOKABLE void createNewProgram(const QString &userSetId, const QString &programGroupId,
                                      const QString &programName, int index);
    Q_INVOKABLE void addProgramGroupCopy(const QString &userSetId, const QString &programGroupId,
                                         const QString &selfProgramGroupId);
    Q_INVOKABLE void addProgramCopy(const QString &userSetId, const QString &programGroupId,
                                    const QString &programId, const QString &selfProgramId);
    Q_INVOKABLE void renameProgramGroup(const QString &userSetId, const QString &programGroupId,
                                        const QString &programGroupName);
    Q_INVOKABLE void setProgramGroupIcon(const QString &userSetId, const QString &programGroupId,
                                         const QString &piktogrammidentifier, int index);
    Q_INVOKABLE void moveProgramGroup(const QString &userSetId, const QString &groupIdMove,
                                      const QString &groupIdBefore);
    Q_INVOKABLE void swapPrograms(const QString &userSetId, const QString &programGroupId, const QString &programId1,
                                  const QString &programId2, int groupIndex);
    Q_INVOKABLE void deleteProgramGroup(const QString &userSetId, const QString &programGroupId);
    Q_INVOKABLE void markForDeleteProgramGroup(const QString &userSetId, const QString &programGroupId,
                                               bool isMarkedForDelete, int row);
    Q_INVOKABLE void markForDeleteProgram(const QString &userSetId, const QString &programId, bool isMarkedForDelete,
                                          int groupIndex, int elementIndex);
    Q_INVOKABLE void setSetupParameter(const QString &userSetId, const QString &parameterId, bool enabled);

    // Edit mode and saving
    Q_INVOKABLE void editStart();
    Q_INVOKABLE void exitEditMode(bool restore);
    Q_INVOKABLE bool restoreUserSet(const QString &userSetId);
    Q_INVOKABLE bool saveUserSet(const QString &userSetId, const QString &filenameNoExt);
    Q_INVOKABLE void exitCopyModule();

    // Transfers
    Q_INVOKABLE bool qelo3UploadUserSet(const QString &userSetId);
    Q_INVOKABLE void qelo3DownloadUserSet();
    Q_INVOKABLE bool halvoServerUploadUserSet(const QString &userSetId);
    Q_INVOKABLE void halvoServerDownloadUserSet(const QString &userSetId);

    // Multiple selection, import, export, delete
    Q_INVOKABLE void activateMultiSelection(bool isActive);
    Q_INVOKABLE void toggleUserSetMarked(const QString &userSetId);
    Q_INVOKABLE void deleteSelectedUserSets();
    Q_INVOKABLE bool exportSelectedUserSets(const QString &targetDirectory);
    Q_INVOKABLE bool importUserSet(const QString &pathname);

    // Entry points of the routing and the Manager
    void qelo3UserSetReceived(const FileTransfer &file);
    void halvoServerUserSetReceived(const FileTransfer &file);
    bool instrumentCatalogReceived(const FileTransfer &file, const QString &userName);
    void importMailAttachment(const QString &path);
    void onSyncComplete(const QString &userName, const QStringList &serverDownloads,
                        const QStringList &serverTemplates);
    void onLanguageChanged();
    /// The user sets from the generator that the server does not hold yet.
    int pendingServerUploadCount() const;

public slots:
    void setSelectedUserSetBaseName(const QString &selectedUserSetBaseName);
    void setServerViewSelected(bool serverViewSelected);
    void onHalvoServerDisconnected();
    void onProcessFinished(Processing::EProcessType procType);
    void onDeviceBusyChanged(bool isBusy);
    void resetStackView();
    void addEditViewToStackView();
    void userHasLoggedOut();

signals:
    void isAddProgramGroupEnabledChanged();
    void isAddUserProgramEnabledChanged();
    void selectionChanged();
    void deviceBusyChanged(bool isBusy);
    void downloadTimedOut();
    void selectedUserSetBaseNameChanged(QString selectedUserSetBaseName);
    void selectedViewChanged();
    void languageChanged();
    void currentPageChanged();
    /// A transfer of a set to or from a peer failed; the page shows its error.
    void transferFailed();
    /// Saving a set failed; nothing was lost, the set stays open and edited.
    void saveFailed();

private:
    struct PendingRequest
    {
        QString baseName;
        int type = 0;
        int retries = 0;
        bool copyToLocal = false;
        bool isEmpty() const { return baseName.isEmpty(); }
    };

    UserSet *userSet(const QString &userSetId) const;
    UserSet *selectedUserSet() const;
    ProgramGroup *programGroup(UserSet *set, const QString &programGroupId) const;
    ProgramGroup *selectedProgramGroup() const;
    bool loadForDisplay(UserSet *set);
    void requestFromServer(UserSet *set, bool copyToLocal);
    void finishPendingRequest();
    void onPendingTimeout();
    void rebuildModels(UserSet *set);
    void rebuildProgramPackages(UserSet *set);
    void rebuildSetup(UserSet *set);
    void rebuildInstruments(UserSet *set);
    void rebuildProgramsOf(UserSet *set, int groupIndex);
    void clearModels();
    void updateAddEnabled();
    void setSelected(const QString &userSetId);
    void copyServerSetToLocal(UserSet *serverSet);
    void onQelo3UploadFinished(int type);
    void onQelo3UploadFailed(int type);
    StringListModel *newListModel(QList<StringListModel *> &pool);

    UserSetStorage *m_storage;
    CommunicationController *m_communication;
    LoggingService *m_loggingService;
    AllUserSetsListModel *m_allUserSets;
    AllUserSetsFilterModel *m_allUserSetsFilter;
    StringListModel *m_hardware;
    StringListModel *m_setup;
    StringListModel *m_instruments;
    StringListModel *m_programPackages;
    StringListModel *m_programPackagesEditPage;
    // One programs list per group row of the overview; rebuilt with the
    // groups and handed to QML as application-owned objects.
    QList<StringListModel *> m_programsModels;
    // Menus asked for again and again reuse their model.
    StringListModel *m_programGroupCatalogue = nullptr;
    StringListModel *m_pictograms = nullptr;

    QString m_selectedUserSetId;
    QString m_selectedProgramGroupId;
    QString m_selectedUserSetBaseName;
    QString m_lastServerUserSetName;
    bool m_serverViewSelected = false;
    bool m_addProgramGroupEnabled = true;
    bool m_addUserProgramEnabled = true;
    PendingRequest m_pending;
    QTimer m_pendingTimer;
    QList<int> m_pageStack;
    QString m_uploadingFileName;
    QString m_serverUploadFileName;
    QStringList m_serverDownloads;
};
