#pragma once

#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtQml/QQmlApplicationEngine>

#include <memory>

class ChronoViewController;
class CopyViewController;
class CommunicationController;
class FileSelectorService;
class HtmlService;
class LoggingService;
class NativeFunctionsWrapperWindows;
class ProgramViewController;
class UpdateHistoryViewController;
class UpdateViewController;
class ContactViewController;
class HtmlService;
class MailService;
class MenubarViewController;
class SynchronizeService;
class QQuickItem;
class QQuickWindow;
class SettingsService;
class TranslationService;
class UserSetStorage;
class VersionInfo;

/// The root scene on a QML engine with the real language, settings and page
/// services and stand-ins (tests/gui/standins) for the controllers that talk
/// to the peers. Every warning printed while it lives is recorded.
class GuiFixture
{
public:
    GuiFixture();
    ~GuiFixture();

    /// Loads "qrc:/Gui/main.qml"; false when it did not load.
    bool loadMainWindow();

    QQmlApplicationEngine &engine() { return *m_engine; }
    QQuickWindow *window() const;
    QObject *mainViewController() const { return m_mainViewController; }
    QObject *loginViewController() const { return m_loginViewController; }
    QObject *networkService() const { return m_networkService; }
    /// Stands in for the synchronisation; the menu bar's controller is real.
    QObject *synchronizeService() const { return m_synchronizeService; }
    TranslationService *translationService() const { return m_translation.get(); }
    SettingsService *settingsService() const { return m_settings.get(); }
    /// The real Chrono controller, on a connection that stays down.
    ChronoViewController *chronoViewController() const { return m_chrono.get(); }
    /// The real Contact controller; loadContactDemo() gives it the shipped directory.
    ContactViewController *contactViewController() const { return m_contact.get(); }
    void loadContactDemo();
    CopyViewController *copyViewController() const { return m_copy.get(); }
    UserSetStorage *userSetStorage() const { return m_userSets.get(); }
    /// The real program editor on the same store.
    ProgramViewController *programViewController() const { return m_program.get(); }
    /// The user whose data tree holds the demo sets.
    static QString demoUser() { return QStringLiteral("anna"); }
    /// What the file and folder dialogs answer from now on, without a window.
    void setFileDialogAnswer(const QString &path);

    /// The item below the window's content whose objectName is `name`.
    QQuickItem *findItem(const QString &name) const;
    /// Every item of the window's visual tree, the window's content first.
    QList<QQuickItem *> allItems() const;
    QObject *dialog() const;
    QObject *page() const;
    QString dialogName() const;

    void showDialog(const QString &name, const QVariant &parameters = QVariant());
    void setPage(int page);
    /// A real mouse click in the middle of the named item.
    bool click(const QString &name);
    bool click(QQuickItem *item);
    /// The Update module's real controllers on a user "tester" with the demo
    /// server's descriptions, one of them downloaded, and a short history.
    void fillUpdateDemo();
    UpdateViewController *updateViewController() const { return m_update.get(); }
    UpdateHistoryViewController *updateHistoryViewController() const { return m_updateHistory.get(); }

    /// Logs in through the stand-in controller as if the login page had done it.
    void logIn(const QStringList &modules = {QStringLiteral("Copy"), QStringLiteral("Update"),
                                              QStringLiteral("Contact"), QStringLiteral("Chrono")});

    /// Warnings printed since the fixture was made or since clearMessages().
    static QStringList warnings();
    /// Every line printed, whatever its level.
    static QStringList messages();
    static void clearMessages();
    static bool messagesContain(const QString &text);
    /// Records messages from now on; call once from initTestCase (after Qt Test
    /// has installed its own handler, to which everything is passed on).
    static void installMessageRecorder();

    /// What every page test does once: logger, settings, message recorder.
    static void prepareTestCase();
    /// A fresh fixture with no messages recorded yet.
    static std::unique_ptr<GuiFixture> start();
    /// Destroys the fixture and returns the warnings printed while it lived.
    static QStringList finish(std::unique_ptr<GuiFixture> &gui);

private:
    QObject *createStandIn(const QString &fileName);
    /// A fresh data tree for the demo user: the built-in templates, one of
    /// them as a generator download, and one server download and template.
    void loadDemoUserSets();

    std::unique_ptr<TranslationService> m_translation;
    std::unique_ptr<SettingsService> m_settings;
    std::unique_ptr<HtmlService> m_html;
    std::unique_ptr<MailService> m_mail;
    std::unique_ptr<ContactViewController> m_contact;
    std::unique_ptr<VersionInfo> m_versionInfo;
    std::unique_ptr<NativeFunctionsWrapperWindows> m_native;
    std::unique_ptr<CommunicationController> m_communication;
    std::unique_ptr<ChronoViewController> m_chrono;
    std::unique_ptr<FileSelectorService> m_fileSelector;
    std::unique_ptr<LoggingService> m_logging;
    std::unique_ptr<UserSetStorage> m_userSets;
    std::unique_ptr<CopyViewController> m_copy;
    std::unique_ptr<ProgramViewController> m_program;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<UpdateViewController> m_update;
    std::unique_ptr<UpdateHistoryViewController> m_updateHistory;
    QObject *m_mainViewController = nullptr;
    QObject *m_loginViewController = nullptr;
    QObject *m_networkService = nullptr;
    QObject *m_synchronizeService = nullptr;
    std::unique_ptr<SynchronizeService> m_idleSync;
    std::unique_ptr<MenubarViewController> m_menubar;
};
