#include "RoutingTable.h"

#include "Logger.h"
#include "MessageBase.h"

#include <QtCore/QMetaEnum>

RoutingTable::RoutingTable(const QString &peer)
    : m_peer(peer)
{
}

RoutingTable::~RoutingTable() = default;

void RoutingTable::ignoreCommands(std::initializer_list<CommandType::Value> types)
{
    for (CommandType::Value type : types)
        m_ignoredCommands.insert(type);
}

void RoutingTable::onFile(FileType::Value type, FileConsumer consumer)
{
    m_expectedFiles.insert(type);
    m_files[type].append(std::move(consumer));
}

void RoutingTable::onDownload(FileType::Value type, FileConsumer consumer)
{
    m_downloads[type].append(std::move(consumer));
}

void RoutingTable::expectFiles(std::initializer_list<FileType::Value> types)
{
    for (FileType::Value type : types)
        m_expectedFiles.insert(type);
}

void RoutingTable::ignoreFiles(std::initializer_list<FileType::Value> types)
{
    for (FileType::Value type : types)
        m_ignoredFiles.insert(type);
}

RoutingTable::Outcome RoutingTable::routeFrame(const QByteArray &frame)
{
    const qint32 type = MessageBase::peekCommandType(frame);
    const auto route = m_commands.constFind(type);
    if (route != m_commands.constEnd()) {
        // The route may be replaced while a consumer runs; keep it alive.
        const std::shared_ptr<CommandRoute> keep = route.value();
        keep->deliver(frame);
        return Outcome::Consumed;
    }
    return m_ignoredCommands.contains(type) ? Outcome::Ignored : Outcome::Invalid;
}

RoutingTable::Outcome RoutingTable::routeFile(const FileTransfer &file)
{
    return routeTo(m_files, file, false);
}

RoutingTable::Outcome RoutingTable::routeDownload(const FileTransfer &file)
{
    // Downloads start only for types somebody asked for, so a missing
    // consumer is a module not built yet, never a peer's fault.
    return routeTo(m_downloads, file, true);
}

RoutingTable::Outcome RoutingTable::routeTo(const QHash<qint32, QList<FileConsumer>> &consumers,
                                            const FileTransfer &file, bool download)
{
    const qint32 type = file.fileType();
    const auto found = consumers.constFind(type);
    if (found != consumers.constEnd()) {
        // A copy: a consumer may register further routes while it runs.
        const QList<FileConsumer> list = found.value();
        for (const FileConsumer &consumer : list) {
            if (consumer(file))
                break;
        }
        return Outcome::Consumed;
    }
    if (!download && m_ignoredFiles.contains(type))
        return Outcome::Ignored;
    if (download || m_expectedFiles.contains(type)) {
        reportUnconsumed((download ? QStringLiteral("downloaded ") : QStringLiteral("file ")) + fileTypeName(type));
        return Outcome::Unconsumed;
    }
    return Outcome::Invalid;
}

void RoutingTable::reportUnconsumed(const QString &what)
{
    if (m_reported.contains(what))
        return;
    m_reported.insert(what);
    Logger::warn(QStringLiteral("RoutingTable::route: %1 from %2 has no consumer; dropped (reported once)")
                     .arg(what, m_peer));
}

namespace {

template<typename Enum>
QString enumName(qint32 value)
{
    const char *key = QMetaEnum::fromType<Enum>().valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(value);
}

} // namespace

QString RoutingTable::commandTypeName(qint32 type)
{
    return enumName<CommandType::Value>(type);
}

QString RoutingTable::fileTypeName(qint32 type)
{
    return enumName<FileType::Value>(type);
}
