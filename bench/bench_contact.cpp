// A support message with 20,000,000 bytes of attachments, compared with the
// bare work underneath, in the same run:
//  - composing the MIME message against reading the files, QByteArray::toBase64
//    and a 72-column fold (goal: at most 1.5x);
//  - storing it in the outbox against a bare EVP SHA-256 and a file write
//    (goal: at most 1.3x);
//  - the outbox digest alone against EVP_Digest (goal: at least 0.8x of its
//    throughput).

#include "Outbox.h"
#include "SupportMail.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>

#include <openssl/evp.h>

#include <cstdio>
#include <functional>

namespace {

constexpr qint64 kAttachmentBytes = 20000000;

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

QByteArray randomBytes(qint64 size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QByteArray bareFold(const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / 36 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += 72) {
        out.append(encoded.constData() + at, std::min<qsizetype>(72, encoded.size() - at));
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray bareSha256(const QByteArray &data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.constData(), size_t(data.size()), digest, &length, EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char *>(digest), int(length));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList names { QStringLiteral("QELO3_4711_Anwenderset.xml"), QStringLiteral("4711.flex"),
        QStringLiteral("4711.fix") };
    const qint64 sizes[] = { 2000000, 17000000, kAttachmentBytes - 19000000 };
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(names.at(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(randomBytes(sizes[i], quint32(i + 1))) != sizes[i]) {
            std::fprintf(stderr, "bench_contact: cannot write %s\n", qPrintable(path));
            return 1;
        }
        paths << path;
    }
    SupportMail mail;
    mail.setSender(QStringLiteral("service-nord@halvo.example"));
    mail.addRecipient(QStringLiteral("service@halvo-medical.example"));
    mail.setSubject(QStringLiteral("[Contact DEU] Gerät meldet Fehler 17"));
    mail.setBody(QStringLiteral("Hospital: Klinikum\nName: Eva\nPhone: 1\n\nDescription of the problem:\nFehler"));
    for (const QString &path : paths)
        mail.addAttachment(path);

    const int runs = 5;
    QByteArray mime;
    const double composeMs = bestOf(runs, [&] { mime = mail.toMime(); });
    qint64 bareBytes = 0;
    const double bareComposeMs = bestOf(runs, [&] {
        bareBytes = 0;
        for (const QString &path : paths) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bareBytes += bareFold(file.readAll()).size();
        }
    });

    const QString box = dir.filePath(QStringLiteral("outbox"));
    QDir().mkpath(box);
    const QString emlName = QStringLiteral("QELO3_4711_20261206_150405.eml");
    const double storeMs = bestOf(runs, [&] {
        QByteArray id;
        Outbox::storeRecord(box, emlName, mime, &id);
    });
    const double bareStoreMs = bestOf(runs, [&] {
        const QByteArray digest = bareSha256(mime);
        QFile file(dir.filePath(QStringLiteral("bare_") + QString::fromLatin1(digest.toHex())));
        file.open(QIODevice::WriteOnly);
        file.write(mime);
    });

    const double hashMs = bestOf(runs, [&] { Outbox::sha256(mime); });
    const double bareHashMs = bestOf(runs, [&] { bareSha256(mime); });
    const bool sameDigest = Outbox::sha256(mime) == bareSha256(mime);

    std::printf("attachments: %lld bytes, message: %lld bytes\n", static_cast<long long>(kAttachmentBytes),
        static_cast<long long>(mime.size()));
    std::printf("compose MIME message:           %8.1f ms\n", composeMs);
    std::printf(
        "bare read + toBase64 + fold:    %8.1f ms (%lld bytes)\n", bareComposeMs, static_cast<long long>(bareBytes));
    std::printf("store in outbox:                %8.1f ms\n", storeMs);
    std::printf("bare EVP SHA-256 + file write:  %8.1f ms\n", bareStoreMs);
    std::printf("outbox SHA-256:                 %8.1f ms (%.0f MB/s)\n", hashMs, mime.size() / 1e3 / hashMs);
    std::printf("bare EVP_Digest SHA-256:        %8.1f ms (%.0f MB/s, %s)\n", bareHashMs,
        mime.size() / 1e3 / bareHashMs, sameDigest ? "same digest" : "DIGESTS DIFFER");
    std::printf("compose ratio (goal <= 1.5):    %8.2f\n", composeMs / bareComposeMs);
    std::printf("store ratio (goal <= 1.3):      %8.2f\n", storeMs / bareStoreMs);
    std::printf("hash throughput ratio (goal >= 0.8): %5.2f\n", bareHashMs / hashMs);
    return sameDigest ? 0 : 1;
}
