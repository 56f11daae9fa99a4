#include "PasswordVerifier.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QRandomGenerator>
#include <QtCore/QRegularExpression>
#include <QtCore/QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <atomic>

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
constexpr int kMaxIterations = 10000000;
std::atomic_int s_defaultIterations{PasswordVerifier::kDefaultIterations};

QByteArray derive(const QString &password, const QByteArray &salt, int iterations)
{
    QByteArray secret = password.toUtf8();
    QByteArray key(kKeyBytes, Qt::Uninitialized);
    const bool ok = PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()),
                                      reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                                      iterations, EVP_sha256(), kKeyBytes, reinterpret_cast<unsigned char *>(key.data()))
                    == 1;
    // The login keeps the typed password in one place only; no copy stays behind here.
    OPENSSL_cleanse(secret.data(), size_t(secret.size()));
    return ok ? key : QByteArray();
}

bool constantTimeEqual(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() && !a.isEmpty() && CRYPTO_memcmp(a.constData(), b.constData(), size_t(a.size())) == 0;
}

} // namespace

namespace PasswordVerifier {

QString create(const QString &password, int iterations)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), kSaltBytes / 4);
    const QByteArray key = derive(password, salt, iterations);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kScheme)
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(key.toBase64()));
}

QString create(const QString &password)
{
    return create(password, s_defaultIterations);
}

bool isLegacy(const QString &stored)
{
    static const QRegularExpression sha1Hex(QStringLiteral("^[0-9a-f]{40}$"));
    return sha1Hex.match(stored).hasMatch();
}

QString legacySha1(const QString &password)
{
    QByteArray secret = password.toLatin1();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(secret, QCryptographicHash::Sha1).toHex());
    OPENSSL_cleanse(secret.data(), size_t(secret.size()));
    return hash;
}

bool verify(const QString &password, const QString &stored)
{
    if (isLegacy(stored))
        return constantTimeEqual(legacySha1(password).toLatin1(), stored.toLatin1());
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != kScheme)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    // A damaged entry must not make a login spin for minutes.
    if (!ok || iterations < 1 || iterations > kMaxIterations)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts.at(3).toLatin1());
    return constantTimeEqual(derive(password, salt, iterations), key);
}

void setDefaultIterations(int iterations) { s_defaultIterations = iterations; }
int defaultIterations() { return s_defaultIterations; }

} // namespace PasswordVerifier
