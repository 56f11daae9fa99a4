#include "FileSelectorService.h"

#include <QtTest/QtTest>

// Answers every dialog from a queue and records where each one opened.
class ScriptedSelector : public FileSelectorService
{
public:
    QStringList answers;
    QStringList startFolders;
    QStringList filters;

protected:
    QString runDialog(Dialog, const QString &, const QString &startFolder, const QString &filter) override
    {
        startFolders << startFolder;
        filters << filter;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

using Method = QString (FileSelectorService::*)(const QString &);
Q_DECLARE_METATYPE(Method)

class tst_FileSelector : public QObject
{
    Q_OBJECT

private slots:
    void remembersTheFolderPerKind_data()
    {
        QTest::addColumn<Method>("method");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("reopensAt");
        QTest::addColumn<QString>("filter");
        QTest::newRow("folder") << Method(&FileSelectorService::getExistingDirectory) << "/data/sets"
                                << "/data/sets" << QString();
        QTest::newRow("file") << Method(&FileSelectorService::getExistingFile) << "/data/sets/a.xml"
                              << "/data/sets" << QString();
        QTest::newRow("update file") << Method(&FileSelectorService::getEsbFile) << "/fw/u.esb" << "/fw"
                                     << "Update Files (*.esb)";
        QTest::newRow("chrono file") << Method(&FileSelectorService::getChronoFiles) << "/logs/a.flex" << "/logs"
                                     << "Chrono Files (*.fix *.flex *.zip)";
        QTest::newRow("export folder reopens at its parent")
            << Method(&FileSelectorService::getDirectory) << "/export/today/" << "/export" << QString();
    }

    void remembersTheFolderPerKind()
    {
        QFETCH(Method, method);
        QFETCH(QString, answer);
        QFETCH(QString, reopensAt);
        QFETCH(QString, filter);
        ScriptedSelector selector;
        selector.answers = {answer, QString()};
        QCOMPARE((selector.*method)(QStringLiteral("caption")), answer);
        // A cancelled dialog returns nothing and forgets nothing.
        QCOMPARE((selector.*method)(QStringLiteral("caption")), QString());
        QCOMPARE((selector.*method)(QStringLiteral("caption")), QString());
        QCOMPARE(selector.startFolders.mid(1), (QStringList{reopensAt, reopensAt}));
        QCOMPARE(selector.filters.first(), filter);
    }

    void fileAndFolderDialogsShareTheirFolder()
    {
        ScriptedSelector selector;
        selector.answers = {QStringLiteral("/a/b/c.xml")};
        selector.getExistingFile(QString());
        selector.getExistingDirectory(QString());
        selector.getEsbFile(QString());
        QCOMPARE(selector.startFolders.at(1), QStringLiteral("/a/b"));
        QVERIFY(selector.startFolders.at(2) != QStringLiteral("/a/b"));
    }
};

QTEST_GUILESS_MAIN(tst_FileSelector)
#include "tst_fileselector.moc"
