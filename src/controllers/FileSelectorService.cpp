#include "FileSelectorService.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtWidgets/QFileDialog>

namespace {

// The drive root where there is one, the home folder elsewhere.
QString initialFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QDir::homePath();
#endif
}

QString folderOf(const QString &file)
{
    return QFileInfo(file).absolutePath();
}

} // namespace

FileSelectorService::FileSelectorService(QObject *parent)
    : QObject(parent)
    , m_fileFolder(initialFolder())
    , m_updateFolder(initialFolder())
    , m_chronoFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
    , m_exportFolder(initialFolder())
{
}

QString FileSelectorService::getExistingDirectory(const QString &caption)
{
    const QString folder = runDialog(Dialog::Folder, caption, m_fileFolder, QString());
    if (!folder.isEmpty())
        m_fileFolder = folder;
    return folder;
}

QString FileSelectorService::getExistingFile(const QString &caption)
{
    const QString file = runDialog(Dialog::File, caption, m_fileFolder, QString());
    if (!file.isEmpty())
        m_fileFolder = folderOf(file);
    return file;
}

QString FileSelectorService::getEsbFile(const QString &caption)
{
    const QString file = runDialog(Dialog::File, caption, m_updateFolder, QStringLiteral("Update Files (*.esb)"));
    if (!file.isEmpty())
        m_updateFolder = folderOf(file);
    return file;
}

QString FileSelectorService::getChronoFiles(const QString &caption)
{
    const QString file =
        runDialog(Dialog::File, caption, m_chronoFolder, QStringLiteral("Chrono Files (*.fix *.flex *.zip)"));
    if (!file.isEmpty())
        m_chronoFolder = folderOf(file);
    return file;
}

QString FileSelectorService::getDirectory(const QString &caption)
{
    const QString folder = runDialog(Dialog::Folder, caption, m_exportFolder, QString());
    // The export dialog reopens beside the folder just used, so that a
    // sibling is one click away.
    if (!folder.isEmpty())
        m_exportFolder = folderOf(QDir::cleanPath(folder));
    return folder;
}

QString FileSelectorService::runDialog(Dialog kind, const QString &caption, const QString &startFolder,
                                       const QString &filter)
{
    if (kind == Dialog::Folder)
        return QFileDialog::getExistingDirectory(nullptr, caption, startFolder, QFileDialog::ShowDirsOnly);
    return QFileDialog::getOpenFileName(nullptr, caption, startFolder, filter);
}
