#include "DemoDataTest.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

#include <zip.h>

// The chrono files of the simulated generator and their generator.

using namespace DemoDataTest;

namespace {

const QMap<QByteArray, QList<int>> &recordCatalogue()
{
    static const QMap<QByteArray, QList<int>> catalogue = {
        { "UNDEFINED", {} },
        { "NOTE_MSG", { 7 } },
        { "HF_STA", { 9, 10, 11 } },
        { "APC_STA", { 3 } },
        { "EVX_STA", { 3 } },
        { "HF_STO", { 11 } },
        { "ERR_MSG", { 4, 7 } },
        { "NEW_SOC", { 4 } },
        { "UI_WLAN", { 4 } },
        { "UI_APCFLOW", { 6 } },
        { "UI_EVXFLOW", { 4 } },
        { "P_ON", { 2 } },
        { "P_OFF", { 2 } },
        { "L_RESET", { 2 } },
        { "UI_CUTMODE", { 5 } },
        { "UI_CUTEFFEKT", { 5 } },
        { "UI_COAGMODE", { 5 } },
        { "UI_COAGEFFEKT", { 5 } },
        { "UI_AKTI", { 5 } },
        { "UI_INFO", { 5 } },
        { "UI_EXCEPTION", { 4 } },
        { "UI_PEDAL", { 4 } },
        { "UI_NOTE", {} },
        { "UI_CUTM4DAUER", { 5 } },
        { "UI_CUTM4INTERVAL", { 5 } },
        { "NM_TELE1", { 6 } },
        { "NM_TELE2", { 6 } },
        { "PODED", {} },
    };
    return catalogue;
}

struct FlexSummary
{
    QByteArray header;
    int records = 0;
    int malformed = 0;
    QSet<QByteArray> kinds; // "KEYWORD/fields", or "KEYWORD/any" for free-length kinds
    QStringList problems;
};

FlexSummary summarise(const QByteArray &text)
{
    FlexSummary summary;
    QList<QByteArray> lines = text.split('\n');
    if (!text.endsWith('\n'))
        summary.problems << QStringLiteral("the file does not end with a line feed");
    lines.removeLast();
    if (lines.isEmpty())
        return summary;
    summary.header = lines.takeFirst();
    QDateTime previous;
    for (int i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).split(';');
        const QString where = QStringLiteral("record %1").arg(i + 1);
        ++summary.records;
        if (fields.size() < 2) {
            summary.problems << where + QStringLiteral(": fewer than two fields");
            continue;
        }
        // The generator reads typed keywords in any case; universal ones are taken as written.
        const bool universal = fields.at(1).size() > 10 && fields.at(1).at(10) == 'T';
        const QByteArray keyword = universal ? fields.at(0) : fields.at(0).toUpper();
        if (!recordCatalogue().contains(keyword)) {
            summary.problems << where + QStringLiteral(": unknown keyword ") + QString::fromLatin1(keyword);
            continue;
        }
        const QList<int> counts = recordCatalogue().value(keyword);
        if (counts.isEmpty())
            summary.kinds.insert(keyword + "/any");
        else if (counts.contains(int(fields.size())))
            summary.kinds.insert(keyword + '/' + QByteArray::number(fields.size()));
        else
            ++summary.malformed;

        const QString stamp = QString::fromLatin1(fields.at(1));
        QDateTime time;
        if (stamp.size() > 10 && stamp.at(10) == QLatin1Char('T'))
            time = QDateTime(QDate::fromString(stamp.left(10), Qt::ISODate),
                QTime::fromString(stamp.mid(11), Qt::ISODateWithMs), Qt::UTC);
        else if (stamp.size() == 16)
            time = utcStamp(stamp.left(6), stamp.mid(7), QStringLiteral("HHmmsszzz"));
        if (!time.isValid()) {
            summary.problems << where + QStringLiteral(": unreadable time stamp ") + stamp;
            continue;
        }
        if (previous.isValid() && time < previous)
            summary.problems << where + QStringLiteral(": time runs backwards");
        previous = time;
    }
    return summary;
}

void addKindRows()
{
    QTest::addColumn<QByteArray>("kind");
    for (auto it = recordCatalogue().begin(); it != recordCatalogue().end(); ++it) {
        if (it.value().isEmpty()) {
            QTest::newRow(qPrintable(QString::fromLatin1(it.key()) + QStringLiteral(" of any length")))
                << QByteArray(it.key() + "/any");
        }
        for (int count : it.value()) {
            QTest::newRow(qPrintable(QStringLiteral("%1 with %2 fields").arg(QString::fromLatin1(it.key())).arg(count)))
                << QByteArray(it.key() + '/' + QByteArray::number(count));
        }
    }
}

// --- user sets --------------------------------------------------------------

} // namespace

class tst_DemoChrono : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile flex(builtData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".flex")));
        QVERIFY2(flex.open(QIODevice::ReadOnly), "the generated event log is missing; build kelvara_demodata");
        m_flex = flex.readAll();
        m_summary = summarise(m_flex);
    }

    void flexIsLargeAndWellFormed()
    {
        QVERIFY2(m_summary.problems.isEmpty(), qPrintable(m_summary.problems.mid(0, 20).join(QLatin1Char('\n'))));
        QVERIFY(m_summary.header.startsWith("#CHRONO_FLEX;"));
        QVERIFY(m_summary.records >= 10000);
        QVERIFY(m_summary.header.contains(";RECORDS=" + QByteArray::number(m_summary.records) + ';'));
        // Damaged records exist, but as rare exceptions.
        QVERIFY(m_summary.malformed > 0);
        QVERIFY(m_summary.malformed * 1000 < m_summary.records);
    }

    void flexCoversEveryRecordKind_data() { addKindRows(); }
    void flexCoversEveryRecordKind()
    {
        QFETCH(QByteArray, kind);
        QVERIFY(m_summary.kinds.contains(kind));
    }

    void flexGenerator_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("allKinds");
        const int kinds = int(recordCatalogue().size()) + 3; // HF_STA has three lengths, ERR_MSG two
        QTest::newRow("one record") << 1 << false;
        QTest::newRow("one below every kind") << kinds - 1 << false;
        QTest::newRow("exactly every kind") << kinds << true;
        QTest::newRow("one above every kind") << kinds + 1 << true;
        QTest::newRow("a working day") << 800 << true;
    }
    void flexGenerator()
    {
        QFETCH(int, records);
        QFETCH(bool, allKinds);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("a.flex"));
        const QString second = dir.filePath(QStringLiteral("b.flex"));
        const QString count = QString::number(records);
        QCOMPARE(
            runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), first, count, QStringLiteral("99") }), 0);
        QCOMPARE(
            runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), second, count, QStringLiteral("99") }), 0);
        const QByteArray text = KelvaraTest::readFile(first);
        QCOMPARE(KelvaraTest::readFile(second), text);
        const FlexSummary summary = summarise(text);
        QVERIFY2(summary.problems.isEmpty(), qPrintable(summary.problems.join(QLatin1Char('\n'))));
        QCOMPARE(summary.records, records);
        int expectedKinds = 0;
        for (const QList<int> &counts : recordCatalogue())
            expectedKinds += qMax(1, int(counts.size()));
        QCOMPARE(summary.kinds.size() == expectedKinds, allKinds);
    }

    void flexSampleMatchesGenerator()
    {
        const QStringList samples = filesIn(sourceData(QStringLiteral("samples")), QStringLiteral("*.flex"));
        QCOMPARE(samples.size(), 1);
        const QByteArray sample = KelvaraTest::readFile(sourceData(QStringLiteral("samples/") + samples.first()));
        const QRegularExpression arguments(QStringLiteral(";RECORDS=(\\d+);SEED=(\\d+)\n"));
        const QRegularExpressionMatch match
            = arguments.match(QString::fromLatin1(sample.left(sample.indexOf('\n') + 1)));
        QVERIFY(match.hasMatch());
        QTemporaryDir dir;
        const QString regenerated = dir.filePath(QStringLiteral("sample.flex"));
        QCOMPARE(runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), regenerated, match.captured(1),
                     match.captured(2) }),
            0);
        QCOMPARE(KelvaraTest::readFile(regenerated), sample);
    }

    void flexZipHoldsTheLog()
    {
        const QString path = builtData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".flex.zip"));
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
        QVERIFY2(archive, qPrintable(path));
        const zip_int64_t entries = zip_get_num_entries(archive, 0);
        zip_stat_t stat;
        zip_stat_init(&stat);
        const bool statted = entries == 1 && zip_stat_index(archive, 0, 0, &stat) == 0;
        QByteArray content(statted ? qsizetype(stat.size) : 0, '\0');
        zip_file_t *file = statted ? zip_fopen_index(archive, 0, 0) : nullptr;
        const zip_int64_t read = file ? zip_fread(file, content.data(), zip_uint64_t(content.size())) : -1;
        if (file)
            zip_fclose(file);
        // The entry name belongs to the archive.
        const QString name = statted ? QString::fromUtf8(stat.name) : QString();
        zip_close(archive);
        QCOMPARE(entries, zip_int64_t(1));
        QVERIFY(statted);
        QCOMPARE(name, kFlexStem + QStringLiteral(".flex"));
        QCOMPARE(stat.comp_method, zip_uint16_t(ZIP_CM_DEFLATE));
        QVERIFY(stat.comp_size < stat.size / 2);
        QCOMPARE(read, zip_int64_t(content.size()));
        QCOMPARE(content, m_flex);
    }

    void fixFile_data()
    {
        QTest::addColumn<QString>("line");
        const QByteArray text = KelvaraTest::readFile(
            sourceData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".fix")));
        QVERIFY(!text.isEmpty());
        int number = 0;
        for (const QByteArray &line : text.split('\n')) {
            ++number;
            if (!line.isEmpty())
                QTest::newRow(qPrintable(
                    QStringLiteral("line %1 %2").arg(number).arg(QString::fromLatin1(line.left(line.indexOf(';'))))))
                    << QString::fromUtf8(line);
        }
    }
    void fixFile()
    {
        QFETCH(QString, line);
        static const QSet<QString> modeKeys = { QStringLiteral("QELOMODE_CUT_AUS"), QStringLiteral("QELOMODE_COAG_AUS"),
            QStringLiteral("QELOMODE_CUT_M1"), QStringLiteral("QELOMODE_CUT_M2"), QStringLiteral("QELOMODE_CUT_M3"),
            QStringLiteral("QELOMODE_CUT_M6"), QStringLiteral("cutM3_bipolar"), QStringLiteral("cutM4_I"),
            QStringLiteral("cutM4_Q"), QStringLiteral("coagM5"), QStringLiteral("coagM1"), QStringLiteral("coagM2"),
            QStringLiteral("coagM3"), QStringLiteral("coagM4"), QStringLiteral("coagM2_bipolar"),
            QStringLiteral("coagM3_bipolar"), QStringLiteral("coagM7"), QStringLiteral("coagM6"),
            QStringLiteral("coagM9"), QStringLiteral("coagM10"), QStringLiteral("coagM11") };
        const QStringList fields = line.split(QLatin1Char(';'));
        const QString key = fields.first();
        auto isCount = [](const QString &text) { return isWholeNumber(text, 0, 100000000); };
        if (key == QLatin1String("SPI")) {
            QCOMPARE(fields.size(), 4);
            QVERIFY(utcStamp(fields.at(1).left(6), fields.at(1).mid(7, 6)).isValid());
            QCOMPARE(fields.at(1), kFlexStem.mid(kFlexStem.indexOf(QLatin1Char('_')) + 1));
            QCOMPARE(fields.at(2), identityValue(QStringLiteral("SerialNumber")));
            QCOMPARE(fields.at(3), identityValue(QStringLiteral("Type")));
        } else if (key == QLatin1String("SYS_VER")) {
            QCOMPARE(fields.size(), 2);
            QCOMPARE(fields.at(1), identityValue(QStringLiteral("SoftwareVersion")));
        } else if (key == QLatin1String("HFMC_TOT") || key == QLatin1String("HFMT_TOT")
            || key == QLatin1String("HFME_TOT")) {
            QCOMPARE(fields.size(), 3);
            // The device writes blanks where the mode key has underscores.
            QVERIFY2(modeKeys.contains(QString(fields.at(1)).replace(QLatin1Char(' '), QLatin1Char('_'))),
                qPrintable(fields.at(1)));
            QVERIFY(isCount(fields.at(2)));
        } else if (key == QLatin1String("SOC_CNT")) {
            QCOMPARE(fields.size(), 4);
            QVERIFY(isWholeNumber(fields.at(1), 1, 6));
            QVERIFY(isCount(fields.at(2)) && isCount(fields.at(3)));
        } else {
            static const QSet<QString> totals = { QStringLiteral("SON_TOT"), QStringLiteral("HFT_TOT"),
                QStringLiteral("HFE_TOT"), QStringLiteral("APCT_TOT"), QStringLiteral("EVXT_TOT") };
            QVERIFY2(totals.contains(key), qPrintable(key));
            QCOMPARE(fields.size(), 2);
            QVERIFY(isCount(fields.at(1)));
        }
    }

private:
    QByteArray m_flex;
    FlexSummary m_summary;
};

KELVARA_TEST_GUILESS_MAIN(tst_DemoChrono)

#include "tst_demochrono.moc"
