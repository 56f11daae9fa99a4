#include "ToolCommand.h"

#include "FileSystem.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "MaximalUserSet.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QFile>

#include <memory>

namespace {

struct Counts
{
    int groups = 0;
    int programs = 0;
    int levels = 0;
    int instruments = 0;
    int subInstruments = 0;
};

Counts countTree(const UserSet &set)
{
    Counts counts;
    for (const ProgramGroup *group : set.programGroups()) {
        ++counts.groups;
        for (const UserProgram *program : group->programs()) {
            ++counts.programs;
            for (const ProgramLevel *level : program->levels()) {
                ++counts.levels;
                for (const Instrument *instrument : level->instruments()) {
                    ++counts.instruments;
                    counts.subInstruments += int(instrument->subInstruments().size());
                }
            }
        }
    }
    return counts;
}

/// Takes "--catalogue PATH" (or $KELVARA_CATALOGUE) out of the arguments and
/// loads it: an encrypted catalogue, or its readable source ending in ".txt".
bool loadCatalogue(QStringList &arguments)
{
    QString path = qEnvironmentVariable("KELVARA_CATALOGUE");
    const int at = int(arguments.indexOf(QStringLiteral("--catalogue")));
    if (at >= 0) {
        if (at + 1 >= arguments.size()) {
            toolError(QStringLiteral("--catalogue needs a file"));
            return false;
        }
        path = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (path.isEmpty()) {
        toolError(QStringLiteral("no instrument catalogue given (--catalogue FILE); every instrument type is unknown"));
        return true;
    }
    InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    const bool ok = path.endsWith(QLatin1String(".txt"))
        ? catalogue->initializeInstrumentCatalogFromText(FileSystem::getFileContents(path))
        : catalogue->initializeInstrumentCatalog(path);
    if (!ok || catalogue->definitionCount() == 0) {
        toolError(QStringLiteral("cannot read the instrument catalogue %1").arg(path));
        return false;
    }
    return true;
}

bool writeOut(const QString &path, const QByteArray &data)
{
    if (!FileSystem::saveByteArrayToFile(path, data)) {
        toolError(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

int check(const QString &path)
{
    XmlUserSetSerializer serializer;
    UserSet set(UserSet::USER_TEMPLATE);
    const bool ok = serializer.readFile(path, &set);
    const Counts counts = countTree(set);
    toolPrint(QStringLiteral("file: %1\nload state: %2\n").arg(path).arg(set.loadState()).toUtf8());
    if (!ok) {
        toolError(QStringLiteral("%1 does not load: %2").arg(path, serializer.lastError()));
        return 1;
    }
    toolPrint(QStringLiteral("device: %1 %2 serial %3 software %4\n"
                             "groups: %5\nprograms: %6\nlevels: %7\ninstruments: %8\nsub-instruments: %9\n")
                  .arg(set.device(UserSet::DeviceName), set.device(UserSet::DeviceTyp),
                      set.device(UserSet::Seriennummer), set.device(UserSet::Softwareversion))
                  .arg(counts.groups)
                  .arg(counts.programs)
                  .arg(counts.levels)
                  .arg(counts.instruments)
                  .arg(counts.subInstruments)
                  .toUtf8());
    return 0;
}

int roundtrip(const QString &in, const QString &out)
{
    XmlUserSetSerializer serializer;
    UserSet set(UserSet::USER_TEMPLATE);
    if (!serializer.readFile(in, &set)) {
        toolError(QStringLiteral("%1 does not load: %2").arg(in, serializer.lastError()));
        return 1;
    }
    return writeOut(out, serializer.toXml(&set)) ? 0 : 1;
}

int maximal(const QString &out)
{
    std::unique_ptr<UserSet> set(MaximalUserSet::build());
    XmlUserSetSerializer serializer;
    return writeOut(out, serializer.toXml(set.get())) ? 0 : 1;
}

int run(const QStringList &given)
{
    QStringList arguments = given;
    const QString usage = QStringLiteral(
        "usage: kelvara-tool userset check FILE | roundtrip IN OUT | maximal OUT  [--catalogue CATALOGUE]");
    if (arguments.isEmpty()) {
        toolError(usage);
        return 2;
    }
    if (!loadCatalogue(arguments))
        return 1;
    const QString command = arguments.value(0);
    if (command == QLatin1String("check") && arguments.size() == 2)
        return check(arguments.at(1));
    if (command == QLatin1String("roundtrip") && arguments.size() == 3)
        return roundtrip(arguments.at(1), arguments.at(2));
    if (command == QLatin1String("maximal") && arguments.size() == 2)
        return maximal(arguments.at(1));
    toolError(usage);
    return 2;
}

const ToolCommand kUserset(
    "userset", "userset check FILE | roundtrip IN OUT | maximal OUT  [--catalogue CATALOGUE(.ini|.ini.txt)]", run);

} // namespace
