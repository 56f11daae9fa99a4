#include "KelvaraTest.h"

#include "StringListElement.h"
#include "StringListModel.h"

#include <QtCore/QPointer>
#include <QtQml/QJSEngine>
#include <QtQml/QQmlEngine>
#include <QtTest/QSignalSpy>

class ListFactory : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE QObject *make(bool temporaryList)
    {
        if (temporaryList)
            return temporary = new TempStringListModel;
        return kept = new StringListModel;
    }
    QPointer<StringListModel> temporary;
    QPointer<StringListModel> kept;
};

// The generic list behind menus and overviews: its roles are the scenes'
// interface, its edits must keep views consistent. (QAbstractItemModelTester
// does not fit: the display role gives the element object, not a text.)
class tst_StringListModel : public QObject
{
    Q_OBJECT

private:
    static QStringList ids(const StringListModel &model)
    {
        QStringList result;
        for (const StringListElement *element : model.elements())
            result << element->id();
        return result;
    }

    static void fill(StringListModel &model, const QStringList &ids)
    {
        for (const QString &id : ids)
            model.append(new StringListElement(id, id.toUpper()));
    }

private slots:
    void rolesGiveTheElementsFields_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("257 id") << 257 << QVariant(QStringLiteral("i1"));
        QTest::newRow("258 text") << 258 << QVariant(QStringLiteral("Text"));
        QTest::newRow("259 type") << 259 << QVariant(QStringLiteral("T"));
        QTest::newRow("260 parent instrument without the separator")
            << 260 << QVariant(QStringLiteral("StandardMein Griff"));
        QTest::newRow("261 marked for delete") << 261 << QVariant(true);
        QTest::newRow("262 image") << 262 << QVariant(QStringLiteral("qrc:/x.png"));
        QTest::newRow("263 selected") << 263 << QVariant(false);
        QTest::newRow("264 downloaded") << 264 << QVariant(false);
        QTest::newRow("265 is no role") << 265 << QVariant();
    }

    void rolesGiveTheElementsFields()
    {
        QFETCH(int, role);
        QFETCH(QVariant, value);
        StringListModel model;
        auto *element = new StringListElement(QStringLiteral("i1"), QStringLiteral("Text"), QStringLiteral("T"),
                                              QStringLiteral("qrc:/x.png"), QStringLiteral("Standard\u00aeMein Griff"));
        element->setMarkedForDelete(true);
        model.append(element);
        QCOMPARE(model.data(model.index(0), role), value);
        QCOMPARE(model.roleNames().value(role).isEmpty(), !value.isValid());
        QCOMPARE(model.data(model.index(0), Qt::DisplayRole).value<StringListElement *>(), element);
        QVERIFY(!model.data(model.index(1), 257).isValid());
    }

    void editsKeepTheOrder_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("insert before an id") << "insert x before b" << QStringList{"a", "x", "b", "c"};
        QTest::newRow("insert before a missing id appends") << "insert x before q" << QStringList{"a", "b", "c", "x"};
        QTest::newRow("move down") << "move a to c" << QStringList{"b", "c", "a"};
        QTest::newRow("move up") << "move c to a" << QStringList{"c", "a", "b"};
        QTest::newRow("move of a missing id") << "move q to a" << QStringList{"a", "b", "c"};
        QTest::newRow("remove") << "remove b" << QStringList{"a", "c"};
        QTest::newRow("remove a missing id") << "remove q" << QStringList{"a", "b", "c"};
        QTest::newRow("clear") << "clear" << QStringList();
    }

    void editsKeepTheOrder()
    {
        QFETCH(QString, edit);
        QFETCH(QStringList, expected);
        StringListModel model;
        fill(model, {"a", "b", "c"});
        const QStringList words = edit.split(QLatin1Char(' '));
        if (words.first() == QLatin1String("insert"))
            model.insertBefore(new StringListElement(words.at(1), QString()), words.at(3));
        else if (words.first() == QLatin1String("move"))
            QCOMPARE(model.move(words.at(1), words.at(3)), words.at(1) != QLatin1String("q"));
        else if (words.first() == QLatin1String("remove"))
            QCOMPARE(model.remove(words.at(1)), words.at(1) != QLatin1String("q"));
        else
            model.clear();
        QCOMPARE(ids(model), expected);
        QCOMPARE(model.indexOf(QStringLiteral("c")), int(expected.indexOf(QStringLiteral("c"))));
    }

    void writesAndElementChangesReachTheViews()
    {
        StringListModel model;
        fill(model, {"a", "b"});
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(1), true, StringListModel::ListIsSelectedRole));
        QVERIFY(model.elementAt(1)->isSelected());
        QVERIFY(model.setData(model.index(1), QStringLiteral("B2"), StringListModel::ListTextRole));
        QCOMPARE(model.textOf(QStringLiteral("b")), QStringLiteral("B2"));
        QVERIFY(!model.setData(model.index(2), true, StringListModel::ListIsSelectedRole));
        QVERIFY(!model.setData(model.index(0), true, Qt::DisplayRole));
        QCOMPARE(changed.count(), 2);
        emit model.elementAt(0)->dataChanged(0);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().at(0).toModelIndex().row(), 0);
    }

    // A list kept by a controller must survive the scene dropping it; a
    // temporary one must not leak.
    void onlyTheTemporaryListBelongsToQml()
    {
        ListFactory factory;
        QQmlEngine::setObjectOwnership(&factory, QQmlEngine::CppOwnership);
        QJSEngine engine;
        engine.globalObject().setProperty(QStringLiteral("factory"), engine.newQObject(&factory));
        QVERIFY(!engine.evaluate(QStringLiteral("factory.make(true); factory.make(false); 0")).isError());
        engine.collectGarbage();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(factory.temporary.isNull());
        QVERIFY(!factory.kept.isNull());
        delete factory.kept;
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_StringListModel)
#include "tst_stringlistmodel.moc"
