#pragma once

#include <QtNetwork/QSslConfiguration>

namespace KelvaraTest {

/// A server configuration with a fresh self-signed certificate for
/// 127.0.0.1, made with libcrypto, so TLS tests need no files on disk.
/// A null configuration when the TLS backend is missing.
QSslConfiguration selfSignedServerConfiguration();

} // namespace KelvaraTest
