#include "KelvaraTest.h"

#include "SupportMail.h"

#include <QtCore/QDir>
#include <QtCore/QRegularExpression>

namespace {

const QDateTime kDate(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::OffsetFromUTC, 3600);
const QString kBoundary = QStringLiteral("boundary0000");

// The decoded texts of the "Subject:" words, one per header line.
QStringList subjectWords(const QByteArray &header)
{
    QStringList words;
    static const QRegularExpression word(QStringLiteral("=\\?utf-8\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    for (const QByteArray &line : header.split('\n')) {
        const QRegularExpressionMatch match = word.match(QString::fromLatin1(line));
        if (match.hasMatch())
            words << QString::fromUtf8(QByteArray::fromBase64(match.captured(1).toLatin1()));
    }
    return words;
}

// The parts of a composed message, each without its separator line.
QList<QByteArray> parts(const QByteArray &mime)
{
    QList<QByteArray> result;
    const QByteArray separator = "--" + kBoundary.toLatin1() + "\r\n";
    const QByteArray closing = "--" + kBoundary.toLatin1() + "--";
    qsizetype at = mime.indexOf(separator);
    while (at >= 0) {
        const qsizetype start = at + separator.size();
        const qsizetype next = mime.indexOf(separator, start);
        const qsizetype end = next >= 0 ? next : mime.indexOf(closing, start);
        result << mime.mid(start, end - start);
        at = next;
    }
    return result;
}

QByteArray decodePart(const QByteArray &part)
{
    const qsizetype body = part.indexOf("\r\n\r\n");
    QByteArray encoded = part.mid(body + 4);
    return QByteArray::fromBase64(encoded.replace("\r\n", ""));
}

} // namespace

// The support message in MIME form, byte for byte where the format is fixed.
class tst_SupportMail : public QObject
{
    Q_OBJECT

private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "service-nord@halvo.example" << true;
        QTest::newRow("upper case, plus") << "A.B+C@X-Y.DE" << true;
        QTest::newRow("no domain dot") << "a@localhost" << false;
        QTest::newRow("one-letter tld") << "a@b.c" << false;
        QTest::newRow("display name") << "Joe <a@b.de>" << false;
        // Regression: "$" also matched before a final line feed, letting a header line in.
        QTest::newRow("trailing line feed") << "a@b.de\n" << false;
        QTest::newRow("injected header") << "a@b.de\r\nBcc: x@y.de" << false;
        QTest::newRow("leading text") << "x a@b.de" << false;
        QTest::newRow("empty") << "" << false;
    }

    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, valid);
        SupportMail mail;
        QCOMPARE(SupportMail::isValidAddress(address), valid);
        QCOMPARE(mail.setSender(address), valid);
        QCOMPARE(mail.addRecipient(address), valid);
        QCOMPARE(mail.recipients().size(), valid ? 1 : 0);
        if (valid) {
            QVERIFY(mail.addRecipient(address));
            QCOMPARE(mail.recipients().size(), 1);
        }
    }

    void subject_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("36 ASCII") << QString(36, QLatin1Char('a')) << 1;
        QTest::newRow("37 ASCII") << QString(37, QLatin1Char('a')) << 2;
        QTest::newRow("78 ASCII") << QString(78, QLatin1Char('b')) << 2;
        QTest::newRow("79 ASCII") << QString(79, QLatin1Char('b')) << 3;
        // Regression: words were cut by bytes, splitting "ü" (2 bytes) at byte 36.
        QTest::newRow("umlaut across the cut") << QString(35, QLatin1Char('x')) + QStringLiteral("üblich") << 2;
        QTest::newRow("three-byte signs") << QString(20, QChar(0x20AC)) << 2;
    }

    void subject()
    {
        QFETCH(QString, subject);
        QFETCH(int, lines);
        const QByteArray header = SupportMail::subjectHeader(subject);
        QVERIFY(header.startsWith("Subject: =?utf-8?B?"));
        QVERIFY(header.endsWith("?=\r\n"));
        QCOMPARE(header.count("\r\n"), lines);
        QCOMPARE(header.count("\r\n =?utf-8?B?"), lines - 1);
        const QStringList words = subjectWords(header);
        QCOMPARE(words.size(), lines);
        QCOMPARE(words.join(QString()), subject);
        for (int i = 0; i < words.size(); ++i) {
            QVERIFY(words.at(i).toUtf8().size() <= (i == 0 ? 36 : 42));
            QVERIFY(!words.at(i).contains(QChar::ReplacementCharacter));
        }
    }

    void base64Lines_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("54 bytes, 72 characters") << 54 << 1;
        QTest::newRow("55 bytes, 76 characters") << 55 << 2;
        QTest::newRow("108 bytes, two full lines") << 108 << 2;
    }

    void base64Lines()
    {
        QFETCH(int, bytes);
        QFETCH(int, lines);
        QByteArray out;
        const QByteArray data(bytes, 'k');
        SupportMail::appendBase64Lines(out, data);
        QCOMPARE(out.count("\r\n"), lines);
        for (const QByteArray &line : out.split('\n'))
            QVERIFY(line.size() <= SupportMail::kLineLength + 1);
        QCOMPARE(QByteArray::fromBase64(QByteArray(out).replace("\r\n", "")), data);
    }

    void dispositions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << "a.xml" << QByteArray("attachment; filename=\"a.xml\"");
        QTest::newRow("quote and semicolon") << "a\";b.xml" << QByteArray("attachment; filename=\"a\\\";b.xml\"");
        QTest::newRow("umlaut by RFC 2231") << "Ü 1.xml" << QByteArray("attachment; filename*=utf-8''%C3%9C%201.xml");
    }

    void dispositions()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        QCOMPARE(SupportMail::dispositionFor(name), expected);
    }

    void layout()
    {
        const QString folder = QDir::tempPath() + QStringLiteral("/mail");
        QByteArray binary;
        for (int i = 0; i < 1000; ++i)
            binary.append(char(i * 7));
        QVERIFY(KelvaraTest::writeFile(folder + QStringLiteral("/set.xml"), "<AnwenderSet/>"));
        QVERIFY(KelvaraTest::writeFile(folder + QStringLiteral("/log.flex"), binary));
        SupportMail mail;
        QVERIFY(mail.setSender(QStringLiteral("from@halvo.example")));
        QVERIFY(mail.addRecipient(QStringLiteral("to@halvo.example")));
        QVERIFY(mail.setSubject(QStringLiteral("Gerät")));
        mail.setBody(QStringLiteral("Hospital: Ä\nName: N"));
        mail.addAttachment(folder + QStringLiteral("/set.xml"));
        mail.addAttachment(folder + QStringLiteral("/missing.fix"));
        mail.addAttachment(folder + QStringLiteral("/log.flex"));
        const QByteArray mime = mail.toMime(kDate, kBoundary);
        const QByteArray head = "MIME-Version: 1.0\r\nFrom: from@halvo.example\r\nTo: to@halvo.example\r\n"
                                "Date: " + kDate.toString(Qt::RFC2822Date).toLatin1()
                                + "\r\nSubject: =?utf-8?B?R2Vyw6R0?=\r\n"
                                "Content-Type: multipart/mixed; boundary=boundary0000\r\n\r\n";
        QCOMPARE(mime.left(head.size()), head);
        QVERIFY(mime.endsWith("--boundary0000--\r\n"));
        QVERIFY(!QByteArray(mime).replace("\r\n", "").contains('\n'));
        const QList<QByteArray> sections = parts(mime);
        QCOMPARE(sections.size(), 3); // text, set.xml, log.flex; the missing file is left out
        QVERIFY(sections.at(0).startsWith("Content-Type: text/plain; charset=utf-8\r\n"
                                          "Content-Transfer-Encoding: base64\r\n\r\n"));
        QCOMPARE(QString::fromUtf8(decodePart(sections.at(0))), mail.body());
        QVERIFY(sections.at(2).startsWith("Content-Type: application/octet-stream\r\nContent-Transfer-Encoding: "
                                          "base64\r\nContent-Disposition: attachment; filename=\"log.flex\"\r\n\r\n"));
        QCOMPARE(decodePart(sections.at(1)), QByteArray("<AnwenderSet/>"));
        QCOMPARE(decodePart(sections.at(2)), binary);
    }

    void refusesIncompleteOrInjectedMessages()
    {
        SupportMail mail;
        QVERIFY(mail.toMime().isEmpty());
        QVERIFY(mail.setSender(QStringLiteral("a@b.de")));
        QVERIFY(mail.toMime().isEmpty());
        QVERIFY(mail.addRecipient(QStringLiteral("c@d.de")));
        QVERIFY(!mail.toMime().isEmpty());
        // A subject is one header line: a break in it is refused, not folded.
        QVERIFY(!mail.setSubject(QStringLiteral("x\r\nBcc: e@f.de")));
        QCOMPARE(mail.subject(), QString());
        QVERIFY(mail.toMime().contains("boundary="));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_SupportMail)
#include "tst_supportmail.moc"
