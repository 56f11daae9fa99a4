#include "KelvaraApplication.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "Logger.h"
#include "Manager.h"
#include "ResourceHelper.h"
#include "Settings.h"
#include "VersionInfo.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QResource>
#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtCore/QtEndian>
#include <QtGui/QFontDatabase>
#include <QtGui/QWindow>
#include <QtQuick/QQuickWindow>
#include <QtWidgets/QSplashScreen>

#include <cstdio>
#include <memory>
#include <thread>

namespace {
const QString kConfigVersion = QStringLiteral("1.0.1");

// Start-up measurements (bench/bench_startup) need the moment the first frame
// of the window is on screen; the line is printed only when asked for.
void reportFirstFrame()
{
    if (!qEnvironmentVariableIsSet("KELVARA_REPORT_FIRST_FRAME"))
        return;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quickWindow = qobject_cast<QQuickWindow *>(window);
        if (!quickWindow)
            continue;
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(quickWindow, &QQuickWindow::frameSwapped, quickWindow, [connection] {
            QObject::disconnect(*connection);
            std::printf("KELVARA_FIRST_FRAME\n");
            std::fflush(stdout);
        });
        return;
    }
}
} // namespace

KelvaraApplication::KelvaraApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The font database (fontconfig on Linux) is the largest single cost of a
    // start; it is read on the side while the main thread shows the splash
    // picture and builds everything up to the Manager. The version text,
    // which needs the fonts, joins the picture after that.
    std::thread fonts([] { QFontDatabase::families(); });
    showSplashScreen();
    EncryptedSettingsFormat::format();
    DataPaths::ensureDirectory(DataPaths::appDir());
    Logger::initialize(QStringLiteral("%1, %2").arg(applicationVersion(), QStringLiteral(KELVARA_RELEASE_DATE)));
    prepareApplicationDirectory();
    Settings::create(DataPaths::kelvaraRoot());
    m_manager = std::make_unique<Manager>();
    m_manager->preloadUi();
    fonts.join();
    showSplashMessage();
}

KelvaraApplication::~KelvaraApplication()
{
    m_manager.reset();
    delete m_splash;
}

void KelvaraApplication::prepareApplicationDirectory()
{
    const QString appDir = DataPaths::appDir();
    const QString userConfig = appDir + QStringLiteral("/KelvaraConfig.ini");
    QString configVersion;
    {
        QSettings config(userConfig, EncryptedSettingsFormat::format());
        configVersion = config.value(QStringLiteral("Preferences/IniFromSwVersion")).toString();
    }
    if (configVersion != kConfigVersion)
        QFile::remove(userConfig);
    const QString stale = appDir + QStringLiteral("/V0.0.28.ini");
    if (QFileInfo(stale).isFile())
        QFile::remove(stale);

    const QString resources = ResourceHelper::getResourcePath(QStringLiteral("Resources/Config/"));
    for (const char *name : {"KelvaraConfig.ini", "Credentials.ini", "AuthorizationMatrix"}) {
        if (!QFileInfo::exists(appDir + QLatin1Char('/') + QLatin1String(name)))
            ResourceHelper::copyFile(resources, appDir, QLatin1String(name));
    }
}

// Raw premultiplied pixels behind a big-endian width and height: shown
// without a decoder, as the first thing the program draws.
QPixmap KelvaraApplication::splashImage()
{
    const QResource resource(QStringLiteral(":/Resources/Images/splashImageSmall.argb"));
    const QByteArray bytes = resource.uncompressedData();
    if (bytes.size() < 8)
        return QPixmap();
    const quint32 width = qFromBigEndian<quint32>(bytes.constData());
    const quint32 height = qFromBigEndian<quint32>(bytes.constData() + 4);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 || qsizetype(bytes.size()) != 8 + qsizetype(width) * height * 4)
        return QPixmap();
    const QImage image(reinterpret_cast<const uchar *>(bytes.constData() + 8), int(width), int(height),
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

void KelvaraApplication::showSplashScreen()
{
    const QPixmap image = splashImage();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(15);
    font.setPixelSize(15);
    if (m_splash) {
        m_splash->hide();
        delete m_splash;
        m_splash = nullptr;
        processEvents();
    }
    m_splash = new QSplashScreen(image);
    m_splash->setFont(font);
    m_splash->show();
    processEvents();
}

void KelvaraApplication::showSplashMessage()
{
    if (!m_splash)
        return;
    m_splash->showMessage(VersionInfo::splashText(applicationVersion(), QStringLiteral(KELVARA_RELEASE_DATE)),
                          Qt::AlignRight | Qt::AlignBottom, Qt::black);
    processEvents();
}

bool KelvaraApplication::startUi()
{
    m_manager->initialize();
    const bool loaded = m_manager->loadUi();
    // Before the first turn of the event loop, which may already draw.
    if (loaded)
        reportFirstFrame();
    if (m_splash) {
        m_splash->hide();
        delete m_splash;
        m_splash = nullptr;
    }
    processEvents();
    if (loaded)
        scheduleScreenshot();
    return loaded;
}

void KelvaraApplication::raiseMainWindow()
{
    Logger::info(QStringLiteral("KelvaraApplication::raiseMainWindow: another start asked for the window"));
    for (QWindow *window : topLevelWindows()) {
        if (window->title() != QLatin1String("Kelvara"))
            continue;
        if (window->windowState() == Qt::WindowMinimized)
            window->setWindowState(Qt::WindowNoState);
        window->show();
        window->raise();
        window->requestActivate();
    }
}

// Headless runs (no display) leave a picture of the window behind so that a
// person can see what the application showed.
void KelvaraApplication::scheduleScreenshot()
{
    const QString path = qEnvironmentVariable("KELVARA_SCREENSHOT");
    if (path.isEmpty())
        return;
    const int delayMs = qEnvironmentVariableIntValue("KELVARA_SCREENSHOT_DELAY_MS");
    QTimer::singleShot(delayMs > 0 ? delayMs : 1500, this, [path] {
        for (QWindow *window : topLevelWindows()) {
            auto *quickWindow = qobject_cast<QQuickWindow *>(window);
            if (!quickWindow || !quickWindow->isVisible())
                continue;
            const bool saved = quickWindow->grabWindow().save(path);
            Logger::info(QStringLiteral("KelvaraApplication::scheduleScreenshot: %1 %2")
                             .arg(saved ? QStringLiteral("saved") : QStringLiteral("could not save"), path));
            std::printf("Screenshot: %s\n", qPrintable(path));
            std::fflush(stdout);
            break;
        }
        if (qEnvironmentVariableIsSet("KELVARA_QUIT_AFTER_SCREENSHOT"))
            QCoreApplication::quit();
    });
}
