#pragma once

#include <QtCore/QString>

/// The password check stored in the offline credentials cache.
///
/// New entries hold a salted PBKDF2-HMAC-SHA256 verifier in the
/// self-describing form "pbkdf2-sha256$<iterations>$<salt>$<key>" (Base64
/// salt and key). Entries written by earlier versions hold the unsalted SHA-1
/// of the password as 40 hex digits; those still verify, and are replaced at
/// the user's next server login.
namespace PasswordVerifier {

constexpr int kDefaultIterations = 600000;

// create() and verify() take a good part of a second at the default work
// factor: call them off the GUI thread.

QString create(const QString &password, int iterations);
QString create(const QString &password);
bool verify(const QString &password, const QString &stored);
/// True for an entry in the old unsalted form.
bool isLegacy(const QString &stored);
/// The old form: SHA-1 of the password's Latin-1 bytes, lower-case hex.
QString legacySha1(const QString &password);

/// Iterations used by create() without an explicit count; tests lower it.
void setDefaultIterations(int iterations);
int defaultIterations();

} // namespace PasswordVerifier
