#pragma once

#include <QtCore/QDateTime>
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QStringList>

/// The parts of a user-set file name: six parts joined by "_" plus ".xml",
/// the fourth and fifth being the UTC date "yyMMdd" and time "hhmmss".
class UserSetName : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPartCount = 6;
    static constexpr int kDatePart = 3;
    static constexpr int kTimePart = 4;

    explicit UserSetName(QObject *parent = nullptr);

    /// With `renew` the date and time become the current UTC ones and the
    /// name is rebuilt from the parts.
    void setFileName(const QString &fileName, bool renew = false);
    QString fileName() const { return m_fileName; }

    QString getBaseName() const;
    /// Part 2, the date and the time, joined by "_".
    QString getDisplayName() const;
    QDateTime getDateTime() const;
    /// Part `index`, counted from 0; empty when the name has fewer parts.
    QString getPart(int index) const;
    /// The name without date and time: what two versions of one set share.
    QString getStem() const;

private:
    QString m_fileName;
    QStringList m_parts;
};
