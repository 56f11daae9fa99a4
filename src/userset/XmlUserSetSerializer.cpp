#include "XmlUserSetSerializer.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "Logger.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtectedNameService.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QXmlStreamReader>
#include <QtCore/QXmlStreamWriter>
#include <QtXml/QDomDocument>

#include <memory>

namespace {

const QString kHybridVexType = QStringLiteral("HybridVex");
const QString kHybridVexNumber = QStringLiteral("138");
const QString kHybridVexWireType = QStringLiteral("APC_Sonde");

QString functionName(const char *name)
{
    return QStringLiteral("XmlUserSetSerializer::") + QLatin1String(name);
}

/// The file keeps the flow on the tenfold scale without decimals.
QString flowFromFile(QStringView text)
{
    if (text.contains(QLatin1Char('.')))
        return text.toString();
    bool ok = false;
    const qlonglong tenfold = text.toLongLong(&ok);
    if (!ok)
        return text.toString();
    return QString::number(double(tenfold) / 10.0, 'f', 1);
}

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

class Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_reader(data)
        , m_catalogue(InstrumentConfiguration::instance())
    {
    }

    bool parseUserSet(UserSet *set)
    {
        bool seenRoot = false;
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::DTD:
                // Entity declarations are the way to blow a small file up to
                // gigabytes; a user set never needs one.
                return fail("parseUserSet", QStringLiteral("documents with a DTD are refused"));
            case QXmlStreamReader::StartElement:
                if (m_reader.name() != QLatin1String("AnwenderSet")) {
                    // Wrapping elements are passed over token by token.
                    if (++m_depth > XmlUserSetSerializer::kMaxDepth)
                        return fail("parseUserSet", QStringLiteral("elements nested too deeply"));
                    break;
                }
                if (seenRoot)
                    return fail("parseUserSet", QStringLiteral("second AnwenderSet"));
                seenRoot = true;
                if (!parseAnwenderset(set))
                    return false;
                break;
            case QXmlStreamReader::EndElement:
                --m_depth;
                break;
            case QXmlStreamReader::Invalid:
                return invalid("parseUserSet");
            default:
                break;
            }
        }
        if (m_reader.hasError())
            return invalid("parseUserSet");
        if (!seenRoot)
            return fail("parseUserSet", QStringLiteral("no AnwenderSet element"));
        return true;
    }

    QString errorMessage() const { return m_error; }

private:
    bool fail(const char *function, const QString &message)
    {
        m_error = QStringLiteral("%1: %2 (line %3)").arg(functionName(function), message).arg(m_reader.lineNumber());
        Logger::error(m_error);
        return false;
    }

    bool invalid(const char *function)
    {
        m_error = QStringLiteral("%1: QXmlStreamReader::Invalid %2 (line %3)")
                      .arg(functionName(function), m_reader.errorString())
                      .arg(m_reader.lineNumber());
        Logger::error(m_error);
        return false;
    }

    bool warnFail(const QString &message)
    {
        m_error = message;
        Logger::warn(message);
        return false;
    }

    bool missing(const char *function, const QString &attribute)
    {
        return fail(function, QStringLiteral("missing attribute %1 in %2").arg(attribute, m_reader.name()));
    }

    /// Passes over an unknown element with everything inside it.
    bool skipElement(const char *function)
    {
        int depth = 1;
        while (depth > 0) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                if (m_depth + ++depth > XmlUserSetSerializer::kMaxDepth)
                    return fail(function, QStringLiteral("elements nested too deeply"));
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Invalid:
                return invalid(function);
            default:
                break;
            }
        }
        return true;
    }

    /// Reads up to the end of the current element; `onChild` handles each
    /// child start element and returns false on failure.
    template<typename Handler>
    bool readChildren(const char *function, Handler &&onChild)
    {
        if (++m_depth > XmlUserSetSerializer::kMaxDepth)
            return fail(function, QStringLiteral("elements nested too deeply"));
        for (;;) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::EndElement:
                --m_depth;
                return true;
            case QXmlStreamReader::StartElement:
                if (!onChild(m_reader.name()))
                    return false;
                break;
            case QXmlStreamReader::Invalid:
                return invalid(function);
            case QXmlStreamReader::EndDocument:
                return invalid(function);
            default:
                break;
            }
        }
    }

    static QString valueOr(const QXmlStreamAttributes &attributes, QLatin1String name, const QString &fallback)
    {
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.name() == name)
                return attribute.value().toString();
        }
        return fallback;
    }

    bool parseAnwenderset(UserSet *set)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        set->setLastUsedProgramGroup(valueOr(attributes, QLatin1String("ZuletztVerwendeteProgrammgruppe"), QString()));
        set->setDocumentVersion(valueOr(attributes, QLatin1String("XMLDokumententypversion"), QString()));
        int devices = 0;
        int setups = 0;
        const bool ok = readChildren("parseAnwenderset", [&](QStringView name) {
            if (name == QLatin1String("Geraet"))
                return ++devices == 1 ? parseGeraet(set) : fail("parseAnwenderset", QStringLiteral("second Geraet"));
            if (name == QLatin1String("Setup"))
                return ++setups == 1 ? parseSetup(set) : fail("parseAnwenderset", QStringLiteral("second Setup"));
            if (name == QLatin1String("Programmgruppe")) {
                auto group = std::make_unique<ProgramGroup>(set);
                if (!parseProgrammgruppe(group.get()))
                    return false;
                set->appendProgramGroup(group.release());
                return true;
            }
            return skipElement("parseAnwenderset");
        });
        if (!ok)
            return false;
        if (devices != 1 || setups != 1)
            return fail("parseAnwenderset",
                QStringLiteral("expected one Geraet and one Setup, found %1 and %2").arg(devices).arg(setups));
        return true;
    }

    bool parseGeraet(UserSet *set)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const auto &names = UserSet::deviceAttributes();
        for (int i = 0; i < UserSet::DeviceValueCount; ++i) {
            const QString &name = names[size_t(i)];
            if (!attributes.hasAttribute(name))
                return missing("parseGeraet", name);
            const QString value = attributes.value(name).toString();
            if (i == UserSet::DeviceTyp && value.isEmpty())
                return missing("parseGeraet", name);
            set->setDevice(UserSet::DeviceValue(i), value);
        }
        return readChildren("parseGeraet", [this](QStringView) { return skipElement("parseGeraet"); });
    }

    bool readSetupAttributes(UserSet *set, const QString &element, const char *function)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const auto &fields = UserSet::setupFields();
        for (int i = 0; i < UserSet::SetupValueCount; ++i) {
            const UserSet::SetupField &field = fields[size_t(i)];
            if (field.element != element)
                continue;
            const bool present = attributes.hasAttribute(field.attribute);
            const QString value = present ? attributes.value(field.attribute).toString() : field.defaultValue;
            if (field.required && value.isEmpty())
                return missing(function, field.attribute);
            set->setSetup(UserSet::SetupValue(i), value);
        }
        return true;
    }

    bool parseSetup(UserSet *set)
    {
        if (!readSetupAttributes(set, QString(), "parseSetup"))
            return false;
        static const QStringList kChildren = { QStringLiteral("Helligkeit"), QStringLiteral("Lautstaerke"),
            QStringLiteral("APC"), QStringLiteral("EVX") };
        int counts[4] = { 0, 0, 0, 0 };
        const bool ok = readChildren("parseSetup", [&](QStringView name) {
            for (int i = 0; i < kChildren.size(); ++i) {
                if (name != kChildren.at(i))
                    continue;
                if (++counts[i] > 1)
                    return fail("parseSetup", QStringLiteral("second %1").arg(kChildren.at(i)));
                return readSetupAttributes(set, kChildren.at(i), "parseSetup")
                    && readChildren("parseSetup", [this](QStringView) { return skipElement("parseSetup"); });
            }
            return skipElement("parseSetup");
        });
        if (!ok)
            return false;
        for (int i = 0; i < kChildren.size(); ++i) {
            if (counts[i] != 1)
                return fail("parseSetup", QStringLiteral("missing %1").arg(kChildren.at(i)));
        }
        return true;
    }

    bool parseProgrammgruppe(ProgramGroup *group)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        group->setName(valueOr(attributes, QLatin1String("Name"), QString()));
        group->setLastUsedProgram(valueOr(attributes, QLatin1String("ZuletztVerwendetesProgramm"), QString()));
        group->setPictogramIdentifier(
            valueOr(attributes, QLatin1String("Piktogrammidentifier"), QStringLiteral("NEUTRAL")));
        return readChildren("parseProgrammgruppe", [&](QStringView name) {
            if (name != QLatin1String("Programm"))
                return skipElement("parseProgrammgruppe");
            auto program = std::make_unique<UserProgram>(group);
            if (!parseProgramm(program.get()))
                return false;
            group->appendProgram(program.release());
            return true;
        });
    }

    bool parseProgramm(UserProgram *program)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        program->setName(valueOr(attributes, QLatin1String("Name"), QString()));
        program->setNeonatalueberwachung(
            valueOr(attributes, QLatin1String("Neonatalueberwachung"), QStringLiteral("AUS")));
        return readChildren("parseProgramm", [&](QStringView name) {
            if (name != QLatin1String("Ebene"))
                return skipElement("parseProgramm");
            auto level = std::make_unique<ProgramLevel>(program);
            if (!parseEbene(level.get()))
                return false;
            program->appendLevel(level.release());
            return true;
        });
    }

    bool parseEbene(ProgramLevel *level)
    {
        level->setName(valueOr(m_reader.attributes(), QLatin1String("Name"), QString()));
        return readChildren("parseEbene", [&](QStringView name) {
            if (name != QLatin1String("Instrument"))
                return skipElement("parseEbene");
            auto instrument = std::make_unique<Instrument>(level);
            if (!parseInstrument(instrument.get()))
                return false;
            level->appendInstrument(instrument.release());
            return true;
        });
    }

    QString modulationDefault(const QString &number) const
    {
        const InstrumentDefinition *def = m_catalogue->getInstrumentDefinitionByDatensatznummer(number);
        return def ? def->defaultModulation() : QString();
    }

    bool parseInstrument(Instrument *instrument)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QString name = valueOr(attributes, QLatin1String("Name"), QString());
        QString type = valueOr(attributes, QLatin1String("Typ"), QString());
        const QString number = valueOr(attributes, QLatin1String("Datensatznummer"), QStringLiteral("0"));
        if (type == QLatin1String("APCapplicator_biegbar"))
            type = QStringLiteral("APC_Applikator");
        if (number == kHybridVexNumber)
            type = kHybridVexType;
        instrument->setName(name);
        instrument->setInstrumentType(type);
        instrument->setDatensatznummer(number);
        const InstrumentDefinition *def = m_catalogue->findInstrumentDefinition(type);
        const QString modulation = modulationDefault(number);

        bool haveEvx = false;
        bool haveIrx = false;
        bool haveCoag = false;
        bool haveCut = false;
        const bool ok = readChildren("parseInstrument", [&](QStringView child) {
            if (child == QLatin1String("EVX") || child == QLatin1String("IRX")) {
                const bool evx = child == QLatin1String("EVX");
                const QXmlStreamAttributes values = m_reader.attributes();
                QString rate = valueOr(values, QLatin1String("OPAbsaugrate"), QString());
                if (evx && rate.isEmpty())
                    rate = QStringLiteral("60");
                const bool on = values.value(QLatin1String("EinAus")) == QLatin1String("EIN");
                evx ? instrument->setEvx(rate, on) : instrument->setIrx(rate, on);
                (evx ? haveEvx : haveIrx) = true;
                return readChildren("parseInstrument", [this](QStringView) { return skipElement("parseInstrument"); });
            }
            if (child == QLatin1String("Coag")) {
                haveCoag = true;
                return parseSide("parseCoag", instrument, instrument->coag(), def, modulation);
            }
            if (child == QLatin1String("Cut")) {
                haveCut = true;
                if (!parseSide("parseCut", instrument, instrument->cut(), def, modulation))
                    return false;
                if (instrument->datensatznummer() == kHybridVexNumber && !instrument->subInstruments().isEmpty()) {
                    // The hybrid probe cuts with its first sub-instrument's settings.
                    const CutCoag &first = instrument->subInstruments().first()->cut();
                    CutCoag &cut = instrument->cut();
                    cut.setSelektierterMode(first.selektierterMode());
                    cut.setFlow(first.flow());
                    cut.setModes(first.modes());
                }
                return true;
            }
            if (child == QLatin1String("Alias")) {
                const QXmlStreamAttributes values = m_reader.attributes();
                instrument->setAlias(valueOr(values, QLatin1String("Typ"), QString()),
                    valueOr(values, QLatin1String("Name"), QString()));
                return readChildren("parseInstrument", [this](QStringView) { return skipElement("parseInstrument"); });
            }
            return skipElement("parseInstrument");
        });
        if (!ok)
            return false;

        if (!haveEvx)
            instrument->setEvx(QStringLiteral("60"), false);
        if (!haveIrx)
            instrument->setIrx(QStringLiteral("0"), false);
        if (!haveCoag) {
            instrument->coag().setSelektierterMode(QStringLiteral("COAG_AUS"));
            if (def)
                instrument->coag().setModes(CutCoag::defaultModes(def->coagModes(), modulation));
        }
        if (!haveCut) {
            instrument->cut().setSelektierterMode(QStringLiteral("CUT_AUS"));
            if (def)
                instrument->cut().setModes(CutCoag::defaultModes(def->cutModes(), modulation));
        }
        instrument->deriveActivation();
        if (!def) {
            return warnFail(
                QStringLiteral("%1: The instrument %2 contains a wrong instrument Type. This was read from a XML File.")
                    .arg(functionName("parseInstrument"), name));
        }
        enforceProtectedName(instrument, def);
        return true;
    }

    void enforceProtectedName(Instrument *instrument, const InstrumentDefinition *def) const
    {
        const QString catalogueName = def->name(m_catalogue->isGerman());
        const QString protectedForm = ProtectedNameService::protectedPartOf(catalogueName);
        const QString name = instrument->name();
        if (protectedForm.isEmpty() || name.isEmpty())
            return;
        if (name.startsWith(protectedForm + ProtectedNameService::kSeparator))
            return;
        if (name.startsWith(protectedForm))
            instrument->setName(protectedForm + ProtectedNameService::kSeparator + name.mid(protectedForm.size()));
        else
            instrument->setName(catalogueName);
    }

    /// `Coag` or `Cut` of an instrument.
    bool parseSide(const char *function, Instrument *instrument, CutCoag &side, const InstrumentDefinition *def,
        const QString &modulation)
    {
        const bool coag = side.side() == CutCoag::Coag;
        const QXmlStreamAttributes attributes = m_reader.attributes();
        side.setAktivierungsquelle(valueOr(attributes, QLatin1String("Aktivierungsquelle"), QStringLiteral("AUS")));
        side.setSelektierterMode(valueOr(attributes, QLatin1String("SelektierterMode"),
            coag ? QStringLiteral("COAG_AUS") : QStringLiteral("CUT_AUS")));
        if (coag)
            side.setAutostop(valueOr(attributes, QLatin1String("Autostop"), QStringLiteral("AUS")));
        side.setDatensatznummer(valueOr(attributes, QLatin1String("Datensatznummer"), QString()));
        readFlow(attributes, side, def);
        QList<bool> used(instrument->subInstruments().size(), false);
        return readChildren(function, [&](QStringView child) {
            if (child == QLatin1String("Modes"))
                return parseModes(side.modes(), modulation);
            if (child == QLatin1String("SubInstrument"))
                return coag ? parseSubInstrument("parseSubInstrumentCoag", instrument, CutCoag::Coag, used)
                            : parseSubInstrument("parseSubInstrumentCut", instrument, CutCoag::Cut, used);
            return skipElement(function);
        });
    }

    static void readFlow(const QXmlStreamAttributes &attributes, CutCoag &side, const InstrumentDefinition *def)
    {
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.name() == QLatin1String("Flow")) {
                side.setFlow(flowFromFile(attribute.value()));
                return;
            }
        }
        if (def)
            side.setFlow(side.side() == CutCoag::Coag ? def->defaultCoagFlow() : def->defaultCutFlow());
    }

    bool parseSubInstrument(const char *function, Instrument *instrument, CutCoag::Side sideKind, QList<bool> &used)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QString number = valueOr(attributes, QLatin1String("Datensatznummer"), QString());
        Instrument *sub = nullptr;
        const QList<Instrument *> &subs = instrument->subInstruments();
        for (int i = 0; i < subs.size() && !sub; ++i) {
            if (!used.at(i) && subs.at(i)->datensatznummer() == number) {
                used[i] = true;
                sub = subs.at(i);
            }
        }
        const InstrumentDefinition *def = m_catalogue->getInstrumentDefinitionByDatensatznummer(number);
        if (!sub) {
            sub = new Instrument(instrument->level());
            sub->setInstrumentType(def ? def->instrumentType() : QString());
            sub->setName(def ? def->name(m_catalogue->isGerman()) : QString());
            sub->setDatensatznummer(number);
            instrument->appendSubInstrument(sub);
            used.append(true);
        }
        CutCoag &side = sideKind == CutCoag::Coag ? sub->coag() : sub->cut();
        side.setSelektierterMode(valueOr(attributes, QLatin1String("SelektierterMode"),
            sideKind == CutCoag::Coag ? QStringLiteral("COAG_AUS") : QStringLiteral("CUT_AUS")));
        if (sideKind == CutCoag::Coag)
            side.setAutostop(valueOr(attributes, QLatin1String("Autostop"), QStringLiteral("AUS")));
        side.setDatensatznummer(number);
        readFlow(attributes, side, def);
        const QString modulation = def ? def->defaultModulation() : QString();
        return readChildren(function, [&](QStringView child) {
            if (child == QLatin1String("Modes"))
                return parseModes(side.modes(), modulation);
            return skipElement(function);
        });
    }

    bool parseModes(QList<ModeType> &modes, const QString &modulation)
    {
        modes.clear();
        return readChildren("parseModes", [&](QStringView child) {
            if (child != QLatin1String("Mode"))
                return skipElement("parseModes");
            ModeType mode;
            for (const QXmlStreamAttribute &attribute : m_reader.attributes()) {
                const int field = ModeType::fieldOf(attribute.name());
                if (field >= 0)
                    mode.setValue(ModeType::Field(field), attribute.value().toString());
            }
            if (mode.modeName().isEmpty())
                return missing("parseModes", QStringLiteral("Name"));
            mode.applyDefaults(modulation);
            modes.append(mode);
            return readChildren("parseModes", [this](QStringView) { return skipElement("parseModes"); });
        });
    }

    QXmlStreamReader m_reader;
    const InstrumentConfiguration *m_catalogue;
    int m_depth = 0;
    QString m_error;
};

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

} // namespace

XmlUserSetSerializer::XmlUserSetSerializer(QObject *parent)
    : QObject(parent)
{
}

bool XmlUserSetSerializer::readFile(const QString &filePath, UserSet *userSet)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    if (!QFileInfo::exists(filePath)) {
        m_lastError = QStringLiteral("XmlUserSetSerializer::readFile: File %1 does not exist").arg(absolute);
        Logger::error(m_lastError);
        userSet->setLoaded(false);
        return false;
    }
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("XmlUserSetSerializer::readFile: Cannot open file %1 for reading").arg(absolute);
        Logger::error(m_lastError);
        userSet->setLoaded(false);
        return false;
    }
    return readBytes(file.readAll(), userSet);
}

bool XmlUserSetSerializer::readBytes(const QByteArray &data, UserSet *userSet)
{
    Reader reader(data);
    const bool ok = reader.parseUserSet(userSet);
    m_lastError = ok ? QString() : reader.errorMessage();
    if (!ok) {
        // Half a tree must never look like a usable set.
        while (!userSet->programGroups().isEmpty())
            userSet->removeProgramGroupAt(0);
    }
    userSet->setLoaded(ok);
    return ok;
}

UserSet *XmlUserSetSerializer::readData(const QByteArray &data, int userSetType)
{
    auto set = std::make_unique<UserSet>(userSetType);
    if (!readBytes(data, set.get()))
        return nullptr;
    return set.release();
}

void XmlUserSetSerializer::write(QDomDocument &document, const UserSet *userSet)
{
    Writer writer(document);
    writer.writeUserSet(userSet);
}

namespace {

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

QByteArray XmlUserSetSerializer::saveDocument(const QDomDocument &document)
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

QByteArray XmlUserSetSerializer::toXml(const UserSet *userSet)
{
    QDomDocument document;
    write(document, userSet);
    return saveDocument(document);
}
