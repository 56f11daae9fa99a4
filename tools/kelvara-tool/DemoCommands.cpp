#include "ToolCommand.h"

#include "ChronoLogWriter.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <QtCore/QSaveFile>
#include <QtCore/QSet>
#include <QtCore/QtEndian>

#include <zip.h>

#include <algorithm>
#include <iterator>

// Demo data of the simulated peers that is too large to keep in the
// repository: firmware containers and long chrono event logs. Every output is
// a pure function of the arguments, so a rebuild gives the same bytes.

namespace {

bool parseNumber(const QString &text, qint64 minimum, qint64 maximum, qint64 *value)
{
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok && *value >= minimum && *value <= maximum;
}

// ---------------------------------------------------------------------------
// Firmware container: opaque bytes of a seeded Mersenne twister, written
// little-endian so that the bytes do not depend on the host.

int firmware(const QString &out, qint64 size, quint32 seed)
{
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly)) {
        toolError(QStringLiteral("cannot write %1").arg(out));
        return 1;
    }
    QRandomGenerator random(seed);
    QByteArray block;
    for (qint64 written = 0; written < size;) {
        const int length = int(qMin<qint64>(size - written, 64 * 1024));
        block.resize((length + 3) & ~3);
        for (int i = 0; i < block.size(); i += 4)
            qToLittleEndian<quint32>(random.generate(), block.data() + i);
        if (file.write(block.constData(), length) != length) {
            toolError(QStringLiteral("cannot write %1").arg(out));
            return 1;
        }
        written += length;
    }
    if (!file.commit()) {
        toolError(QStringLiteral("cannot write %1").arg(out));
        return 1;
    }
    return 0;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        toolError(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Zip archive through libzip. Entries carry a fixed time stamp so that the
// archive does not change from one build to the next.

int zipFiles(const QString &out, const QStringList &inputs)
{
    QFile::remove(out);
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(out).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!archive) {
        toolError(QStringLiteral("cannot create %1 (libzip error %2)").arg(out).arg(error));
        return 1;
    }
    // libzip reads the sources only when the archive is closed.
    QList<QByteArray> contents;
    for (const QString &input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            toolError(QStringLiteral("cannot read %1").arg(input));
            zip_discard(archive);
            return 1;
        }
        contents.append(file.readAll());
        const QByteArray &data = contents.last();
        zip_source_t *source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const QByteArray name = QFileInfo(input).fileName().toUtf8();
        const zip_int64_t index = source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            toolError(QStringLiteral("cannot add %1: %2").arg(input, QString::fromUtf8(zip_strerror(archive))));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            return 1;
        }
        // 24 October 2023, 08:15:32 in MS-DOS date and time fields.
        const zip_uint16_t dosTime = (8 << 11) | (15 << 5) | (32 / 2);
        const zip_uint16_t dosDate = ((2023 - 1980) << 9) | (10 << 5) | 24;
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
        zip_file_set_dostime(archive, zip_uint64_t(index), dosTime, dosDate, 0);
    }
    if (zip_close(archive) != 0) {
        toolError(QStringLiteral("cannot write %1: %2").arg(out, QString::fromUtf8(zip_strerror(archive))));
        zip_discard(archive);
        return 1;
    }
    return 0;
}

int run(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    qint64 first = 0;
    qint64 seed = 0;
    if (command == QLatin1String("firmware") && arguments.size() == 4
        && parseNumber(arguments.at(2), 1, qint64(1) << 31, &first)
        && parseNumber(arguments.at(3), 0, 0xFFFFFFFFLL, &seed)) {
        return firmware(arguments.at(1), first, quint32(seed));
    }
    if (command == QLatin1String("chrono-flex") && arguments.size() == 4
        && parseNumber(arguments.at(2), 1, 10000000, &first) && parseNumber(arguments.at(3), 0, 0xFFFFFFFFLL, &seed)) {
        return writeFile(arguments.at(1), ChronoLogWriter::write(int(first), quint32(seed))) ? 0 : 1;
    }
    if (command == QLatin1String("zip") && arguments.size() >= 3)
        return zipFiles(arguments.at(1), arguments.mid(2));
    toolError(QStringLiteral("usage: kelvara-tool demo firmware OUT SIZE SEED | demo chrono-flex OUT RECORDS SEED | "
                             "demo zip OUT FILE..."));
    return 2;
}

const ToolCommand kDemo(
    "demo", "demo firmware OUT SIZE SEED | demo chrono-flex OUT RECORDS SEED | demo zip OUT FILE...", run);

} // namespace
