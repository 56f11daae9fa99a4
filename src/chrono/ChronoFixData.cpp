#include "ChronoFixData.h"

#include <QtCore/QFile>
#include <QtCore/QTextStream>

ChronoFixData::ChronoFixData(QObject *parent)
    : QObject(parent)
{
}

ChronoFixData::ModeTotals ChronoFixData::modeTotal(const QString &modeName, const QString &count, const QString &key)
{
    // The device writes the mode names with blanks where the keys have "_".
    QString name = modeName;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    m_lines.append(key + QStringLiteral(": ") + name + QStringLiteral("   ") + count);
    ModeTotals totals;
    totals.insert(QeloModes::QeloMode(ChronoEnums::keyValue<QeloModes::QeloMode>(name.toUtf8())), count.toInt());
    return totals;
}

void ChronoFixData::readLine(const QString &line)
{
    const QStringList parts = line.split(QLatin1Char(';'));
    const QString key = parts.value(0);
    const QString f1 = parts.value(1);
    const QString f2 = parts.value(2);
    const QString f3 = parts.value(3);
    switch (ChronoEnums::keyValue<ChronoFixTypes::ChronoFixType>(key.toUtf8())) {
    case ChronoFixTypes::SPI:
        // The device writes a two-digit year.
        m_devTime = QDateTime::fromString(QStringLiteral("20") + f1.left(13), QStringLiteral("yyyyMMdd_HHmmss"));
        m_serialNumber = f2.toInt();
        m_devType = f3;
        m_lines.append(QStringLiteral("Datum: ") + m_devTime.toString(QStringLiteral("yyyy.MM.dd  HH:mm:ss")));
        m_lines.append(QStringLiteral("System-Typ: ") + m_devType);
        m_lines.append(QStringLiteral("S/N: ") + QString::number(m_serialNumber));
        break;
    case ChronoFixTypes::SYS_VER:
        m_sysVersion = f1;
        m_lines.append(QStringLiteral("Software-Version: ") + m_sysVersion);
        m_lines.append(QString());
        break;
    case ChronoFixTypes::HFMC_TOT:
        m_hfmcTot = modeTotal(f1, f2, key);
        break;
    case ChronoFixTypes::HFMT_TOT:
        m_hfmtTot = modeTotal(f1, f2, key);
        break;
    case ChronoFixTypes::HFME_TOT:
        m_hfmeTot = modeTotal(f1, f2, key);
        break;
    case ChronoFixTypes::SON_TOT:
        m_sonTot = f1.toInt();
        m_lines.append(QString());
        m_lines.append(QStringLiteral("SON_TOT: ") + QString::number(m_sonTot));
        break;
    case ChronoFixTypes::HFT_TOT:
        m_hftTot = f1.toInt();
        m_lines.append(QStringLiteral("HFT_TOT: ") + QString::number(m_hftTot));
        break;
    case ChronoFixTypes::HFE_TOT:
        m_hfeTot = f1.toInt();
        m_lines.append(QStringLiteral("HFE_TOT: ") + QString::number(m_hfeTot));
        break;
    case ChronoFixTypes::APCT_TOT:
        m_apctTot = f1.toInt();
        m_lines.append(QStringLiteral("APCT_TOT: ") + QString::number(m_apctTot));
        break;
    case ChronoFixTypes::EVXT_TOT:
        m_evxtTot = f1.toInt();
        m_lines.append(QStringLiteral("EVXT_TOT: ") + QString::number(m_evxtTot));
        m_lines.append(QString());
        break;
    case ChronoFixTypes::SOC_CNT:
        m_socCnt = QMultiMap<int, int>();
        m_socCnt.insert(f1.toInt(), f2.toInt());
        m_socCnt.insert(f1.toInt(), f3.toInt());
        m_lines.append(QStringLiteral("SOC_CNT:  Buchse: ") + f1 + QStringLiteral("   Monopolar: ") + f2
                       + QStringLiteral("   Bipolar: ") + f3);
        break;
    default:
        break;
    }
}

bool ChronoFixData::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    QString line;
    while (stream.readLineInto(&line))
        readLine(line);
    return true;
}
