// The program editor's questions about instruments and the catalogue: names,
// sub-instruments, polarity and the instrument menus.
#include "ProgramViewController.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "InstrumentListModel.h"
#include "ProgramLevel.h"
#include "StringListElement.h"
#include "StringListModel.h"

namespace {

const QString kGreyImage = QStringLiteral("qrc:/Resources/Images/CopyModul/Instrumente/instrument_grau_%1");

const InstrumentDefinition *definitionOf(const QString &type)
{
    return InstrumentConfiguration::instance()->findInstrumentDefinition(type);
}

bool isTrue(const QString &flag)
{
    return flag.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void fillCatalogue(StringListModel *model, const QList<CatalogueEntry> &entries)
{
    for (const CatalogueEntry &entry : entries)
        model->append(new StringListElement(entry.identifier, entry.text, entry.identifier, entry.image));
}

CatalogueEntry entryOf(const InstrumentDefinition *def)
{
    return { def->instrumentType(), def->name(InstrumentConfiguration::instance()->isGerman()),
        kGreyImage.arg(def->icon()), false };
}

} // namespace

// ---------------------------------------------------------------- instrument questions

QString ProgramViewController::getInstrumentName(const QString &instrumentId) const
{
    const Instrument *named = instrument(instrumentId);
    return named ? named->effectiveName() : QString();
}

QString ProgramViewController::getInstrumentNameCheckingSubprograms(
    const QString &instrumentId, const QString &type) const
{
    if (instrumentId.isEmpty())
        return QStringLiteral("Empty");
    const Instrument *named = instrument(instrumentId);
    if (!named)
        return QString();
    // Under another type the instrument is shown with that type's name.
    const InstrumentDefinition *def = type.isEmpty() || type == named->effectiveType() ? nullptr : definitionOf(type);
    return def ? def->name(InstrumentConfiguration::instance()->isGerman()) : named->effectiveName();
}

InstrumentListModel *ProgramViewController::getSubInstrumentListForInstrument(const QString &instrumentIdRole)
{
    Instrument *parent = instrument(instrumentIdRole);
    if (!parent)
        return nullptr;
    InstrumentListModel *&model = m_subInstrumentModels[instrumentIdRole];
    if (!model)
        model = newInstrumentModel();
    model->setInstruments(parent->subInstruments());
    return model;
}

QStringList ProgramViewController::getListOfSubinstruments(const QString &parentInstrumentId) const
{
    QStringList ids;
    if (const Instrument *parent = instrument(parentInstrumentId)) {
        for (const Instrument *sub : parent->subInstruments())
            ids << sub->id();
    }
    return ids;
}

bool ProgramViewController::subInstrumentAddButtonEnabled(const QString &instrumentIdRole) const
{
    const Instrument *parent = instrument(instrumentIdRole);
    if (!parent || parent->isSubInstrument() || parent->isMarkedForDelete())
        return false;
    return hasSubInstrument(parent->effectiveType());
}

// ---------------------------------------------------------------- catalogue questions

StringListModel *ProgramViewController::getMonoInstrumentsCatalog()
{
    StringListModel *model = refill(m_monoCatalogue);
    fillCatalogue(model, InstrumentConfiguration::instance()->monopolarInstruments());
    return model;
}

StringListModel *ProgramViewController::getBipoInstrumentCatalog()
{
    StringListModel *model = refill(m_bipoCatalogue);
    fillCatalogue(model, InstrumentConfiguration::instance()->otherInstruments());
    return model;
}

StringListModel *ProgramViewController::getSubInstrumentCatalog(const QString &parentInstrumentTyp)
{
    StringListModel *model = refill(m_subCatalogue);
    const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    QList<CatalogueEntry> entries;
    for (const QString &type : catalogue->instrumentTypes()) {
        const InstrumentDefinition *def = catalogue->findInstrumentDefinition(type);
        if (def && !parentInstrumentTyp.isEmpty() && def->subinstrumentVon() == parentInstrumentTyp)
            entries << entryOf(def);
    }
    fillCatalogue(model, entries);
    return model;
}

StringListModel *ProgramViewController::getNonIOSKInstrumentsModel(bool isMono)
{
    StringListModel *model = refill(m_nonIoskModel);
    QList<CatalogueEntry> entries;
    for (const InstrumentDefinition *def : InstrumentConfiguration::instance()->nonIoskDefinitions()) {
        if (def->subinstrumentVon().isEmpty() && def->isMonopolar() == isMono)
            entries << entryOf(def);
    }
    fillCatalogue(model, entries);
    return model;
}

QStringList ProgramViewController::getNonIOSKInstrumentsList(bool isMono) const
{
    QStringList types;
    for (const InstrumentDefinition *def : InstrumentConfiguration::instance()->nonIoskDefinitions()) {
        if (def->subinstrumentVon().isEmpty() && def->isMonopolar() == isMono)
            types << def->instrumentType();
    }
    return types;
}

bool ProgramViewController::hasSubInstrument(const QString &instrumentType) const
{
    if (instrumentType.isEmpty())
        return false;
    const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    for (const QString &type : catalogue->instrumentTypes()) {
        const InstrumentDefinition *def = catalogue->findInstrumentDefinition(type);
        if (def && def->subinstrumentVon() == instrumentType)
            return true;
    }
    return false;
}

bool ProgramViewController::isParentInstrument(const QString &instrumentIdRole) const
{
    const Instrument *parent = instrument(instrumentIdRole);
    const InstrumentDefinition *def = parent ? definitionOf(parent->effectiveType()) : nullptr;
    return def && isTrue(def->isParentInstrument());
}

bool ProgramViewController::isSubInstrument(const QString &instrumentType, const QString &instrumentId) const
{
    if (const Instrument *sub = instrument(instrumentId))
        return sub->isSubInstrument();
    const InstrumentDefinition *def = definitionOf(instrumentType);
    return def && !def->subinstrumentVon().isEmpty();
}

bool ProgramViewController::isIOSKInstrument(const QString &instrumentId) const
{
    const Instrument *asked = instrument(instrumentId);
    const InstrumentDefinition *def = asked ? definitionOf(asked->effectiveType()) : nullptr;
    return def && isTrue(def->isIOSKInstrument());
}

bool ProgramViewController::isMonopolar(const QString &instrumentType) const
{
    // A type the catalogue does not know counts as monopolar, as everywhere.
    const InstrumentDefinition *def = definitionOf(instrumentType);
    return !def || def->isMonopolar();
}

bool ProgramViewController::isMonopolarId(const QString &instrumentId) const
{
    const Instrument *asked = instrument(instrumentId);
    return asked && isMonopolar(asked->effectiveType());
}

bool ProgramViewController::isBipolar(const QString &instrumentType) const
{
    const InstrumentDefinition *def = definitionOf(instrumentType);
    return def && !def->isMonopolar();
}
