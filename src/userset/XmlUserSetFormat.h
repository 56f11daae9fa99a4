#pragma once

#include <QtCore/QString>

/// Spellings the user-set reader and writer share.
namespace XmlUserSetFormat {

/// The hybrid probe is "HybridVex" in the model and "APC_Sonde" in the file;
/// its data-set number identifies it either way.
inline const QString kHybridVexType = QStringLiteral("HybridVex");
inline const QString kHybridVexNumber = QStringLiteral("138");
inline const QString kHybridVexWireType = QStringLiteral("APC_Sonde");

} // namespace XmlUserSetFormat
