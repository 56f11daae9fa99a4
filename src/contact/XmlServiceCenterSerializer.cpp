#include "XmlServiceCenterSerializer.h"

#include "Logger.h"
#include "SCTranslation.h"
#include "ServiceCenter.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QXmlStreamReader>

namespace {

QString attribute(const QXmlStreamReader &reader, const char *name)
{
    return reader.attributes().value(QLatin1String(name)).toString();
}

bool isStart(const QXmlStreamReader &reader, const char *name)
{
    return reader.isStartElement() && reader.name() == QLatin1String(name);
}

bool isEnd(const QXmlStreamReader &reader, const char *name)
{
    return reader.isEndElement() && reader.name() == QLatin1String(name);
}

// Reads the next token; false (with the function's error line) on a reader
// error or a premature end, so that no loop below can run past the document.
bool advance(QXmlStreamReader &reader, const char *function)
{
    if (reader.readNext() == QXmlStreamReader::Invalid || reader.atEnd()) {
        Logger::error(
            QStringLiteral("XmlServiceCenterSerializer::%1: QXmlStreamReader::Invalid").arg(QLatin1String(function)));
        return false;
    }
    return true;
}

} // namespace

bool XmlServiceCenterSerializer::parseServiceCenters(QFile &file, QList<ServiceCenter *> &serviceCenters)
{
    if (!file.exists()) {
        Logger::error(QStringLiteral("File %1 does not exist").arg(QFileInfo(file).absoluteFilePath()));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::error(QStringLiteral("Cannot open file %1 for reading").arg(QFileInfo(file).absoluteFilePath()));
        return false;
    }
    QXmlStreamReader reader(&file);
    const bool parsed = parse(reader, serviceCenters);
    file.close();
    return parsed;
}

bool XmlServiceCenterSerializer::parseServiceCenters(const QByteArray &xml, QList<ServiceCenter *> &serviceCenters)
{
    QXmlStreamReader reader(xml);
    return parse(reader, serviceCenters);
}

bool XmlServiceCenterSerializer::isValid(const QByteArray &xml)
{
    QList<ServiceCenter *> parsed;
    const bool valid = parseServiceCenters(xml, parsed);
    qDeleteAll(parsed);
    return valid;
}

bool XmlServiceCenterSerializer::parse(QXmlStreamReader &reader, QList<ServiceCenter *> &serviceCenters)
{
    int count = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::Invalid) {
            Logger::error(QStringLiteral("XmlServiceCenterSerializer::parseServiceCenters: QXmlStreamReader::Invalid"));
            return false;
        }
        if (!isStart(reader, "ServiceCenter"))
            continue;
        auto *serviceCenter = new ServiceCenter;
        if (!parseServiceCenter(reader, serviceCenter)) {
            delete serviceCenter;
            return false;
        }
        serviceCenters.append(serviceCenter);
        ++count;
    }
    return count > 0;
}

bool XmlServiceCenterSerializer::parseServiceCenter(QXmlStreamReader &reader, ServiceCenter *serviceCenter)
{
    serviceCenter->serviceCenterId = attribute(reader, "ServiceCenterId");
    serviceCenter->countryTag = attribute(reader, "CountryTag");
    serviceCenter->organization = attribute(reader, "Organization");
    serviceCenter->address1 = attribute(reader, "Address1");
    serviceCenter->address2 = attribute(reader, "Address2");
    serviceCenter->city = attribute(reader, "City");
    serviceCenter->zip = attribute(reader, "Zip");
    serviceCenter->phone = attribute(reader, "Phone");
    serviceCenter->fax = attribute(reader, "Fax");
    serviceCenter->web = attribute(reader, "Web");
    serviceCenter->email = attribute(reader, "Email");
    int details = 0;
    while (true) {
        if (!advance(reader, "parseServiceCenter"))
            return false;
        if (isEnd(reader, "ServiceCenter"))
            break;
        if (isStart(reader, "TranslatedDetails")) {
            if (!parseTranslatedDetails(reader, serviceCenter))
                return false;
            ++details;
        }
    }
    return details == 1;
}

bool XmlServiceCenterSerializer::parseTranslatedDetails(QXmlStreamReader &reader, ServiceCenter *serviceCenter)
{
    int translations = 0;
    while (true) {
        if (!advance(reader, "parseTranslatedDetails"))
            return false;
        if (isEnd(reader, "TranslatedDetails"))
            break;
        if (isStart(reader, "Translation")) {
            auto *translation = new SCTranslation(
                attribute(reader, "TranslationLanguage"), attribute(reader, "Country"), attribute(reader, "Languages"));
            serviceCenter->addTranslation(translation);
            if (!parseTranslation(reader, translation))
                return false;
            ++translations;
        }
    }
    return translations > 0;
}

bool XmlServiceCenterSerializer::parseTranslation(QXmlStreamReader &reader, SCTranslation *translation)
{
    int reachabilities = 0;
    while (true) {
        if (!advance(reader, "parseTranslation"))
            return false;
        if (isEnd(reader, "Translation"))
            break;
        if (isStart(reader, "Reachabilities")) {
            if (!parseReachabilities(reader, translation))
                return false;
            ++reachabilities;
        }
    }
    return reachabilities == 1;
}

bool XmlServiceCenterSerializer::parseReachabilities(QXmlStreamReader &reader, SCTranslation *translation)
{
    int entries = 0;
    while (true) {
        if (!advance(reader, "parseReachabilities"))
            return false;
        if (isEnd(reader, "Reachabilities"))
            break;
        if (isStart(reader, "Reachability")) {
            translation->addReachability(attribute(reader, "Days"), attribute(reader, "Hours"));
            ++entries;
        }
    }
    return entries > 0;
}
