#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

/// The file and folder dialogs of the pages. Each call is modal, returns the
/// chosen path (empty when cancelled) and remembers where the user went, so
/// the next dialog of the same kind opens there again.
class FileSelectorService : public QObject
{
    Q_OBJECT
public:
    enum class Dialog { Folder, File };
    Q_ENUM(Dialog)

    explicit FileSelectorService(QObject *parent = nullptr);

    Q_INVOKABLE QString getExistingDirectory(const QString &caption);
    Q_INVOKABLE QString getExistingFile(const QString &caption);
    Q_INVOKABLE QString getEsbFile(const QString &caption);
    Q_INVOKABLE QString getChronoFiles(const QString &caption);
    Q_INVOKABLE QString getDirectory(const QString &caption);

protected:
    /// Shows the dialog; tests replace it to answer without a window.
    virtual QString runDialog(Dialog kind, const QString &caption, const QString &startFolder,
                              const QString &filter);

private:
    QString m_fileFolder;
    QString m_updateFolder;
    QString m_chronoFolder;
    QString m_exportFolder;
};
