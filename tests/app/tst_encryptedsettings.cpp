#include "KelvaraTest.h"

#include "EncryptedSettingsFormat.h"

#include <QtCore/QBuffer>
#include <QtCore/QDataStream>
#include <QtCore/QRandomGenerator>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtCore/QtEndian>

using Map = QSettings::SettingsMap;

class tst_EncryptedSettings : public QObject
{
    Q_OBJECT

private:
    static Map sampleMap()
    {
        Map map;
        map.insert(QStringLiteral("Preferences/Language"), QStringLiteral("Deutsch"));
        map.insert(QStringLiteral("Preferences/Qelo3ServerPort"), QStringLiteral("8080"));
        map.insert(QStringLiteral("Credentials/jdoe"), QStringLiteral("jdoe|hash|ADMIN|J|Doe|ACME|2023-11-15 10:00:00"));
        return map;
    }

    // Rebuilds a file around an arbitrary plain-text payload, so that the
    // checks behind the cipher can be reached with chosen bytes.
    static QByteArray fileWithCipher(const QByteArray &cipher)
    {
        const QByteArray text = cipher.toBase64();
        QByteArray file(4, '\0');
        qToBigEndian<quint32>(quint32(text.size()), file.data());
        return file + text;
    }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }

    void roundTripIsRandomised()
    {
        const Map map = sampleMap();
        const QByteArray first = EncryptedSettingsFormat::encode(map);
        const QByteArray second = EncryptedSettingsFormat::encode(map);
        QVERIFY(first != second);
        Map readFirst, readSecond;
        QVERIFY(EncryptedSettingsFormat::decode(first, readFirst));
        QVERIFY(EncryptedSettingsFormat::decode(second, readSecond));
        QCOMPARE(readFirst, map);
        QCOMPARE(readSecond, map);
    }

    void layoutIsLengthPrefixedBase64()
    {
        const QByteArray file = EncryptedSettingsFormat::encode(sampleMap());
        const quint32 length = qFromBigEndian<quint32>(file.constData());
        QCOMPARE(qsizetype(length), file.size() - 4);
        const auto decoded = QByteArray::fromBase64Encoding(file.mid(4), QByteArray::AbortOnBase64DecodingErrors);
        QVERIFY(bool(decoded));
        QCOMPARE(decoded.decoded.size() % 16, 0);

        // Behind the filler: big-endian length and CRC-16 of the map's stream form.
        const QByteArray plain = EncryptedSettingsFormat::decryptPayload(decoded.decoded);
        QByteArray expected;
        {
            QDataStream stream(&expected, QIODevice::WriteOnly);
            stream << sampleMap();
        }
        QCOMPARE(plain, expected);
    }

    void emptyMapRoundTrips()
    {
        Map read;
        read.insert(QStringLiteral("stale"), 1);
        QVERIFY(EncryptedSettingsFormat::decode(EncryptedSettingsFormat::encode(Map()), read));
        QVERIFY(read.isEmpty());
    }

    void damagedFilesReadEmpty_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = EncryptedSettingsFormat::encode(sampleMap());

        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("three bytes") << QByteArray("\0\0\0", 3);
        QTest::newRow("length word only") << QByteArray("\0\0\0\0", 4);
        QTest::newRow("truncated text") << good.left(good.size() / 2);
        QTest::newRow("length word beyond the file") << (QByteArray("\x7f\xff\xff\xff", 4) + good.mid(4));
        QTest::newRow("length word 0xFFFFFFF0") << (QByteArray("\xff\xff\xff\xf0", 4) + good.mid(4));
        QTest::newRow("not base64") << (QByteArray("\0\0\0\x08", 4) + QByteArray("!!!!!!!!"));
        QTest::newRow("fewer than 16 cipher bytes") << fileWithCipher(QByteArray(10, 'x'));

        // Flip a bit deep inside the cipher text: the data block it lands in fails its checksum.
        const auto cipher = QByteArray::fromBase64Encoding(good.mid(4)).decoded;
        QByteArray tampered = cipher;
        tampered[tampered.size() - 20] = char(tampered.at(tampered.size() - 20) ^ 0x01);
        QTest::newRow("one flipped cipher bit") << fileWithCipher(tampered);

        // A plain text whose length field exceeds the data behind it.
        QByteArray plain(16, 'f');
        plain += QByteArray("\x01\x00\x00\x00", 4);
        plain += QByteArray(12, '\0');
        QTest::newRow("length field beyond the data") << fileWithCipher(plain);
    }

    void damagedFilesReadEmpty()
    {
        QFETCH(QByteArray, file);
        Map map;
        map.insert(QStringLiteral("stale"), 1);
        QVERIFY(!EncryptedSettingsFormat::decode(file, map));
        QVERIFY(map.isEmpty());
    }

    void dataLengthLimit_data()
    {
        QTest::addColumn<int>("dataSize");
        QTest::addColumn<bool>("written");
        QTest::newRow("exactly 65535 bytes are written") << 65535 << true;
        QTest::newRow("65536 bytes are refused") << 65536 << false;
        QTest::newRow("far beyond is refused") << 200000 << false;
    }

    void dataLengthLimit()
    {
        // Fault: data beyond the 16-bit length was written as an unreadable file while reporting success.
        QFETCH(int, dataSize);
        QFETCH(bool, written);
        const QString key = QStringLiteral("Credentials/big");
        Map probe;
        probe.insert(key, QByteArray());
        QByteArray serialised;
        {
            QDataStream stream(&serialised, QIODevice::WriteOnly);
            stream << probe;
        }
        const QByteArray value(dataSize - int(serialised.size()), 'x');

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Credentials.ini"));
        {
            QSettings settings(path, EncryptedSettingsFormat::format());
            settings.setValue(QStringLiteral("Credentials/small"), QStringLiteral("kept"));
        }
        const QByteArray previous = KelvaraTest::readFile(path);

        QSettings settings(path, EncryptedSettingsFormat::format());
        settings.remove(QStringLiteral("Credentials/small"));
        settings.setValue(key, value);
        settings.sync();
        QCOMPARE(settings.status() == QSettings::NoError, written);
        QCOMPARE(KelvaraTest::logContains(QStringLiteral("EncryptedSettingsFormat::encode: settings of %1 bytes").arg(dataSize)), !written);

        // Read the bytes on disk: a second settings object would share the first one's cache.
        Map stored;
        QVERIFY(EncryptedSettingsFormat::decode(KelvaraTest::readFile(path), stored));
        if (written) {
            QCOMPARE(stored.value(key).toByteArray(), value);
        } else {
            QCOMPARE(KelvaraTest::readFile(path), previous);
            QCOMPARE(stored.value(QStringLiteral("Credentials/small")).toString(), QStringLiteral("kept"));
        }
    }

    void randomBytesNeverCrash()
    {
        QRandomGenerator random(20231115);
        for (int i = 0; i < 2000; ++i) {
            QByteArray bytes(int(random.bounded(0, 300)), Qt::Uninitialized);
            for (char &b : bytes)
                b = char(random.bounded(256));
            if (i % 2 == 0 && bytes.size() >= 4) // a plausible length word in front
                qToBigEndian<quint32>(quint32(bytes.size() - 4), bytes.data());
            Map map;
            QVERIFY(!EncryptedSettingsFormat::decode(bytes, map));
        }
    }

    void registeredFormatReadsAndWritesFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.ini"));
        {
            QSettings settings(path, EncryptedSettingsFormat::format());
            settings.setValue(QStringLiteral("Preferences/Language"), QStringLiteral("Deutsch"));
        }
        QSettings settings(path, EncryptedSettingsFormat::format());
        QCOMPARE(settings.value(QStringLiteral("Preferences/Language")).toString(), QStringLiteral("Deutsch"));

        KelvaraTest::writeFile(path, "garbage that is no settings file");
        QSettings broken(path, EncryptedSettingsFormat::format());
        QVERIFY(broken.allKeys().isEmpty());
        QCOMPARE(broken.status(), QSettings::FormatError);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_EncryptedSettings)
#include "tst_encryptedsettings.moc"
