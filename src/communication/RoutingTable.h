#pragma once

#include "FileTransfer.h"
#include "ProtocolTypes.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QSet>
#include <QtCore/QString>

#include <functional>
#include <memory>

/// Where one peer's messages go. Consumers register for a command type (with
/// the message class that decodes it) or for a file type; the Manager feeds
/// the table every frame of its peer. A frame is decoded once, whatever the
/// number of consumers, and consumers run in the order they registered.
///
/// A file consumer returns true when it has taken the file for itself; the
/// consumers after it then do not see it. Command consumers all run.
class RoutingTable
{
public:
    using FileConsumer = std::function<bool(const FileTransfer &)>;

    enum class Outcome {
        Consumed,   ///< at least one consumer ran
        Ignored,    ///< a type this peer may send and nobody needs
        Unconsumed, ///< a type this peer may send, but nobody has registered for it yet
        Invalid,    ///< a type this peer must not send
    };

    /// `peer` names the peer in log lines ("QELO3", "HALVO_SERVER").
    explicit RoutingTable(const QString &peer);
    ~RoutingTable();
    RoutingTable(const RoutingTable &) = delete;
    RoutingTable &operator=(const RoutingTable &) = delete;

    QString peer() const { return m_peer; }

    /// Every consumer of a command decodes it with the same class.
    template<typename Message>
    void onCommand(CommandType::Value type, std::function<void(const Message &)> consumer);
    void ignoreCommands(std::initializer_list<CommandType::Value> types);

    /// Single-message files (the body of a FileTransfer frame).
    void onFile(FileType::Value type, FileConsumer consumer);
    /// Files that a chunked download has completed on disk.
    void onDownload(FileType::Value type, FileConsumer consumer);
    /// The file types this peer may send; a valid type without a consumer is
    /// reported once, a type outside this list and the ignored ones is invalid.
    void expectFiles(std::initializer_list<FileType::Value> types);
    void ignoreFiles(std::initializer_list<FileType::Value> types);

    Outcome routeFrame(const QByteArray &frame);
    Outcome routeFile(const FileTransfer &file);
    Outcome routeDownload(const FileTransfer &file);

    bool hasCommandConsumer(qint32 type) const { return m_commands.contains(type); }
    bool hasFileConsumer(qint32 type) const { return m_files.contains(type); }
    bool hasDownloadConsumer(qint32 type) const { return m_downloads.contains(type); }

    static QString commandTypeName(qint32 type);
    static QString fileTypeName(qint32 type);

private:
    struct CommandRoute
    {
        virtual ~CommandRoute() = default;
        virtual void deliver(const QByteArray &frame) = 0;
    };
    template<typename Message>
    struct TypedCommandRoute : CommandRoute
    {
        QList<std::function<void(const Message &)>> consumers;
        void deliver(const QByteArray &frame) override
        {
            const Message message(frame);
            for (const auto &consumer : consumers)
                consumer(message);
        }
    };

    Outcome routeTo(const QHash<qint32, QList<FileConsumer>> &consumers, const FileTransfer &file, bool download);
    void reportUnconsumed(const QString &what);

    QString m_peer;
    QHash<qint32, std::shared_ptr<CommandRoute>> m_commands;
    QSet<qint32> m_ignoredCommands;
    QHash<qint32, QList<FileConsumer>> m_files;
    QHash<qint32, QList<FileConsumer>> m_downloads;
    QSet<qint32> m_expectedFiles;
    QSet<qint32> m_ignoredFiles;
    QSet<QString> m_reported;
};

template<typename Message>
void RoutingTable::onCommand(CommandType::Value type, std::function<void(const Message &)> consumer)
{
    std::shared_ptr<CommandRoute> &route = m_commands[type];
    if (!route)
        route = std::make_shared<TypedCommandRoute<Message>>();
    auto *typed = dynamic_cast<TypedCommandRoute<Message> *>(route.get());
    Q_ASSERT_X(typed, "RoutingTable::onCommand", "every consumer of a command must decode it with the same class");
    if (typed)
        typed->consumers.append(std::move(consumer));
}
