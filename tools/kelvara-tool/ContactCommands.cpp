#include "ToolCommand.h"

#include "Outbox.h"
#include "SupportMail.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace {

int mailCompose(const QStringList &arguments)
{
    if (arguments.value(0) != QLatin1String("compose")) {
        toolError(QStringLiteral("mail: only 'compose' is known"));
        return 2;
    }
    SupportMail mail;
    for (int i = 1; i < arguments.size(); i += 2) {
        const QString option = arguments.at(i);
        if (i + 1 >= arguments.size()) {
            toolError(QStringLiteral("mail compose: %1 needs a value").arg(option));
            return 2;
        }
        const QString value = arguments.at(i + 1);
        bool ok = true;
        if (option == QLatin1String("--from")) {
            ok = mail.setSender(value);
        } else if (option == QLatin1String("--to")) {
            ok = mail.addRecipient(value);
        } else if (option == QLatin1String("--subject")) {
            ok = mail.setSubject(value);
        } else if (option == QLatin1String("--body")) {
            QFile body(value);
            ok = body.open(QIODevice::ReadOnly);
            mail.setBody(QString::fromUtf8(body.readAll()));
        } else if (option == QLatin1String("--attach")) {
            ok = QFileInfo(value).isFile();
            mail.addAttachment(QDir::fromNativeSeparators(value));
        } else {
            toolError(QStringLiteral("mail compose: unknown option %1").arg(option));
            return 2;
        }
        if (!ok) {
            toolError(QStringLiteral("mail compose: %1 \"%2\" is not usable").arg(option, value));
            return 1;
        }
    }
    const QByteArray mime = mail.toMime();
    if (mime.isEmpty()) {
        toolError(QStringLiteral("mail compose: --from and --to are required"));
        return 1;
    }
    toolPrint(mime);
    return 0;
}

int outbox(const QStringList &arguments)
{
    const QString verb = arguments.value(0);
    const QString path = arguments.value(1);
    if (arguments.size() != 2 || (verb != QLatin1String("list") && verb != QLatin1String("read"))) {
        toolError(QStringLiteral("outbox: list DIR | read FILE"));
        return 2;
    }
    if (verb == QLatin1String("list")) {
        const QFileInfoList entries
            = QDir(path).entryInfoList({ QStringLiteral("*.est") }, QDir::Files, QDir::Time | QDir::Reversed);
        for (const QFileInfo &entry : entries) {
            const bool wellFormed = !Outbox::idFromFileName(entry.fileName()).isEmpty();
            toolPrint(
                QStringLiteral("%1\t%2\t%3\t%4\n")
                    .arg(entry.fileName())
                    .arg(entry.size())
                    .arg(entry.lastModified().toString(Qt::ISODate), wellFormed ? QString() : QStringLiteral("foreign"))
                    .toUtf8());
        }
        return 0;
    }
    const QByteArray id = Outbox::idFromFileName(QFileInfo(path).fileName());
    if (id.isEmpty()) {
        toolError(QStringLiteral("outbox read: %1 is not a message file name").arg(path));
        return 1;
    }
    QString emlFileName;
    QByteArray mime;
    QString reason;
    if (!Outbox::readRecord(path, id, &emlFileName, &mime, &reason)) {
        toolError(QStringLiteral("outbox read: %1").arg(reason));
        return 1;
    }
    toolPrint(emlFileName.toUtf8() + '\n');
    toolPrint(mime);
    return 0;
}

const ToolCommand kMail("mail",
    "mail compose --from A --to B --subject S --body FILE [--attach FILE]...   "
    "the support message as MIME on stdout",
    mailCompose);
const ToolCommand kOutbox("outbox",
    "outbox list DIR | outbox read FILE   stored messages; read checks the digest and prints "
    "the .eml name, then the MIME bytes",
    outbox);

} // namespace
