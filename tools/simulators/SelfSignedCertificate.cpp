#include "SelfSignedCertificate.h"

#include "SimulatorLog.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QSaveFile>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <memory>

namespace {

template <typename T, void (*Free)(T *)>
struct Deleter
{
    void operator()(T *p) const { Free(p); }
};
using PKeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using X509Ptr = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

QByteArray bioContents(BIO *bio)
{
    char *data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    return length > 0 ? QByteArray(data, int(length)) : QByteArray();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    // Restricted before the rename, so the key is never readable by others.
    file.setPermissions(permissions);
    return file.commit();
}

} // namespace

bool SelfSignedCertificate::generate(QByteArray *certificatePem, QByteArray *keyPem)
{
    PKeyPtr key(EVP_RSA_gen(2048));
    X509Ptr certificate(X509_new());
    if (!key || !certificate)
        return false;

    X509_set_version(certificate.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), long(QDateTime::currentSecsSinceEpoch() & 0x7fffffff));
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -24 * 3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 10L * 365 * 24 * 3600);
    X509_set_pubkey(certificate.get(), key.get());
    X509_NAME *name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("Kelvara simulators"),
                               -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("localhost"), -1, -1,
                               0);
    X509_set_issuer_name(certificate.get(), name);
    if (X509_sign(certificate.get(), key.get(), EVP_sha256()) == 0)
        return false;

    BioPtr certificateBio(BIO_new(BIO_s_mem()));
    BioPtr keyBio(BIO_new(BIO_s_mem()));
    if (!certificateBio || !keyBio || PEM_write_bio_X509(certificateBio.get(), certificate.get()) != 1
        || PEM_write_bio_PrivateKey(keyBio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return false;
    *certificatePem = bioContents(certificateBio.get());
    *keyPem = bioContents(keyBio.get());
    return !certificatePem->isEmpty() && !keyPem->isEmpty();
}

bool SelfSignedCertificate::loadOrCreate(const QString &directory)
{
    const QString certificatePath = directory + QStringLiteral("/simulator.crt");
    const QString keyPath = directory + QStringLiteral("/simulator.key");

    m_certificate = QSslCertificate(readAll(certificatePath), QSsl::Pem);
    m_key = QSslKey(readAll(keyPath), QSsl::Rsa, QSsl::Pem);
    if (!m_certificate.isNull() && !m_key.isNull())
        return true;

    QByteArray certificatePem;
    QByteArray keyPem;
    if (!QDir().mkpath(directory) || !generate(&certificatePem, &keyPem)) {
        SimulatorLog::warn(QStringLiteral("SelfSignedCertificate::loadOrCreate: cannot create a certificate in %1")
                               .arg(directory));
        return false;
    }
    if (!writeAll(keyPath, keyPem, QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || !writeAll(certificatePath, certificatePem,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther))
        SimulatorLog::warn(QStringLiteral("SelfSignedCertificate::loadOrCreate: cannot store the certificate in %1; "
                                          "using it for this run only")
                               .arg(directory));
    m_certificate = QSslCertificate(certificatePem, QSsl::Pem);
    m_key = QSslKey(keyPem, QSsl::Rsa, QSsl::Pem);
    SimulatorLog::info(QStringLiteral("SelfSignedCertificate::loadOrCreate: new self-signed certificate in %1")
                           .arg(directory));
    return !m_certificate.isNull() && !m_key.isNull();
}
