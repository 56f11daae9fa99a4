#include "UserSetTestData.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtCore/QDir>
#include <QtCore/QMap>
#include <QtXml/QDomDocument>

namespace UserSetTestData {

QString builtinCataloguePath()
{
    return QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini");
}

bool loadBuiltinCatalogue()
{
    InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    return catalogue->initializeInstrumentCatalog(builtinCataloguePath()) && catalogue->definitionCount() > 0;
}

QStringList builtinTemplates()
{
    QStringList paths;
    const QDir folder(QStringLiteral(":/Resources/UserSets"));
    for (const QString &name : folder.entryList({ QStringLiteral("*.xml") }, QDir::Files))
        paths.append(folder.filePath(name));
    return paths;
}

QByteArray minimalDocument(
    const QByteArray &instruments, const QByteArray &setupAttributes, const QByteArray &extraRootChildren)
{
    const QByteArray setup = setupAttributes.isNull()
        ? QByteArray("Einstiegsbildschirm=\"P\" BevorzugteNeutralelektrode=\"Z\" "
                     "MaximaleAktivierungsdauer=\"60\" AutostartErlaubt=\"EIN\" "
                     "AutostartVerzoegerung=\"500\" AutostartVerzoegerungCoagM7=\"900\" "
                     "ZweiPedalFussschalterTeilbar=\"EIN\"")
        : setupAttributes;
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<AnwenderSet ZuletztVerwendeteProgrammgruppe=\"G\" XMLDokumententypversion=\"1.4\">\n"
                      "<Geraet Name=\"QELO 3\" Typ=\"QELO3\" Seriennummer=\"1\" Softwareversion=\"1.4.0\" "
                      "NaechsteSTK=\"x\"/>\n"
                      "<Programmgruppe Name=\"G\" ZuletztVerwendetesProgramm=\"P\" Piktogrammidentifier=\"GYN\">\n"
                      "<Programm Name=\"P\" Neonatalueberwachung=\"AUS\"><Ebene Name=\"E1\">\n")
        + instruments + QByteArray("</Ebene></Programm></Programmgruppe>\n") + extraRootChildren + QByteArray("<Setup ")
        + setup
        + QByteArray(
            ">\n<Helligkeit Allgemein=\"1\" Display=\"2\" Buchse=\"3\"/>\n"
            "<Lautstaerke System=\"1\" Aktivierung=\"2\" Taste=\"3\" Gesamt=\"4\"/>\n"
            "<APC AutomatischesSpuelen=\"EIN\" Spueldauer=\"3\" Gasversorgung=\"F\" DruckBeiVollerFlasche=\"200\"/>\n"
            "<EVX Grundabsaugung=\"40\" Nachlaufzeit=\"10\"/>\n</Setup>\n</AnwenderSet>\n");
}

namespace {

QMap<QString, QString> attributesOf(const QDomElement &element)
{
    QMap<QString, QString> result;
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        result.insert(attribute.name(), attribute.value());
    }
    return result;
}

QString compareElements(const QDomElement &expected, const QDomElement &actual, const QString &path)
{
    const QString here = path + QLatin1Char('/') + expected.tagName();
    if (expected.tagName() != actual.tagName())
        return QStringLiteral("%1: element %2 became %3").arg(path, expected.tagName(), actual.tagName());
    const auto expectedAttributes = attributesOf(expected);
    const auto actualAttributes = attributesOf(actual);
    if (expectedAttributes != actualAttributes) {
        for (auto it = expectedAttributes.cbegin(); it != expectedAttributes.cend(); ++it) {
            if (actualAttributes.value(it.key(), QStringLiteral("<missing>")) != it.value())
                return QStringLiteral("%1: attribute %2=\"%3\" became \"%4\"")
                    .arg(here, it.key(), it.value(), actualAttributes.value(it.key(), QStringLiteral("<missing>")));
        }
        return QStringLiteral("%1: extra attributes %2")
            .arg(here, QStringList(actualAttributes.keys()).join(QLatin1Char(',')));
    }
    QDomElement e = expected.firstChildElement();
    QDomElement a = actual.firstChildElement();
    int index = 0;
    for (; !e.isNull() && !a.isNull(); e = e.nextSiblingElement(), a = a.nextSiblingElement(), ++index) {
        const QString difference = compareElements(e, a, here + QStringLiteral("[%1]").arg(index));
        if (!difference.isEmpty())
            return difference;
    }
    if (!e.isNull() || !a.isNull())
        return QStringLiteral("%1: child count differs at %2").arg(here).arg(index);
    return QString();
}

} // namespace

QString compareDocuments(const QByteArray &expected, const QByteArray &actual)
{
    QDomDocument left;
    QDomDocument right;
    if (!left.setContent(expected))
        return QStringLiteral("expected document does not parse");
    if (!right.setContent(actual))
        return QStringLiteral("actual document does not parse");
    return compareElements(left.documentElement(), right.documentElement(), QString());
}

QList<Instrument *> instrumentsOf(const UserSet *set, bool withSubInstruments)
{
    QList<Instrument *> result;
    for (const ProgramGroup *group : set->programGroups())
        for (const UserProgram *program : group->programs())
            for (const ProgramLevel *level : program->levels())
                for (Instrument *instrument : level->instruments()) {
                    result << instrument;
                    if (withSubInstruments)
                        result << instrument->subInstruments();
                }
    return result;
}

} // namespace UserSetTestData
