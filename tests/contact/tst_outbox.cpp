#include "KelvaraTest.h"

#include "DataPaths.h"
#include "Outbox.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QSignalSpy>

// The outbox: record format, digest check, order, and its one-job-at-a-time rule.
class tst_Outbox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Outbox> m_outbox;

    QByteArray store(const QString &name, const QByteArray &mime)
    {
        QSignalSpy done(m_outbox.get(), &Outbox::encryptionDone);
        if (!m_outbox->add(name, mime))
            return QByteArray();
        if (!done.wait(KelvaraTest::timeout(5000)) || !done.first().at(0).toBool())
            return QByteArray();
        return done.first().at(1).toByteArray();
    }

    // success, name, bytes of one read job
    QVariantList read(const QByteArray &id)
    {
        QSignalSpy done(m_outbox.get(), &Outbox::decryptionDone);
        if (!m_outbox->decrypt(id) || !done.wait(KelvaraTest::timeout(5000)))
            return {};
        return done.first();
    }

    static void setModified(const QString &path, const QDateTime &time)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    }

    QString pathOf(const QByteArray &id) const { return m_outbox->folder() + QLatin1Char('/') + Outbox::fileName(id); }

private slots:
    void init()
    {
        KelvaraTest::resetDataTree();
        m_outbox = std::make_unique<Outbox>();
        m_outbox->setUserName(QStringLiteral("mailer"));
    }

    void sha256KnownVector()
    {
        QCOMPARE(Outbox::sha256("abc").toHex(),
                 QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
        QCOMPARE(Outbox::sha256(QByteArray()).toHex().left(16), QByteArray("e3b0c44298fc1c14"));
    }

    void storeAndReadBack_data()
    {
        QTest::addColumn<QByteArray>("mime");
        QTest::newRow("plain") << QByteArray("MIME-Version: 1.0\r\n\r\nbody");
        QTest::newRow("semicolons inside") << QByteArray("Content-Type: a; b;;\r\n;");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("every byte value") << [] {
            QByteArray all;
            for (int i = 0; i < 256; ++i)
                all.append(char(i));
            return all;
        }();
    }

    void storeAndReadBack()
    {
        QFETCH(QByteArray, mime);
        const QString name = QStringLiteral("QELO3_4711_20261206_150405.eml");
        const QByteArray id = store(name, mime);
        QCOMPARE(id, Outbox::sha256(Outbox::record(name, mime)));
        QCOMPARE(QFileInfo(pathOf(id)).size(), qint64(name.size() + 1 + mime.size()));
        // The same message again is the same file.
        QCOMPARE(store(name, mime), id);
        QCOMPARE(m_outbox->count(), 1);
        // Written under a scratch name and renamed: nothing else is left behind.
        QCOMPARE(QDir(m_outbox->folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        const QVariantList result = read(id);
        QCOMPARE(result.value(0).toBool(), true);
        QCOMPARE(result.value(1).toString(), name);
        QCOMPARE(result.value(2).toByteArray(), mime);
        QVERIFY(m_outbox->remove(id));
        QCOMPARE(m_outbox->count(), 0);
        QVERIFY(m_outbox->remove(id));
        QVERIFY(!m_outbox->remove(QByteArray()));
    }

    void damagedFilesAreSetAside_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("flipped byte") << 0;
        QTest::newRow("truncated") << 1;
        QTest::newRow("no separator, right digest") << 2;
    }

    // Regression: one damaged file failed every later send, since it stayed the oldest.
    void damagedFilesAreSetAside()
    {
        QFETCH(int, damage);
        const QByteArray id = store(QStringLiteral("a.eml"), "first message");
        const QByteArray other = store(QStringLiteral("b.eml"), "second message");
        setModified(pathOf(id), QDateTime::currentDateTime().addSecs(-60));
        QByteArray bytes = KelvaraTest::readFile(pathOf(id));
        QByteArray badId = id;
        if (damage == 0) {
            bytes[5] = char(bytes[5] ^ 0x01);
        } else if (damage == 1) {
            bytes.chop(3);
        } else {
            QByteArray record("no separator at all");
            badId = Outbox::sha256(record);
            Outbox::scramble(record);
            bytes = record;
            QFile::remove(pathOf(id));
        }
        QVERIFY(KelvaraTest::writeFile(pathOf(badId), bytes));
        setModified(pathOf(badId), QDateTime::currentDateTime().addSecs(-60));
        QByteArray oldest;
        QVERIFY(m_outbox->next(oldest));
        QCOMPARE(oldest, badId);
        const QVariantList result = read(badId);
        QCOMPARE(result.value(0).toBool(), false);
        QVERIFY(result.value(2).toByteArray().isEmpty());
        QVERIFY(QFile::exists(pathOf(badId) + QStringLiteral(".bad")));
        QVERIFY(m_outbox->next(oldest));
        QCOMPARE(oldest, other);
        QCOMPARE(m_outbox->count(), 1);
    }

    void oldestFirstAmongWellFormedNames()
    {
        const QDateTime now = QDateTime::currentDateTime();
        QByteArray ids[3];
        for (int i = 0; i < 3; ++i) {
            ids[i] = store(QStringLiteral("m%1.eml").arg(i), QByteArray::number(i));
            setModified(pathOf(ids[i]), now.addSecs(-30 + i));
        }
        // Foreign files, older than all: never read, never counted.
        for (const QString &foreign : {QStringLiteral("msg_1234.est"), QStringLiteral("notes.est"),
                                       QStringLiteral("msg_") + QString(64, QLatin1Char('A')) + QStringLiteral(".est")}) {
            const QString path = m_outbox->folder() + QLatin1Char('/') + foreign;
            QVERIFY(KelvaraTest::writeFile(path, "x"));
            setModified(path, now.addSecs(-600));
        }
        QCOMPARE(m_outbox->count(), 3);
        QByteArray id;
        QVERIFY(m_outbox->next(id));
        QCOMPARE(id, ids[0]);
        QVERIFY(m_outbox->next(id, {ids[0]}));
        QCOMPARE(id, ids[1]);
        QVERIFY(!m_outbox->next(id, {ids[0], ids[1], ids[2]}));
        QVERIFY(id.isEmpty());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("name");
        QTest::newRow("no user (logged out)") << "" << "a.eml";
        QTest::newRow("user name with a path") << "../x" << "a.eml";
        // Regression: a ";" in the name broke the record, a "/" made it a path.
        QTest::newRow("semicolon in the name") << "mailer" << "QELO3_4;7_1.eml";
        QTest::newRow("slash in the name") << "mailer" << "QELO3_4/7_1.eml";
    }

    void refusals()
    {
        QFETCH(QString, user);
        QFETCH(QString, name);
        m_outbox->setUserName(user);
        QSignalSpy done(m_outbox.get(), &Outbox::encryptionDone);
        QVERIFY(!m_outbox->add(name, "mime"));
        QVERIFY(!m_outbox->isBusy());
        QCOMPARE(done.count(), 0);
    }

    void oneJobAtATime()
    {
        const QByteArray id = store(QStringLiteral("a.eml"), "a");
        QSignalSpy stored(m_outbox.get(), &Outbox::encryptionDone);
        QSignalSpy readBack(m_outbox.get(), &Outbox::decryptionDone);
        QVERIFY(m_outbox->decrypt(id));
        QVERIFY(m_outbox->isBusy());
        QVERIFY(!m_outbox->add(QStringLiteral("b.eml"), "b"));
        QVERIFY(!m_outbox->decrypt(id));
        QVERIFY(readBack.wait(KelvaraTest::timeout(5000)));
        QVERIFY(!m_outbox->isBusy());
        QCOMPARE(readBack.count(), 1);
        QCOMPARE(stored.count(), 0);
        QCOMPARE(m_outbox->count(), 1);
    }

    // Regression: a logout during a store job put the message into another user's folder.
    void folderIsFixedWhenTheJobStarts()
    {
        const QString first = m_outbox->folder();
        QSignalSpy done(m_outbox.get(), &Outbox::encryptionDone);
        QVERIFY(m_outbox->add(QStringLiteral("a.eml"), "a"));
        m_outbox->setUserName(QStringLiteral("other"));
        QVERIFY(done.wait(KelvaraTest::timeout(5000)));
        QVERIFY(QFile::exists(first + QLatin1Char('/') + Outbox::fileName(done.first().at(1).toByteArray())));
        QCOMPARE(m_outbox->count(), 0);
    }

    void toolsReadWithoutThePool()
    {
        const QString folder = QDir::tempPath() + QStringLiteral("/box");
        QByteArray id;
        QVERIFY(Outbox::storeRecord(folder, QStringLiteral("x.eml"), "m;n", &id));
        QString name;
        QByteArray mime;
        QString reason;
        QVERIFY(Outbox::readRecord(folder + QLatin1Char('/') + Outbox::fileName(id), id, &name, &mime, &reason));
        QCOMPARE(name, QStringLiteral("x.eml"));
        QCOMPARE(mime, QByteArray("m;n"));
        QCOMPARE(Outbox::idFromFileName(Outbox::fileName(id)), id);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Outbox)
#include "tst_outbox.moc"
