#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

/// One stored chrono file, as the Chrono page's folder list shows it.
class ChronoFolderEntry : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString fileName READ fileName CONSTANT)
    Q_PROPERTY(QString fileSuffix READ fileSuffix CONSTANT)
    Q_PROPERTY(QString parentFolderName READ parentFolderName CONSTANT)
    Q_PROPERTY(QString absoluteFilePath READ absoluteFilePath CONSTANT)
public:
    explicit ChronoFolderEntry(const QString &absoluteFilePath, QObject *parent = nullptr);

    /// The base name, up to the first ".".
    QString fileName() const { return m_fileName; }
    /// Everything after the first ".", so "flex.zip" is possible.
    QString fileSuffix() const { return m_fileSuffix; }
    QString parentFolderName() const { return m_parentFolderName; }
    QString absoluteFilePath() const { return m_absoluteFilePath; }

private:
    QString m_fileName;
    QString m_fileSuffix;
    QString m_parentFolderName;
    QString m_absoluteFilePath;
};
