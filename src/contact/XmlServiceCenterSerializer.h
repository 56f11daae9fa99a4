#pragma once

#include <QtCore/QList>

class QByteArray;
class QFile;
class QXmlStreamReader;
class ServiceCenter;
class SCTranslation;

/// Reads the service-centre directory ("ServiceCenters" root, one
/// "ServiceCenter" per centre with exactly one "TranslatedDetails"; each
/// "Translation" with exactly one non-empty "Reachabilities").
class XmlServiceCenterSerializer
{
public:
    /// Appends every parsed centre to `serviceCenters` (the caller owns them);
    /// false when the file is missing, malformed or holds no centre.
    static bool parseServiceCenters(QFile &file, QList<ServiceCenter *> &serviceCenters);
    static bool parseServiceCenters(const QByteArray &xml, QList<ServiceCenter *> &serviceCenters);
    /// Whether `xml` is a directory that parses; nothing is kept.
    static bool isValid(const QByteArray &xml);

private:
    static bool parse(QXmlStreamReader &reader, QList<ServiceCenter *> &serviceCenters);
    static bool parseServiceCenter(QXmlStreamReader &reader, ServiceCenter *serviceCenter);
    static bool parseTranslatedDetails(QXmlStreamReader &reader, ServiceCenter *serviceCenter);
    static bool parseTranslation(QXmlStreamReader &reader, SCTranslation *translation);
    static bool parseReachabilities(QXmlStreamReader &reader, SCTranslation *translation);
};
