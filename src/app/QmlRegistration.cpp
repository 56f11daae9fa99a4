#include "QmlRegistration.h"

#include "AllUserSetsFilterModel.h"
#include "AllUserSetsListModel.h"
#include "ChronoEventListModel.h"
#include "ChronoFileService.h"
#include "ChronoFixData.h"
#include "ChronoFolderEntry.h"
#include "ChronoFolderModel.h"
#include "CommunicationMetaTypes.h"
#include "InstrumentListModel.h"
#include "MainViewController.h"
#include "ModeListModel.h"
#include "StringListElement.h"
#include "StringListModel.h"

#include <QtCore/QUrl>
#include <QtQml/QQmlEngine>

namespace {

void registerSingleton(const char *uri, const char *name, const QString &url)
{
    const QUrl location(url);
    if (location.isRelative()) {
        qWarning("qmlRegisterSingletonType requires absolute URLs.");
        return;
    }
    qmlRegisterSingletonType(location, uri, 1, 0, name);
}

} // namespace

namespace QmlRegistration {

void registerTypes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    registerCommunicationMetaTypes();
    registerSingleton("NativeObjects", "NativeObjects", QStringLiteral("qrc:/Gui/Shared/winObjects.qml"));
    registerSingleton("Style", "Style", QStringLiteral("qrc:/Gui/Style/WindowsStyle.qml"));
    registerSingleton("FontStyle", "FontStyle", QStringLiteral("qrc:/Gui/Style/FontStyle.qml"));
    registerSingleton("SharedObjects", "SharedObjects", QStringLiteral("qrc:/Gui/Shared/SharedObjects.qml"));
    qRegisterMetaType<StringListElement *>("StringListElement*");
    qRegisterMetaType<ChronoFolderEntry *>("ChronoFolderEntry*");
    qmlRegisterUncreatableType<ChronoFolderEntry>("com.halvo.kelvara.chrono", 1, 0, "ChronoFolderEntry",
                                                  QStringLiteral("Made by ChronoFolderModel"));
    qmlRegisterUncreatableType<ChronoFolderModel>("com.halvo.kelvara.chrono", 1, 0, "ChronoFolderModel",
                                                  QStringLiteral("Owned by ChronoViewController"));
    qmlRegisterUncreatableType<ChronoFileService>("com.halvo.kelvara.chrono", 1, 0, "ChronoFileService",
                                                  QStringLiteral("Owned by ChronoViewController"));
    qmlRegisterUncreatableType<ChronoEventListModel>("com.halvo.kelvara.chrono", 1, 0, "ChronoEventListModel",
                                                     QStringLiteral("Owned by ChronoFileService"));
    qmlRegisterUncreatableType<ChronoFixData>("com.halvo.kelvara.chrono", 1, 0, "ChronoFixData",
                                              QStringLiteral("Owned by ChronoFileService"));
    qmlRegisterType<StringListModel>("com.halvo.kelvara.listmodel", 1, 0, "StringListModel");
    qmlRegisterType<ModeListModel>("com.halvo.kelvara.listmodel", 1, 0, "ModeListModel");
    qmlRegisterType<InstrumentListModel>("com.halvo.kelvara.listmodel", 1, 0, "InstrumentListModel");
    qmlRegisterType<AllUserSetsListModel>("com.halvo.kelvara.listmodel", 1, 0, "AllUserSetsListModel");
    qmlRegisterType<AllUserSetsFilterModel>("com.halvo.kelvara.listmodel", 1, 0, "AllUserSetsFilterModel");
    qmlRegisterUncreatableType<MainViewController>("MainViewControllerEnums", 1, 0, "MainViewControllerEnums",
                                                   QStringLiteral("You can't create an instance of MainViewController in QML"));
}

} // namespace QmlRegistration
