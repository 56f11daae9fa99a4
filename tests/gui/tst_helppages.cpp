#include "HtmlService.h"
#include "KelvaraTest.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QUrl>

// The built-in help and legal pages, as the help dialog reaches them: through
// the URLs of HtmlService after it has unpacked the pages.
class tst_HelpPages : public QObject
{
    Q_OBJECT

private:
    HtmlService m_html;

    static QString localFile(const QString &url) { return QUrl(url).toLocalFile(); }

    static void checkPage(const QString &path, const QString &language, const QString &title)
    {
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("<html lang=\"%1\">").arg(language)));
        QVERIFY2(text.contains(QStringLiteral("<h1>%1</h1>").arg(title)), qPrintable(title));
        // The shared style sheet must resolve from where the page lies.
        const QRegularExpression link(QStringLiteral("href=\"([^\"]*kelvara\\.css)\""));
        const QRegularExpressionMatch match = link.match(text);
        QVERIFY(match.hasMatch());
        QVERIFY(QFileInfo::exists(QFileInfo(path).absolutePath() + QLatin1Char('/') + match.captured(1)));
        // Web addresses of the fictional maker only.
        const QRegularExpression address(QStringLiteral("(?:https?://|@)([A-Za-z0-9.-]+)"));
        auto it = address.globalMatch(text);
        while (it.hasNext()) {
            const QString host = it.next().captured(1);
            QVERIFY2(host.endsWith(QLatin1String(".example")), qPrintable(host));
        }
    }

private slots:
    void initTestCase() { m_html.prepareHtmlFolder(); }

    void helpPages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::newRow("login de") << "Deutsch" << "Login" << "de" << "Hilfe: Anmeldung";
        QTest::newRow("login en") << "English" << "Login" << "en" << "Help: Login";
        QTest::newRow("copy de") << "Deutsch" << "Copy" << "de" << "Hilfe: Copy";
        QTest::newRow("copy en") << "English" << "Copy" << "en" << "Help: Copy";
        QTest::newRow("update de") << "Deutsch" << "Update" << "de" << "Hilfe: Update";
        QTest::newRow("update en") << "English" << "Update" << "en" << "Help: Update";
        QTest::newRow("chrono de") << "Deutsch" << "Chrono" << "de" << "Hilfe: Chrono";
        QTest::newRow("chrono en") << "English" << "Chrono" << "en" << "Help: Chrono";
        QTest::newRow("contact de") << "Deutsch" << "Contact" << "de" << "Hilfe: Contact";
        QTest::newRow("contact en") << "English" << "Contact" << "en" << "Help: Contact";
    }

    void helpPages()
    {
        QFETCH(QString, language);
        QFETCH(QString, module);
        QFETCH(QString, code);
        QFETCH(QString, title);
        checkPage(localFile(m_html.getUrlForHelp(QStringLiteral("windows"), language, module)), code, title);
    }

    void legalPages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::newRow("terms de") << "Deutsch" << "GTC" << "de" << "Nutzungsbedingungen";
        QTest::newRow("terms en") << "English" << "GTC" << "en" << "Terms of use";
        QTest::newRow("privacy de") << "Deutsch" << "Privacy" << "de" << "Datenschutzerklärung";
        QTest::newRow("privacy en") << "English" << "Privacy" << "en" << "Privacy policy";
        QTest::newRow("imprint de") << "Deutsch" << "Imprint" << "de" << "Impressum";
        QTest::newRow("imprint en") << "English" << "Imprint" << "en" << "Imprint";
        QTest::newRow("licences de") << "Deutsch" << "Licenses" << "de" << "Lizenzen und Open-Source-Hinweise";
        QTest::newRow("licences en") << "English" << "Licenses" << "en" << "Licences and open-source notices";
    }

    void legalPages()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        QFETCH(QString, code);
        QFETCH(QString, title);
        QString url;
        if (page == QLatin1String("Privacy"))
            url = m_html.getUrlForPrivacy(language);
        else if (page == QLatin1String("Imprint"))
            url = m_html.getUrlForImprint(language);
        else
            url = m_html.getUrlForGTC(language);
        // The licence notice lies beside the terms; the help dialog derives its URL that way.
        if (page == QLatin1String("Licenses"))
            url.replace(QStringLiteral("GTC.html"), QStringLiteral("Licenses.html"));
        checkPage(localFile(url), code, title);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_HelpPages)

#include "tst_helppages.moc"
