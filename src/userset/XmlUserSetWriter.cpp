#include "XmlUserSetWriter.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "ModeType.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetFormat.h"

#include <QtCore/QBuffer>
#include <QtCore/QHash>
#include <QtCore/QXmlStreamWriter>
#include <QtXml/QDomDocument>

using namespace XmlUserSetFormat;

namespace {

bool flowToFile(const QString &flow, QString &text)
{
    if (flow.isEmpty())
        return false;
    bool ok = false;
    const double value = flow.toDouble(&ok);
    if (!ok)
        return false;
    text = QString::number(value * 10.0, 'f', 0);
    return true;
}

class Writer
{
public:
    explicit Writer(QDomDocument &document)
        : m_document(document)
        , m_catalogue(InstrumentConfiguration::instance())
    {
    }

    void writeUserSet(const UserSet *set)
    {
        m_document.appendChild(m_document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"utf-8\"")));
        QDomElement root = m_document.createElement(QStringLiteral("AnwenderSet"));
        root.setAttribute(QStringLiteral("ZuletztVerwendeteProgrammgruppe"), set->lastUsedProgramGroup());
        root.setAttribute(QStringLiteral("XMLDokumententypversion"), set->documentVersion());
        m_document.appendChild(root);

        QDomElement device = m_document.createElement(QStringLiteral("Geraet"));
        const auto &deviceNames = UserSet::deviceAttributes();
        for (int i = 0; i < UserSet::DeviceValueCount; ++i)
            device.setAttribute(deviceNames[size_t(i)], set->device(UserSet::DeviceValue(i)));
        root.appendChild(device);

        for (const ProgramGroup *group : set->programGroups())
            root.appendChild(writeGroup(group));
        root.appendChild(writeSetup(set));
    }

private:
    QDomElement element(const QString &name) { return m_document.createElement(name); }

    QDomElement writeGroup(const ProgramGroup *group)
    {
        QDomElement node = element(QStringLiteral("Programmgruppe"));
        node.setAttribute(QStringLiteral("Name"), group->name());
        node.setAttribute(QStringLiteral("ZuletztVerwendetesProgramm"), group->lastUsedProgram());
        node.setAttribute(QStringLiteral("Piktogrammidentifier"), group->pictogramIdentifier());
        for (const UserProgram *program : group->programs()) {
            QDomElement programNode = element(QStringLiteral("Programm"));
            programNode.setAttribute(QStringLiteral("Name"), program->name());
            programNode.setAttribute(QStringLiteral("Neonatalueberwachung"), program->neonatalueberwachung());
            for (const ProgramLevel *level : program->levels()) {
                QDomElement levelNode = element(QStringLiteral("Ebene"));
                levelNode.setAttribute(QStringLiteral("Name"), level->name());
                for (const Instrument *instrument : level->instruments())
                    levelNode.appendChild(writeInstrument(instrument));
                programNode.appendChild(levelNode);
            }
            node.appendChild(programNode);
        }
        return node;
    }

    QDomElement writeInstrument(const Instrument *instrument)
    {
        QDomElement node = element(QStringLiteral("Instrument"));
        node.setAttribute(QStringLiteral("Name"), instrument->name());
        const bool hybrid = instrument->datensatznummer() == kHybridVexNumber;
        node.setAttribute(QStringLiteral("Typ"), hybrid ? kHybridVexWireType : instrument->instrumentType());
        node.setAttribute(QStringLiteral("Datensatznummer"), instrument->datensatznummer());

        QDomElement evx = element(QStringLiteral("EVX"));
        evx.setAttribute(QStringLiteral("OPAbsaugrate"), instrument->evxRate());
        evx.setAttribute(QStringLiteral("EinAus"), instrument->evxOn() ? QStringLiteral("EIN") : QStringLiteral("AUS"));
        node.appendChild(evx);
        QDomElement irx = element(QStringLiteral("IRX"));
        irx.setAttribute(QStringLiteral("OPAbsaugrate"), instrument->irxRate());
        irx.setAttribute(QStringLiteral("EinAus"), instrument->irxOn() ? QStringLiteral("EIN") : QStringLiteral("AUS"));
        node.appendChild(irx);

        // The sources in the file always follow the activation bits.
        Instrument::Sources sources = instrument->activationSources();
        node.appendChild(writeSide(instrument, instrument->coag(), sources.coag, sources.autostop));
        node.appendChild(writeSide(instrument, instrument->cut(), sources.cut, QString()));

        if (!instrument->aliasType().isEmpty() && !instrument->aliasName().isEmpty()) {
            QDomElement alias = element(QStringLiteral("Alias"));
            alias.setAttribute(QStringLiteral("Typ"), instrument->aliasType());
            alias.setAttribute(QStringLiteral("Name"), instrument->aliasName());
            node.appendChild(alias);
        }
        return node;
    }

    QDomElement writeSide(
        const Instrument *instrument, const CutCoag &side, const QString &source, const QString &autostop)
    {
        const bool coag = side.side() == CutCoag::Coag;
        QDomElement node = element(coag ? QStringLiteral("Coag") : QStringLiteral("Cut"));
        node.setAttribute(QStringLiteral("Aktivierungsquelle"), source);
        node.setAttribute(QStringLiteral("SelektierterMode"), side.selektierterMode());
        if (coag)
            node.setAttribute(QStringLiteral("Autostop"), autostop);
        node.setAttribute(QStringLiteral("Datensatznummer"), side.datensatznummer());
        writeFlow(node, side);
        node.appendChild(writeModes(side.modes()));
        for (const Instrument *sub : instrument->subInstruments()) {
            const CutCoag &subSide = coag ? sub->coag() : sub->cut();
            QDomElement subNode = element(QStringLiteral("SubInstrument"));
            subNode.setAttribute(QStringLiteral("SelektierterMode"), subSide.selektierterMode());
            if (coag)
                subNode.setAttribute(QStringLiteral("Autostop"), subSide.autostop());
            subNode.setAttribute(QStringLiteral("Datensatznummer"), sub->datensatznummer());
            writeFlow(subNode, subSide);
            subNode.appendChild(writeModes(subSide.modes()));
            node.appendChild(subNode);
        }
        return node;
    }

    static void writeFlow(QDomElement &node, const CutCoag &side)
    {
        QString text;
        if (flowToFile(side.flow(), text))
            node.setAttribute(QStringLiteral("Flow"), text);
    }

    QDomElement writeModes(const QList<ModeType> &modes)
    {
        static const QString kMode = QStringLiteral("Mode");
        QDomElement node = element(QStringLiteral("Modes"));
        const auto &names = ModeType::attributeNames();
        for (const ModeType &mode : modes) {
            QDomElement modeNode = element(kMode);
            for (int i = 0; i < ModeType::FieldCount; ++i) {
                const QString &value = mode.value(ModeType::Field(i));
                if (!value.isEmpty())
                    modeNode.setAttribute(names[size_t(i)], value);
            }
            node.appendChild(modeNode);
        }
        return node;
    }

    QDomElement writeSetup(const UserSet *set)
    {
        QDomElement node = element(QStringLiteral("Setup"));
        const auto &fields = UserSet::setupFields();
        QDomElement current;
        QString currentName;
        for (int i = 0; i < UserSet::SetupValueCount; ++i) {
            const UserSet::SetupField &field = fields[size_t(i)];
            if (field.element.isEmpty()) {
                node.setAttribute(field.attribute, set->setup(UserSet::SetupValue(i)));
                continue;
            }
            if (field.element != currentName) {
                current = element(field.element);
                currentName = field.element;
                node.appendChild(current);
            }
            current.setAttribute(field.attribute, set->setup(UserSet::SetupValue(i)));
        }
        return node;
    }

    QDomDocument &m_document;
    const InstrumentConfiguration *m_catalogue;
};


/// Attribute order per element name as the format lists it; a DOM element
/// keeps its attributes in a hash, so the saver restores the order.
const QHash<QString, QStringList> &attributeOrder()
{
    static const QHash<QString, QStringList> kOrder = [] {
        QHash<QString, QStringList> order;
        order.insert(QStringLiteral("AnwenderSet"),
            { QStringLiteral("ZuletztVerwendeteProgrammgruppe"), QStringLiteral("XMLDokumententypversion") });
        QStringList device;
        for (const QString &name : UserSet::deviceAttributes())
            device.append(name);
        order.insert(QStringLiteral("Geraet"), device);
        order.insert(QStringLiteral("Programmgruppe"),
            { QStringLiteral("Name"), QStringLiteral("ZuletztVerwendetesProgramm"),
                QStringLiteral("Piktogrammidentifier") });
        order.insert(QStringLiteral("Programm"), { QStringLiteral("Name"), QStringLiteral("Neonatalueberwachung") });
        order.insert(QStringLiteral("Ebene"), { QStringLiteral("Name") });
        order.insert(QStringLiteral("Instrument"),
            { QStringLiteral("Name"), QStringLiteral("Typ"), QStringLiteral("Datensatznummer") });
        order.insert(QStringLiteral("IRX"), { QStringLiteral("OPAbsaugrate"), QStringLiteral("EinAus") });
        order.insert(QStringLiteral("Coag"),
            { QStringLiteral("Aktivierungsquelle"), QStringLiteral("SelektierterMode"), QStringLiteral("Autostop"),
                QStringLiteral("Datensatznummer"), QStringLiteral("Flow") });
        order.insert(QStringLiteral("Cut"),
            { QStringLiteral("Aktivierungsquelle"), QStringLiteral("SelektierterMode"),
                QStringLiteral("Datensatznummer"), QStringLiteral("Flow") });
        order.insert(QStringLiteral("SubInstrument"),
            { QStringLiteral("SelektierterMode"), QStringLiteral("Autostop"), QStringLiteral("Datensatznummer"),
                QStringLiteral("Flow") });
        order.insert(QStringLiteral("Alias"), { QStringLiteral("Typ"), QStringLiteral("Name") });
        QStringList mode;
        for (const QString &name : ModeType::attributeNames())
            mode.append(name);
        order.insert(QStringLiteral("Mode"), mode);
        // The instrument's EVX and the setup's EVX share the element name.
        order.insert(QStringLiteral("EVX"), { QStringLiteral("OPAbsaugrate"), QStringLiteral("EinAus") });
        for (const UserSet::SetupField &field : UserSet::setupFields())
            order[field.element.isEmpty() ? QStringLiteral("Setup") : field.element].append(field.attribute);
        return order;
    }();
    return kOrder;
}

void saveElement(QXmlStreamWriter &writer, const QDomElement &element)
{
    const QString tag = element.tagName();
    writer.writeStartElement(tag);
    const QDomNamedNodeMap attributes = element.attributes();
    const auto listed = attributeOrder().constFind(tag);
    int written = 0;
    if (listed != attributeOrder().constEnd()) {
        for (const QString &name : *listed) {
            const QDomAttr attribute = attributes.namedItem(name).toAttr();
            if (!attribute.isNull()) {
                writer.writeAttribute(name, attribute.value());
                ++written;
            }
        }
    }
    if (written < attributes.count()) {
        for (int i = 0; i < attributes.count(); ++i) {
            const QDomAttr attribute = attributes.item(i).toAttr();
            if (listed == attributeOrder().constEnd() || !listed->contains(attribute.name()))
                writer.writeAttribute(attribute.name(), attribute.value());
        }
    }
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement())
            saveElement(writer, child.toElement());
        else if (child.isText())
            writer.writeCharacters(child.nodeValue());
    }
    writer.writeEndElement();
}

} // namespace

namespace XmlUserSetWriter {

void write(QDomDocument &document, const UserSet *userSet)
{
    Writer writer(document);
    writer.writeUserSet(userSet);
}

QByteArray saveDocument(const QDomDocument &document)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The declaration is written as the document holds it; the stream
    // writer would put a line break before a processing instruction.
    for (QDomNode node = document.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isProcessingInstruction()) {
            const QDomProcessingInstruction instruction = node.toProcessingInstruction();
            buffer.write("<?" + instruction.target().toUtf8() + ' ' + instruction.data().toUtf8() + "?>");
        }
    }
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    const QDomElement root = document.documentElement();
    if (!root.isNull())
        saveElement(writer, root);
    writer.writeEndDocument();
    return bytes;
}

QByteArray toXml(const UserSet *userSet)
{
    QDomDocument document;
    write(document, userSet);
    return saveDocument(document);
}

} // namespace XmlUserSetWriter
