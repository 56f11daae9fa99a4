#include "XmlUpdateLogSerializer.h"

#include "Logger.h"
#include "UpdateRequest.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QXmlStreamReader>
#include <QtCore/QXmlStreamWriter>

namespace XmlUpdateLogSerializer {

namespace {

bool parse(QXmlStreamReader &reader, QList<UpdateRequest *> &list)
{
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::Invalid) {
            Logger::error(QStringLiteral("parseUpdateRequests: QXmlStreamReader::Invalid"));
            return false;
        }
        if (token != QXmlStreamReader::StartElement || reader.name() != QLatin1String("Request"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        auto *request = new UpdateRequest;
        request->Transferstatus = attributes.value(QLatin1String("Transferstatus")).toString();
        request->Datetime = attributes.value(QLatin1String("Datetime")).toString();
        request->AlteSwVersion = attributes.value(QLatin1String("AlteSwVersion")).toString();
        request->NeueSwVersion = attributes.value(QLatin1String("NeueSwVersion")).toString();
        request->Updatestatus = attributes.value(QLatin1String("Updatestatus")).toString();
        request->Seriennummer = attributes.value(QLatin1String("Seriennummer")).toString();
        request->Typ = attributes.value(QLatin1String("Typ")).toString();
        list.append(request);
    }
    return true;
}

} // namespace

bool parseUpdateRequests(const QString &filePath, QList<UpdateRequest *> &list)
{
    QFile file(filePath);
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    if (!file.exists()) {
        Logger::error(QStringLiteral("File %1 does not exist").arg(absolute));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::error(QStringLiteral("Cannot open file %1 for reading").arg(absolute));
        return false;
    }
    QXmlStreamReader reader(&file);
    return parse(reader, list);
}

bool parseUpdateRequests(const QByteArray &document, QList<UpdateRequest *> &list)
{
    QXmlStreamReader reader(document);
    return parse(reader, list);
}

QByteArray write(const QList<UpdateRequest *> &list, const QString &userName)
{
    // Written by hand: the writer's own declaration says "UTF-8", and a
    // formatted processing instruction starts with an empty line. The
    // formatting writer puts a line break before the root element.
    const QByteArray declaration("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    QByteArray body;
    QXmlStreamWriter writer(&body);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartElement(QStringLiteral("UpdateRequests"));
    writer.writeAttribute(QStringLiteral("Username"), userName);
    for (const UpdateRequest *request : list) {
        writer.writeStartElement(QStringLiteral("Request"));
        writer.writeAttribute(QStringLiteral("Transferstatus"), request->Transferstatus);
        writer.writeAttribute(QStringLiteral("Datetime"), request->Datetime);
        writer.writeAttribute(QStringLiteral("AlteSwVersion"), request->AlteSwVersion);
        writer.writeAttribute(QStringLiteral("NeueSwVersion"), request->NeueSwVersion);
        writer.writeAttribute(QStringLiteral("Updatestatus"), request->Updatestatus);
        writer.writeAttribute(QStringLiteral("Seriennummer"), request->Seriennummer);
        writer.writeAttribute(QStringLiteral("Typ"), request->Typ);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return declaration + (body.startsWith('\n') ? body : '\n' + body);
}

} // namespace XmlUpdateLogSerializer
