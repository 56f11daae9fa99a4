// Feeds arbitrary bytes to the user-set reader. Nothing may crash, hang or
// leak, and whatever loads must write a document that loads again.

#include "InstrumentConfiguration.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(
        QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini"));
    if (InstrumentConfiguration::instance()->definitionCount() == 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    XmlUserSetSerializer serializer;
    UserSet set(UserSet::USER_TEMPLATE);
    const bool loaded = serializer.readBytes(bytes, &set);
    if (loaded != (set.loadState() == 2))
        std::abort();
    if (!loaded) {
        if (!set.programGroups().isEmpty())
            std::abort();
        return 0;
    }
    UserSet again(UserSet::USER_TEMPLATE);
    if (!serializer.readBytes(serializer.toXml(&set), &again))
        std::abort();
    return 0;
}
