#include "KelvaraTest.h"

#include "DataPaths.h"
#include "EncryptedSettingsFormat.h"
#include "Logger.h"
#include "Settings.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

namespace KelvaraTest {

void prepareEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    qunsetenv("KELVARA_DOCUMENTS_DIR");
    EncryptedSettingsFormat::format();
}

int timeout(int milliseconds)
{
    const double scale = qEnvironmentVariableIsSet("KELVARA_TEST_TIMEOUT_SCALE")
                             ? qEnvironmentVariable("KELVARA_TEST_TIMEOUT_SCALE").toDouble()
                             : 1.0;
    return int(milliseconds * (scale > 0 ? scale : 1.0));
}

void initializeLogger()
{
    DataPaths::ensureDirectory(DataPaths::appDir());
    QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    Logger::initialize(QStringLiteral("test"));
    qInstallMessageHandler(testHandler);
}

QStringList logLines()
{
    QFile file(Logger::logFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool logContains(const QString &text)
{
    const QStringList lines = logLines();
    for (const QString &line : lines) {
        if (line.contains(text))
            return true;
    }
    return false;
}

namespace {

void removeEntries(const QString &directory, const QString &keep)
{
    const QFileInfoList entries =
        QDir(directory).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (entry.absoluteFilePath() == keep)
            continue;
        if (entry.isDir())
            QDir(entry.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

void resetDataTree()
{
    // The application log survives so that a test can still read its lines.
    const QString appDir = QFileInfo(DataPaths::appDir()).absoluteFilePath();
    removeEntries(DataPaths::kelvaraRoot(), appDir);
    removeEntries(appDir, QFileInfo(DataPaths::applicationLogPath()).absoluteFilePath());
}

void startSettings(bool emptyTree)
{
    Settings::destroy();
    if (emptyTree)
        resetDataTree();
    DataPaths::ensureDirectory(DataPaths::appDir());
    Settings::create(DataPaths::kelvaraRoot());
}

bool usersFolderIsEmpty()
{
    const QDir users(DataPaths::kelvaraRoot() + QStringLiteral("/users"));
    return !users.exists() || users.isEmpty();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace KelvaraTest
