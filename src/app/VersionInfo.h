#pragma once

#include <QtCore/QObject>

/// Version strings for the user interface; every read is computed afresh.
class VersionInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString fileVersion READ fileVersion CONSTANT)
    Q_PROPERTY(QString productVersion READ productVersion CONSTANT)
    Q_PROPERTY(QString releaseDate READ releaseDate CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString minQELO3Version READ minQELO3Version CONSTANT)
public:
    explicit VersionInfo(QObject *parent = nullptr);

    QString fileVersion() const;
    QString productVersion() const;
    QString releaseDate() const;
    QString name() const;
    QString minQELO3Version() const;

    /// "Version 1.4.1 (20231115)" for "1.4.1.0": everything before the last ".".
    static QString splashText(const QString &applicationVersion, const QString &releaseDate);
};
