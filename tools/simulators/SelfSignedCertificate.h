#pragma once

#include <QtNetwork/QSslCertificate>
#include <QtNetwork/QSslKey>

/// The TLS identity of a simulated peer: a self-signed certificate for
/// "localhost" made with libcrypto the first time it is needed and kept in a
/// folder outside the repository, so that no private key is ever committed.
class SelfSignedCertificate
{
public:
    /// Loads "simulator.crt"/"simulator.key" from `directory`, creating them
    /// when missing or unreadable. False (and a null pair) when that fails.
    bool loadOrCreate(const QString &directory);

    QSslCertificate certificate() const { return m_certificate; }
    QSslKey privateKey() const { return m_key; }

    /// PEM texts of a fresh RSA key and a certificate valid for ten years.
    static bool generate(QByteArray *certificatePem, QByteArray *keyPem);

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
};
