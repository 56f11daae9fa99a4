#pragma once

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

#include <functional>

class CommunicationController;
class FileTransfer;
class INativeFunctionsWrapper;
class MailService;
class QQmlContext;
class RoutingTable;
class SCTranslation;
class ServiceCenter;
class SettingsService;
class StringListModel;
class TranslationService;

/// The Contact module: the service-centre directory (filtered by the user's
/// rights, sorted, with a default centre), the collection of the generator's
/// user set and event logs, and the support message built from them.
class ContactViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString serviceCenterID READ serviceCenterID NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString countryTag READ countryTag NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString city READ city NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString organization READ organization NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString address1 READ address1 NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString address2 READ address2 NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString zip READ zip NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString phone READ phone NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString fax READ fax NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString web READ web NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString email READ email NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString country READ country NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString languages READ languages NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString reachability1Days READ reachability1Days NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString reachability1Hours READ reachability1Hours NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString reachability2Days READ reachability2Days NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(QString reachability2Hours READ reachability2Hours NOTIFY serviceCenterDataChanged)
    Q_PROPERTY(int selectedServiceCenterIndex READ selectedServiceCenterIndex WRITE setSelectedServiceCenterIndex NOTIFY
            selectedServiceCenterIndexChanged)
    Q_PROPERTY(bool isServiceCenterSelected READ isServiceCenterSelected NOTIFY selectedServiceCenterIndexChanged)
    Q_PROPERTY(QString sort READ sort NOTIFY selectedServiceCenterIndexChanged)
    Q_PROPERTY(bool userSetAwaited READ userSetAwaited NOTIFY userSetAwaitedChanged)
    Q_PROPERTY(bool chronoFlexAwaited READ chronoFlexAwaited NOTIFY chronoFlexAwaitedChanged)
    Q_PROPERTY(bool chronoFixAwaited READ chronoFixAwaited NOTIFY chronoFixAwaitedChanged)
    Q_PROPERTY(bool dataRequested READ dataRequested NOTIFY dataRequestedChanged)
    Q_PROPERTY(bool showMailPage READ showMailPage WRITE setShowMailPage NOTIFY showMailPageChanged)
public:
    static constexpr qint64 kMailSizeLimit = 20000000;

    ContactViewController(QQmlContext *rootContext, CommunicationController *communication, MailService *mail,
        SettingsService *settings, TranslationService *translation, INativeFunctionsWrapper *nativeFunctions,
        QObject *parent = nullptr);
    ~ContactViewController() override;

    /// Generator user sets and event logs while they are awaited; the server's
    /// service-centre lists (passed on to whoever else wants them).
    void registerRoutes(RoutingTable &generatorRoutes, RoutingTable &serverRoutes, std::function<QString()> userName,
        std::function<bool()> showAllServiceCenters);

    // Directory.
    void loadServiceCenters(const QString &userName, bool showAll);
    StringListModel *serviceCenterListModel() const { return m_model; }
    const QList<ServiceCenter *> &serviceCenters() const { return m_serviceCenters; }
    QString serviceCenterID() const;
    QString countryTag() const;
    QString city() const;
    QString organization() const;
    QString address1() const;
    QString address2() const;
    QString zip() const;
    QString phone() const;
    QString fax() const;
    QString web() const;
    QString email() const;
    QString country() const;
    QString languages() const;
    QString reachability1Days() const;
    QString reachability1Hours() const;
    QString reachability2Days() const;
    QString reachability2Hours() const;
    int selectedServiceCenterIndex() const;
    bool isServiceCenterSelected() const { return selectedServiceCenterIndex() != -1; }
    QString sort() const { return m_sortKey; }
    Q_INVOKABLE int getIndexForDefaultServiceCenter() const;
    Q_INVOKABLE void setDefaultServiceCenter(const QString &serviceCenterId);
    Q_INVOKABLE void setSort(const QString &sortBy);
    Q_INVOKABLE void openHtmlLink();
    Q_INVOKABLE void openMailAdress();

    // Generator data and the message.
    bool userSetAwaited() const { return m_userSetAwaited; }
    bool chronoFlexAwaited() const { return m_chronoFlexAwaited; }
    bool chronoFixAwaited() const { return m_chronoFixAwaited; }
    bool dataRequested() const { return m_dataRequested; }
    bool showMailPage() const { return m_showMailPage; }
    QString userSetPath() const { return m_userSetPath; }
    QString chronoFlexPath() const { return m_chronoFlexPath; }
    QString chronoFixPath() const { return m_chronoFixPath; }
    /// Where the collected files are kept: the user's contact scratch folder.
    static QString scratchFolder(const QString &userName);

    Q_INVOKABLE void getQelo3Data();
    Q_INVOKABLE void getQelo3UserSet();
    Q_INVOKABLE void getQelo3Chrono();
    Q_INVOKABLE void cancelDataRequest();
    Q_INVOKABLE bool sendSupportEmail(const QString &hospital, const QString &senderName, const QString &senderPhone,
        const QString &subject, const QString &problemDescription);
    Q_INVOKABLE bool writeToOutbox(const QString &hospital, const QString &senderName, const QString &senderPhone,
        const QString &subject, const QString &problemDescription);
    Q_INVOKABLE void exportData();
    Q_INVOKABLE bool isMailTooBig() const;
    /// Tests answer the export folder question without a dialog.
    void setFolderChooser(std::function<QString()> chooser) { m_folderChooser = std::move(chooser); }

    /// Receivers of the routing; true when the file was taken.
    bool onUserSetReceived(const FileTransfer &file, const QString &userName);
    bool onChronoFileReceived(const FileTransfer &file, const QString &userName);
    bool onServiceCenterListReceived(const FileTransfer &file, const QString &userName, bool showAll);
    /// Logout: nothing of the user stays.
    void resetUserState();

public slots:
    void setSelectedServiceCenterIndex(qint32 index);
    void setShowMailPage(bool show);
    void languageChanged();

signals:
    void serviceCenterDataChanged();
    void selectedServiceCenterIndexChanged();
    void userSetAwaitedChanged();
    void chronoFlexAwaitedChanged();
    void chronoFixAwaitedChanged();
    void dataRequestedChanged();
    void showMailPageChanged(bool showMailPage);
    /// The message was not written: 1 data or address missing, 2 too big, 3 refused by the mail service.
    void mailNotWritten(int cause);

private:
    const ServiceCenter *selected(bool last = false) const;
    const SCTranslation *selectedTranslation() const;
    QString displayLanguage() const;
    void rebuildModel(bool selectDefault);
    void sortServiceCenters();
    void clearServiceCenters();
    void emitDataFlags();
    void requestUserSet();
    void requestChrono();
    void markChronoMissing();
    void beginDataRequest();
    void finishIfComplete();
    QString storeAttachment(const FileTransfer &file, const QString &userName);
    bool writeToDestination(bool outboxOnly, const QString &hospital, const QString &senderName,
        const QString &senderPhone, const QString &subject, const QString &problemDescription);

    CommunicationController *m_communication;
    MailService *m_mail;
    SettingsService *m_settings;
    TranslationService *m_translation;
    INativeFunctionsWrapper *m_nativeFunctions;
    StringListModel *m_model;
    QList<ServiceCenter *> m_serviceCenters;
    QString m_sortKey;
    QString m_selectedId;
    QString m_userName;
    bool m_showAll = false;

    bool m_userSetAwaited = true;
    bool m_chronoFlexAwaited = true;
    bool m_chronoFixAwaited = true;
    bool m_dataRequested = false;
    bool m_showMailPage = false;
    QString m_userSetPath;
    QString m_chronoFlexPath;
    QString m_chronoFixPath;
    std::function<QString()> m_folderChooser;
};
