#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QSettings>

/// The encrypted ini format that every settings file of the application uses:
/// a length-prefixed Base64 text of an AES-128-CBC cipher over a random filler,
/// a length, a CRC-16 and the QDataStream form of the settings map.
namespace EncryptedSettingsFormat {

/// Sets the cipher up; safe from any thread, and done by the first use anyway.
/// The start-up calls it on a side thread while the window system comes up.
void prepareCipher();
/// Registers the format with QSettings once and returns it.
QSettings::Format format();

/// The whole file for `map`; a fresh filler and IV every time. Empty, with an
/// error line, when the map needs more than the 16-bit length can describe.
QByteArray encode(const QSettings::SettingsMap &map);
/// Decodes a whole file. Any damage (bad length, Base64, cipher, checksum or
/// map) gives false and an empty map; no input can crash it.
bool decode(const QByteArray &file, QSettings::SettingsMap &map);

bool readDevice(QIODevice &device, QSettings::SettingsMap &map);
bool writeDevice(QIODevice &device, const QSettings::SettingsMap &map);

/// The plain text between the length prefix and the map, for diagnostics.
QByteArray encryptPayload(const QByteArray &data);
QByteArray decryptPayload(const QByteArray &cipherText);

} // namespace EncryptedSettingsFormat
