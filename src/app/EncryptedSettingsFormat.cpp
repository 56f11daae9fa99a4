#include "EncryptedSettingsFormat.h"

#include "Logger.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDataStream>
#include <QtCore/QIODevice>
#include <QtCore/QMutex>
#include <QtCore/QRandomGenerator>
#include <QtCore/QtEndian>

#include <openssl/evp.h>

#include <memory>

namespace {

constexpr int kBlock = 16;
constexpr int kHeader = 20; // filler, length, checksum
constexpr int kMaxData = 0xFFFF; // what the 16-bit length field can describe

// The passphrase never sits in the binary as one string: two of its pieces are
// cut from this table, which is kept scrambled until the format is registered.
unsigned char s_table[80] = {
    84, 77, 51, 99, 117, 71, 99, 106, 94, 117, 36, 108, 91, 83, 57, 47,
    107, 80, 85, 83, 45, 53, 60, 102, 55, 45, 108, 81, 90, 91, 50, 44,
    120, 58, 96, 94, 43, 126, 52, 114, 34, 45, 107, 115, 36, 78, 106, 47,
    56, 32, 126, 98, 87, 43, 35, 62, 81, 102, 68, 43, 69, 121, 70, 114,
    42, 101, 43, 53, 84, 98, 93, 41, 105, 56, 43, 42, 41, 37, 89, 116,
};
bool s_tablePlain = false;
QMutex s_tableMutex;

void descrambleTable()
{
    QMutexLocker locker(&s_tableMutex);
    if (s_tablePlain)
        return;
    for (unsigned char &c : s_table)
        c = static_cast<unsigned char>(((c - 32 + 95 - 41) % 95) + 32);
    s_tablePlain = true;
}

QByteArray passphrase()
{
    descrambleTable();
    QByteArray phrase("Kv#Qelo3-x");
    phrase.append(reinterpret_cast<const char *>(s_table) + 17, 11);
    phrase.append(reinterpret_cast<const char *>(s_table) + 51, 8);
    return phrase;
}

QByteArray cipherKey()
{
    return QCryptographicHash::hash(passphrase(), QCryptographicHash::Md5);
}

char randomByte()
{
    const quint32 r = QRandomGenerator::global()->generate();
    return char(quint64(double(r) / 32767.0 * 255.0) & 0xFF);
}

QByteArray randomBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (char &b : bytes)
        b = randomByte();
    return bytes;
}

struct CipherDeleter {
    void operator()(EVP_CIPHER_CTX *ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

// Raw CBC over whole blocks; the plain text carries its own length and padding.
// With OpenSSL 3 every init through the legacy handle looks the
// implementation up again, and the first look-up sets up the providers.
// Fetched once, the cipher costs that once.
const EVP_CIPHER *aes128Cbc()
{
    static const EVP_CIPHER *const cipher = [] {
#if OPENSSL_VERSION_NUMBER >= 0x30000000L
        if (const EVP_CIPHER *fetched = EVP_CIPHER_fetch(nullptr, "AES-128-CBC", nullptr))
            return fetched;
#endif
        return EVP_aes_128_cbc();
    }();
    return cipher;
}

QByteArray runCipher(const QByteArray &input, const QByteArray &iv, bool encrypt)
{
    std::unique_ptr<EVP_CIPHER_CTX, CipherDeleter> ctx(EVP_CIPHER_CTX_new());
    if (!ctx || input.size() % kBlock != 0)
        return QByteArray();
    const QByteArray key = cipherKey();
    if (EVP_CipherInit_ex(ctx.get(), aes128Cbc(), nullptr,
                          reinterpret_cast<const unsigned char *>(key.constData()),
                          reinterpret_cast<const unsigned char *>(iv.constData()), encrypt ? 1 : 0) != 1)
        return QByteArray();
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    QByteArray output(input.size(), Qt::Uninitialized);
    int written = 0;
    if (EVP_CipherUpdate(ctx.get(), reinterpret_cast<unsigned char *>(output.data()), &written,
                         reinterpret_cast<const unsigned char *>(input.constData()), int(input.size())) != 1)
        return QByteArray();
    int tail = 0;
    if (EVP_CipherFinal_ex(ctx.get(), reinterpret_cast<unsigned char *>(output.data()) + written, &tail) != 1)
        return QByteArray();
    output.resize(written + tail);
    return output;
}

quint16 crc16(const QByteArray &data)
{
    return qChecksum(QByteArrayView(data));
}

} // namespace

namespace EncryptedSettingsFormat {

void prepareCipher()
{
    aes128Cbc();
}

QByteArray encryptPayload(const QByteArray &data)
{
    // A longer payload would be cut to its low 16 bits and never read back.
    if (data.size() > kMaxData)
        return QByteArray();
    QByteArray plain = randomBytes(kBlock);
    char word[2];
    qToBigEndian<quint16>(quint16(data.size()), word);
    plain.append(word, 2);
    qToBigEndian<quint16>(crc16(data), word);
    plain.append(word, 2);
    plain.append(data);
    const int padding = (kBlock - plain.size() % kBlock) % kBlock;
    plain.append(QByteArray(padding, '\0'));
    return runCipher(plain, randomBytes(kBlock), true);
}

QByteArray decryptPayload(const QByteArray &cipherText)
{
    QByteArray cipher = cipherText;
    const int padding = (kBlock - cipher.size() % kBlock) % kBlock;
    cipher.append(QByteArray(padding, '\0'));
    if (cipher.size() < kBlock)
        return QByteArray();
    // The IV only garbles the filler block, so any IV decrypts the data.
    const QByteArray plain = runCipher(cipher, QByteArray(kBlock, '\0'), false);
    if (plain.size() < kHeader)
        return QByteArray();
    const quint16 length = qFromBigEndian<quint16>(plain.constData() + 16);
    const quint16 checksum = qFromBigEndian<quint16>(plain.constData() + 18);
    if (length > plain.size() - kHeader)
        return QByteArray();
    const QByteArray data = plain.mid(kHeader, length);
    if (crc16(data) != checksum)
        return QByteArray();
    return data;
}

QByteArray encode(const QSettings::SettingsMap &map)
{
    QByteArray data;
    {
        QDataStream stream(&data, QIODevice::WriteOnly);
        stream << map;
    }
    if (data.size() > kMaxData) {
        Logger::error(QStringLiteral("EncryptedSettingsFormat::encode: settings of %1 bytes exceed the %2 bytes of the format, nothing written")
                          .arg(data.size())
                          .arg(kMaxData));
        return QByteArray();
    }
    const QByteArray cipher = encryptPayload(data);
    if (cipher.isEmpty())
        return QByteArray();
    const QByteArray text = cipher.toBase64();
    QByteArray file(4, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(text.size()), file.data());
    file.append(text);
    return file;
}

bool decode(const QByteArray &file, QSettings::SettingsMap &map)
{
    map.clear();
    if (file.size() < 4)
        return false;
    const quint32 length = qFromBigEndian<quint32>(file.constData());
    if (length > quint32(file.size() - 4))
        return false;
    const QByteArray text = file.mid(4, qsizetype(length));
    auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return false;
    const QByteArray data = decryptPayload(decoded.decoded);
    if (data.isEmpty())
        return false;
    QDataStream stream(data);
    QSettings::SettingsMap result;
    stream >> result;
    if (stream.status() != QDataStream::Ok)
        return false;
    map = result;
    return true;
}

bool readDevice(QIODevice &device, QSettings::SettingsMap &map)
{
    // Settings files are small; anything larger than the 16-bit length field
    // can describe is damaged or foreign.
    constexpr qint64 kMaxFile = 4 + 4 * ((65535 + kHeader + kBlock) / 3 + 4);
    if (device.size() > kMaxFile)
        return false;
    return decode(device.readAll(), map);
}

bool writeDevice(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Failing here makes the settings object drop its write and keep the old file.
    const QByteArray file = encode(map);
    return !file.isEmpty() && device.write(file) == file.size();
}

QSettings::Format format()
{
    static const QSettings::Format registered = [] {
        descrambleTable();
        return QSettings::registerFormat(QStringLiteral("ini"), readDevice, writeDevice, Qt::CaseSensitive);
    }();
    return registered;
}

} // namespace EncryptedSettingsFormat
