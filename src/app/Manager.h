#pragma once

#include "LoggingService.h"
#include "NativeFunctionsWrapperWindows.h"
#include "VersionInfo.h"

#include <QtCore/QObject>
#include <QtQml/QQmlApplicationEngine>

class MainViewController;
class QQmlContext;

/// The composition root: owns the QML engine, every service and controller,
/// publishes them to the scenes and routes the peers' messages.
class Manager : public QObject
{
    Q_OBJECT
public:
    explicit Manager(QObject *parent = nullptr);
    ~Manager() override;

    void initialize();
    /// Registers the QML types and loads the root scene; false when it failed.
    bool loadUi();

    QQmlApplicationEngine &engine() { return m_engine; }
    MainViewController *mainViewController() const { return m_mainViewController; }
    LoggingService &loggingService() { return m_loggingService; }
    INativeFunctionsWrapper *nativeFunctions() { return &m_nativeFunctions; }

private:
    QQmlApplicationEngine m_engine;
    QQmlContext *m_rootContext;
    NativeFunctionsWrapperWindows m_nativeFunctions;
    VersionInfo m_versionInfo;
    QString m_userName;
    LoggingService m_loggingService;
    MainViewController *m_mainViewController;
};
