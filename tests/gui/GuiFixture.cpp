#include "GuiFixture.h"

#include <QtQuickTest/quicktest.h>

#include "ChronoViewController.h"
#include "CommunicationController.h"
#include "CopyViewController.h"
#include "DataPaths.h"
#include "FileSelectorService.h"
#include "HtmlService.h"
#include "InstrumentConfiguration.h"
#include "LoggingService.h"
#include "NativeFunctionsWrapperWindows.h"
#include "KelvaraTest.h"
#include "UpdateHistoryViewController.h"
#include "UpdateViewController.h"
#include "ContactViewController.h"
#include "MailService.h"
#include "MenubarViewController.h"
#include "Outbox.h"
#include "ProgramViewController.h"
#include "QmlRegistration.h"
#include "Settings.h"
#include "SettingsService.h"
#include "SynchronizeService.h"
#include "TranslationService.h"
#include "UserSetStorage.h"
#include "VersionInfo.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QMutex>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

namespace {

QMutex g_mutex;
QStringList g_warnings;
QStringList g_messages;
QtMessageHandler g_previous = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        QMutexLocker lock(&g_mutex);
        g_messages.append(message);
        if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
            g_warnings.append(message);
    }
    if (g_previous)
        g_previous(type, context, message);
}

// Every scene test sets its process up as the application does, so that the
// tests share the framework's test main: the help dialog's web engine needs
// shared contexts before the application object exists, and the scenes show
// the application's version.
struct ApplicationSetUp
{
    ApplicationSetUp() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }
} g_applicationSetUp;

void setApplicationVersion()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVARA_VERSION));
}

// Answers the file and folder dialogs as the test says, without a window.
class ScriptedFileSelector : public FileSelectorService
{
public:
    QString answer;

protected:
    QString runDialog(Dialog, const QString &, const QString &, const QString &) override { return answer; }
};

} // namespace

Q_COREAPP_STARTUP_FUNCTION(setApplicationVersion)

GuiFixture::GuiFixture()
    : m_translation(std::make_unique<TranslationService>())
    , m_settings(std::make_unique<SettingsService>(m_translation.get()))
    , m_html(std::make_unique<HtmlService>())
    , m_versionInfo(std::make_unique<VersionInfo>())
    , m_native(std::make_unique<NativeFunctionsWrapperWindows>())
    , m_communication(std::make_unique<CommunicationController>(m_native.get()))
    , m_chrono(std::make_unique<ChronoViewController>(m_communication.get()))
    , m_fileSelector(std::make_unique<ScriptedFileSelector>())
    , m_logging(std::make_unique<LoggingService>())
    , m_userSets(std::make_unique<UserSetStorage>())
    , m_copy(std::make_unique<CopyViewController>(m_userSets.get(), nullptr, m_logging.get()))
    , m_engine(std::make_unique<QQmlApplicationEngine>())
{
    QmlRegistration::registerTypes();
    m_translation->loadLanguage(QStringLiteral("de"));
    InstrumentConfiguration::instance()->setUserInterfaceLanguage(QStringLiteral("Deutsch"));
    QQmlContext *context = m_engine->rootContext();
    context->setContextProperty(QStringLiteral("TranslationService"), m_translation.get());
    context->setContextProperty(QStringLiteral("SettingsService"), m_settings.get());
    context->setContextProperty(QStringLiteral("HtmlService"), m_html.get());
    context->setContextProperty(QStringLiteral("VersionInfo"), m_versionInfo.get());
    context->setContextProperty(QStringLiteral("ChronoViewController"), m_chrono.get());
    context->setContextProperty(QStringLiteral("FileSelectorService"), m_fileSelector.get());
    // The login stand-in switches pages, so the page controller comes first.
    m_mainViewController = createStandIn(QStringLiteral("MainViewControllerStandIn.qml"));
    context->setContextProperty(QStringLiteral("MainViewController"), m_mainViewController);
    m_networkService = createStandIn(QStringLiteral("NetworkServiceStandIn.qml"));
    context->setContextProperty(QStringLiteral("NetworkService"), m_networkService);
    m_loginViewController = createStandIn(QStringLiteral("LoginViewControllerStandIn.qml"));
    context->setContextProperty(QStringLiteral("LoginViewController"), m_loginViewController);
    m_update = std::make_unique<UpdateViewController>(context, m_communication.get(), m_translation.get());
    m_updateHistory = std::make_unique<UpdateHistoryViewController>(context, m_communication.get(), m_translation.get());
    context->setContextProperty(QStringLiteral("UpdateViewController"), m_update.get());
    context->setContextProperty(QStringLiteral("UpdateHistoryViewController"), m_updateHistory.get());
    // Contact runs on its real controller; without a server link its mail service is unavailable.
    m_mail = std::make_unique<MailService>(nullptr);
    m_contact = std::make_unique<ContactViewController>(context, nullptr, m_mail.get(), m_settings.get(),
                                                        m_translation.get(), nullptr);
    context->setContextProperty(QStringLiteral("ContactViewController"), m_contact.get());
    context->setContextProperty(QStringLiteral("MailService"), m_mail.get());
    context->setContextProperty(QStringLiteral("Outbox"), Outbox::instance());
    context->setContextProperty(QStringLiteral("CopyViewController"), m_copy.get());
    m_copy->publish(context);
    m_synchronizeService = createStandIn(QStringLiteral("SynchronizeServiceStandIn.qml"));
    context->setContextProperty(QStringLiteral("SynchronizeService"), m_synchronizeService);
    m_idleSync = std::make_unique<SynchronizeService>(m_communication->halvoServer(), m_settings.get(), nullptr, nullptr);
    m_menubar = std::make_unique<MenubarViewController>(m_idleSync.get(), m_copy.get(), m_communication->qelo3Server());
    context->setContextProperty(QStringLiteral("MenubarViewController"), m_menubar.get());
    m_program = std::make_unique<ProgramViewController>(context, m_userSets.get(), m_translation.get());
    context->setContextProperty(QStringLiteral("ProgramViewController"), m_program.get());
    m_program->publish(context);
    // The list's selection mode is process-wide: a fixture starts without it.
    m_copy->activateMultiSelection(false);
    loadDemoUserSets();
}

void GuiFixture::fillUpdateDemo()
{
    const QString user = QStringLiteral("tester");
    DataPaths::createUserDirectories(user);
    m_update->onUserLoggedIn(user);
    const QDir demo(QStringLiteral(KELVARA_SOURCE_DIR "/tools/simulators/data/server/firmware"));
    const QStringList names = demo.entryList({QStringLiteral("*.esb")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile::copy(demo.filePath(name), m_update->serverFolder() + QLatin1Char('/') + name);
        if (name == names.first()) {
            QFile::copy(demo.filePath(name), m_update->localFolder() + QLatin1Char('/') + name);
            KelvaraTest::writeFile(m_update->localFolder() + QLatin1Char('/') + UpdateViewController::containerName(name),
                                   "container");
        }
    }
    m_update->reload();
    KelvaraTest::writeFile(DataPaths::updateLogPath(user),
        "<UpdateRequests Username=\"tester\">"
        "<Request Transferstatus=\"TRUE\" Datetime=\"2023.06.20 14:05\" AlteSwVersion=\"1.4.1\" NeueSwVersion=\"1.4.2\" "
        "Updatestatus=\"TRUE\" Seriennummer=\"23104711\" Typ=\"QELO 3\"/>"
        "<Request Transferstatus=\"FALSE\" Datetime=\"2023.10.24 09:30\" AlteSwVersion=\"1.4.2\" NeueSwVersion=\"1.5.0\" "
        "Updatestatus=\"FALSE\" Seriennummer=\"23100042\" Typ=\"QELO 3\"/>"
        "<Request Transferstatus=\"TRUE\" Datetime=\"2023.10.24 09:52\" AlteSwVersion=\"1.4.2\" NeueSwVersion=\"1.5.0\" "
        "Updatestatus=\"TRUE\" Seriennummer=\"23100042\" Typ=\"QELO 3\"/>"
        "</UpdateRequests>");
    m_updateHistory->loadUpdateHistory(user);
}

void GuiFixture::loadContactDemo()
{
    const QString user = QStringLiteral("guidemo");
    const QString folder = DataPaths::userPath(user, QStringLiteral("kelvara_configFiles/contact"));
    DataPaths::ensureDirectory(folder);
    const QString name = QStringLiteral("kelvara_contact_ServiceCenterList_210215_000000_V120.xml");
    QFile::remove(folder + QLatin1Char('/') + name);
    QFile::copy(QStringLiteral(KELVARA_SOURCE_DIR "/Resources/Config/") + name, folder + QLatin1Char('/') + name);
    m_settings->setUser(user);
    m_contact->loadServiceCenters(user, true);
}

void GuiFixture::setFileDialogAnswer(const QString &path)
{
    static_cast<ScriptedFileSelector *>(m_fileSelector.get())->answer = path;
}

void GuiFixture::loadDemoUserSets()
{
    QDir(DataPaths::userPath(demoUser(), QString())).removeRecursively();
    DataPaths::prepareUserTree(demoUser());
    m_userSets->setUserName(demoUser());
    m_userSets->installBuiltinTemplates();
    const QString general = DataPaths::userSetDirectory(demoUser(), 1);
    const QString downloads = DataPaths::userSetDirectory(demoUser(), 3);
    DataPaths::ensureDirectory(downloads);
    QFile::copy(general + QStringLiteral("/Q3_Urology_EN_230515_120000_V140.xml"),
                downloads + QStringLiteral("/Q3-000123_OP4_231115_083000_V140.xml"));
    m_copy->onSyncComplete(demoUser(), {QStringLiteral("Q3-000042_OP1_231020_141500_V139.xml")},
                           {QStringLiteral("Q3_Thoraxchirurgie_DE_230901_090000_V140.xml")});
}

GuiFixture::~GuiFixture()
{
    const QList<QObject *> roots = m_engine->rootObjects();
    for (QObject *root : roots)
        delete root;
    m_engine.reset();
    m_updateHistory.reset();
    m_update.reset();
}

QObject *GuiFixture::createStandIn(const QString &fileName)
{
    QQmlComponent component(m_engine.get(),
                            QUrl::fromLocalFile(QStringLiteral(KELVARA_SOURCE_DIR "/tests/gui/standins/") + fileName));
    QObject *object = component.create(m_engine->rootContext());
    if (!object) {
        qWarning("%s", qPrintable(component.errorString()));
        return nullptr;
    }
    object->setParent(m_engine.get());
    return object;
}

bool GuiFixture::loadMainWindow()
{
    m_engine->load(QUrl(QStringLiteral("qrc:/Gui/main.qml")));
    if (!window())
        return false;
    window()->show();
    window()->requestActivate();
    return QTest::qWaitForWindowActive(window());
}

QQuickWindow *GuiFixture::window() const
{
    const QList<QObject *> roots = m_engine->rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
}

namespace {

void collectItems(QQuickItem *item, QList<QQuickItem *> &items)
{
    items.append(item);
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children)
        collectItems(child, items);
}

} // namespace

QList<QQuickItem *> GuiFixture::allItems() const
{
    QList<QQuickItem *> items;
    if (window())
        collectItems(window()->contentItem(), items);
    return items;
}

QQuickItem *GuiFixture::findItem(const QString &name) const
{
    QQuickItem *hidden = nullptr;
    const QList<QQuickItem *> items = allItems();
    for (QQuickItem *item : items) {
        if (item->objectName() != name)
            continue;
        if (item->isVisible())
            return item;
        if (!hidden)
            hidden = item;
    }
    return hidden;
}

QObject *GuiFixture::dialog() const
{
    QObject *loader = window() ? window()->property("dialogLoader").value<QObject *>() : nullptr;
    return loader ? loader->property("item").value<QObject *>() : nullptr;
}

QObject *GuiFixture::page() const
{
    QObject *loader = window() ? window()->property("pageLoader").value<QObject *>() : nullptr;
    return loader ? loader->property("item").value<QObject *>() : nullptr;
}

QString GuiFixture::dialogName() const
{
    return window() ? window()->property("dialog").toString() : QString();
}

void GuiFixture::showDialog(const QString &name, const QVariant &parameters)
{
    QMetaObject::invokeMethod(window(), "showDialog", Q_ARG(QVariant, QVariant(name)), Q_ARG(QVariant, parameters));
}

void GuiFixture::setPage(int page)
{
    m_mainViewController->setProperty("currentPage", page);
}

bool GuiFixture::click(const QString &name)
{
    return click(findItem(name));
}

bool GuiFixture::click(QQuickItem *item)
{
    if (!item || !item->isVisible())
        return false;
    // Positioners lay out at polish time; under load a click could otherwise
    // land where the item was before the last change of texts.
    QQuickTest::qWaitForPolish(window());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    return true;
}

void GuiFixture::logIn(const QStringList &modules)
{
    m_loginViewController->setProperty("grantedModules", modules);
    m_loginViewController->setProperty("nextCause", 0);
    QMetaObject::invokeMethod(m_loginViewController, "loginUser", Q_ARG(QVariant, QStringLiteral("anna")),
                              Q_ARG(QVariant, QStringLiteral("secret")));
}

QStringList GuiFixture::warnings()
{
    QMutexLocker lock(&g_mutex);
    return g_warnings;
}

QStringList GuiFixture::messages()
{
    QMutexLocker lock(&g_mutex);
    return g_messages;
}

void GuiFixture::clearMessages()
{
    QMutexLocker lock(&g_mutex);
    g_warnings.clear();
    g_messages.clear();
}

bool GuiFixture::messagesContain(const QString &text)
{
    const QStringList lines = messages();
    for (const QString &line : lines) {
        if (line.contains(text))
            return true;
    }
    return false;
}

void GuiFixture::prepareTestCase()
{
    KelvaraTest::initializeLogger();
    Settings::create(DataPaths::kelvaraRoot());
    installMessageRecorder();
}

std::unique_ptr<GuiFixture> GuiFixture::start()
{
    auto gui = std::make_unique<GuiFixture>();
    clearMessages();
    return gui;
}

QStringList GuiFixture::finish(std::unique_ptr<GuiFixture> &gui)
{
    const QStringList recorded = warnings();
    gui.reset();
    return recorded;
}

void GuiFixture::installMessageRecorder()
{
    QtMessageHandler current = qInstallMessageHandler(recordMessage);
    if (current != recordMessage)
        g_previous = current;
}
