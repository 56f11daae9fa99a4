#include "Manager.h"

#include "Logger.h"
#include "MainViewController.h"
#include "QmlRegistration.h"

#include <QtQml/QQmlContext>

Manager::Manager(QObject *parent)
    : QObject(parent)
    , m_rootContext(m_engine.rootContext())
    , m_mainViewController(new MainViewController(m_rootContext, this))
{
}

Manager::~Manager()
{
    // The scenes go first: their bindings must not see the services they
    // bind to disappear one by one.
    const QList<QObject *> roots = m_engine.rootObjects();
    for (QObject *root : roots)
        delete root;
}

void Manager::initialize()
{
    m_nativeFunctions.initializeStep1();
    m_nativeFunctions.initializeStep2();
    m_rootContext->setContextProperty(QStringLiteral("VersionInfo"), &m_versionInfo);
}

bool Manager::loadUi()
{
    QmlRegistration::registerTypes();
    m_engine.load(QUrl(QStringLiteral("qrc:/Gui/main.qml")));
    if (m_engine.rootObjects().isEmpty()) {
        Logger::error(QStringLiteral("Manager::loadUi: the root scene did not load"));
        return false;
    }
    return true;
}
