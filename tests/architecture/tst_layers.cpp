#include "KelvaraTest.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

// Reads the #include lines of src/ and reports every file that includes one
// from a layer above its own. The order of the layers is the one written in
// docs/architecture.md, so the page and the code cannot drift apart.
namespace {

/// The layer names, bottom first, from the page's "layers, bottom first:" line.
QStringList layerOrder(const QString &architecturePage)
{
    QFile file(architecturePage);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression line(QStringLiteral("^layers, bottom first:(.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
}

/// The layer of a source file: its folder's, except in src/app, which holds
/// the bottom (core) and the top (composition) of the application.
QString layerOf(const QString &relativePath)
{
    const QString folder = relativePath.section(QLatin1Char('/'), 0, 0);
    if (folder != QLatin1String("app"))
        return folder;
    static const QStringList top = {QStringLiteral("Manager"), QStringLiteral("KelvaraApplication"),
                                    QStringLiteral("QmlRegistration"), QStringLiteral("main")};
    const QString base = QFileInfo(relativePath).completeBaseName();
    if (top.contains(base))
        return QStringLiteral("top");
    if (base == QLatin1String("MainViewController"))
        return QStringLiteral("controllers");
    return QStringLiteral("core");
}

QStringList layerViolations(const QString &sourceRoot, const QStringList &order)
{
    QHash<QString, QString> layerOfName; // "Logger.h" -> "core"
    QStringList files;
    QDirIterator it(sourceRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(sourceRoot).relativeFilePath(it.next());
        files << relative;
        layerOfName.insert(QFileInfo(relative).fileName(), layerOf(relative));
    }
    QStringList violations;
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""), QRegularExpression::MultilineOption);
    for (const QString &relative : qAsConst(files)) {
        const int own = order.indexOf(layerOf(relative));
        QFile file(sourceRoot + QLatin1Char('/') + relative);
        if (own < 0 || !file.open(QIODevice::ReadOnly)) {
            violations << relative + QStringLiteral(": no layer");
            continue;
        }
        auto matches = include.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            const QString name = QFileInfo(matches.next().captured(1)).fileName();
            const QString target = layerOfName.value(name);
            if (!target.isEmpty() && order.indexOf(target) > own)
                violations << QStringLiteral("%1 (%2) includes %3 (%4)").arg(relative, layerOf(relative), name, target);
        }
    }
    return violations;
}

} // namespace

class tst_Layers : public QObject
{
    Q_OBJECT

private:
    QStringList m_order;

private slots:
    void initTestCase()
    {
        m_order = layerOrder(QStringLiteral(KELVARA_SOURCE_DIR "/docs/architecture.md"));
        QVERIFY2(m_order.size() >= 5, "docs/architecture.md has no \"layers, bottom first:\" line");
        QCOMPARE(m_order.first(), QStringLiteral("core"));
        QCOMPARE(m_order.last(), QStringLiteral("top"));
    }

    void sourcesIncludeOnlyDownwards()
    {
        const QStringList violations = layerViolations(QStringLiteral(KELVARA_SOURCE_DIR "/src"), m_order);
        QVERIFY2(violations.isEmpty(), qPrintable(violations.join(QLatin1Char('\n'))));
    }

    // The check itself: a tree with one include of each kind.
    void checkFindsWrongWayIncludes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("includes");
        QTest::addColumn<bool>("violation");
        QTest::newRow("core includes a controller") << "app/Logger.cpp" << "LoginViewController.h" << true;
        QTest::newRow("model layer includes the Manager") << "userset/UserSet.cpp" << "Manager.h" << true;
        QTest::newRow("main view controller includes the Manager") << "app/MainViewController.cpp" << "Manager.h" << true;
        QTest::newRow("transport includes the user-set model") << "communication/WebSocketClient.cpp" << "UserSet.h" << true;
        QTest::newRow("controller includes the transport") << "controllers/LoginViewController.cpp" << "WebSocketClient.h" << false;
        QTest::newRow("Manager includes a controller") << "app/Manager.cpp" << "LoginViewController.h" << false;
        QTest::newRow("same layer") << "communication/WebSocketClient.cpp" << "MessageBase.h" << false;
        QTest::newRow("framework header") << "app/Logger.cpp" << "QtCore/QObject" << false;
    }

    void checkFindsWrongWayIncludes()
    {
        QFETCH(QString, file);
        QFETCH(QString, includes);
        QFETCH(bool, violation);
        QTemporaryDir root;
        const QStringList tree = {"app/Logger.cpp", "app/Manager.h", "app/Manager.cpp", "app/MainViewController.cpp",
                                  "communication/WebSocketClient.cpp", "communication/MessageBase.h",
                                  "userset/UserSet.h", "userset/UserSet.cpp",
                                  "controllers/LoginViewController.h", "controllers/LoginViewController.cpp"};
        for (const QString &path : tree) {
            const QByteArray text = path == file ? "#include \"" + includes.toUtf8() + "\"\n" : QByteArray("// empty\n");
            QVERIFY(KelvaraTest::writeFile(root.filePath(path), text));
        }
        const QStringList found = layerViolations(root.path(), m_order);
        QCOMPARE(found.size(), violation ? 1 : 0);
        if (violation)
            QVERIFY2(found.first().startsWith(file), qPrintable(found.first()));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_Layers)
#include "tst_layers.moc"
