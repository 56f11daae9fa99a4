#include "EncryptedSettingsFormat.h"
#include "KelvaraApplication.h"
#include "SingleInstance.h"

#include <QtCore/QCoreApplication>

#include <thread>

int main(int argc, char *argv[])
{
    SingleInstance guard;
    if (!guard.acquire())
        return 0;

    qputenv("QT_HASH_SEED", "0");
    // The four-part file version is what the application reports until the
    // object exists; splash text and log banner are made in that window.
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVARA_FILE_VERSION));
    // The help pages' web engine is loaded on demand through its QML import;
    // it needs shared GL contexts, which can only be asked for before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int exitCode = 0;
    {
        // OpenSSL sets its providers up on the side while the window system
        // and the splash come up; the settings are decrypted right after.
        std::thread cipherSetUp(EncryptedSettingsFormat::prepareCipher);
        KelvaraApplication app(argc, argv);
        cipherSetUp.join();
        QCoreApplication::setApplicationVersion(QStringLiteral(KELVARA_VERSION));
        guard.listen();
        QObject::connect(&guard, &SingleInstance::raiseRequested, &app, &KelvaraApplication::raiseMainWindow);
        if (!app.startUi())
            return 1;
        exitCode = app.exec();
    }
    return exitCode;
}
