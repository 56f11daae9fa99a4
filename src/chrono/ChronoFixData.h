#pragma once

#include "ChronoEnums.h"

#include <QtCore/QDateTime>
#include <QtCore/QMap>
#include <QtCore/QMultiMap>
#include <QtCore/QObject>
#include <QtCore/QStringList>

/// The generator's fixed data (".fix"): identity, software version and
/// activation totals, and the lines the Chrono page shows for them.
class ChronoFixData : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QDateTime devTime READ devTime WRITE setDevTime)
    Q_PROPERTY(int serialNumber READ serialNumber WRITE setSerialNumber)
    Q_PROPERTY(QString devType READ devType WRITE setDevType)
    Q_PROPERTY(QString sysVersion READ sysVersion WRITE setSysVersion)
    Q_PROPERTY(int sonTot READ sonTot WRITE setSonTot)
    Q_PROPERTY(int hftTot READ hftTot WRITE setHftTot)
    Q_PROPERTY(int hfeTot READ hfeTot WRITE setHfeTot)
    Q_PROPERTY(int apctTot READ apctTot WRITE setApctTot)
    Q_PROPERTY(int evxtTot READ evxtTot WRITE setEvxtTot)
    Q_PROPERTY(QStringList fixDataStringList READ fixDataStringList CONSTANT)
public:
    using ModeTotals = QMap<QeloModes::QeloMode, int>;

    explicit ChronoFixData(QObject *parent = nullptr);

    QDateTime devTime() const { return m_devTime; }
    void setDevTime(const QDateTime &value) { m_devTime = value; }
    int serialNumber() const { return m_serialNumber; }
    void setSerialNumber(int value) { m_serialNumber = value; }
    QString devType() const { return m_devType; }
    void setDevType(const QString &value) { m_devType = value; }
    QString sysVersion() const { return m_sysVersion; }
    void setSysVersion(const QString &value) { m_sysVersion = value; }
    ModeTotals hfmcTot() const { return m_hfmcTot; }
    ModeTotals hfmtTot() const { return m_hfmtTot; }
    ModeTotals hfmeTot() const { return m_hfmeTot; }
    int sonTot() const { return m_sonTot; }
    void setSonTot(int value) { m_sonTot = value; }
    int hftTot() const { return m_hftTot; }
    void setHftTot(int value) { m_hftTot = value; }
    int hfeTot() const { return m_hfeTot; }
    void setHfeTot(int value) { m_hfeTot = value; }
    int apctTot() const { return m_apctTot; }
    void setApctTot(int value) { m_apctTot = value; }
    int evxtTot() const { return m_evxtTot; }
    void setEvxtTot(int value) { m_evxtTot = value; }
    QMultiMap<int, int> socCnt() const { return m_socCnt; }
    QStringList fixDataStringList() const { return m_lines; }

    /// Empties the display lines; the values stay as the last file set them.
    void clearLines() { m_lines.clear(); }
    /// Takes one line of a ".fix" file; lines of an unknown key are skipped.
    void readLine(const QString &line);
    /// Reads a whole file; false when it cannot be opened.
    bool readFile(const QString &path);

private:
    ModeTotals modeTotal(const QString &modeName, const QString &count, const QString &key);

    QDateTime m_devTime;
    int m_serialNumber = 0;
    QString m_devType;
    QString m_sysVersion;
    ModeTotals m_hfmcTot;
    ModeTotals m_hfmtTot;
    ModeTotals m_hfmeTot;
    int m_sonTot = 0;
    int m_hftTot = 0;
    int m_hfeTot = 0;
    int m_apctTot = 0;
    int m_evxtTot = 0;
    QMultiMap<int, int> m_socCnt;
    QStringList m_lines;
};
