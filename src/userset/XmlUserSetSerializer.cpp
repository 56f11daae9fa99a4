#include "XmlUserSetSerializer.h"

#include "Logger.h"
#include "ProgramGroup.h"
#include "UserSet.h"
#include "XmlUserSetReader.h"
#include "XmlUserSetWriter.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <memory>

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
    XmlUserSetReader reader;
    const bool ok = reader.read(data, userSet);
    m_lastError = reader.errorMessage();
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
    XmlUserSetWriter::write(document, userSet);
}

QByteArray XmlUserSetSerializer::saveDocument(const QDomDocument &document)
{
    return XmlUserSetWriter::saveDocument(document);
}

QByteArray XmlUserSetSerializer::toXml(const UserSet *userSet)
{
    return XmlUserSetWriter::toXml(userSet);
}
