#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QSettings>
#include <QtCore/QString>

/// The readable form of a settings map: "[Group]" sections with "key=value"
/// lines, "#" or ";" comments. Values are taken literally (no quoting, no
/// lists), so "a, b" and "x|y|z" stay one text.
namespace IniText {

/// Parses the text; on a malformed line returns false and names it in `error`.
bool parse(const QByteArray &text, QSettings::SettingsMap &map, QString *error = nullptr);
QByteArray format(const QSettings::SettingsMap &map);

} // namespace IniText
