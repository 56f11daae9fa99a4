// The Copy module's lists at scale. Each section builds its own data and
// prints its figures; the program fails when a section could not run.
//
// Filter section: 50,000 user sets in the local view, the filter typed one
// keystroke at a time ("S", "St", "Sta", "Stan"), each timed from setFilter
// to threadFinished, against a bare sequential QString::contains loop over
// the same names and against QSortFilterProxyModel::setFilterFixedString on
// a QStringListModel. Goals: a pass within one frame (16.7 ms) and at most
// 2x the bare loop.
//
// Open section: the maximal user set (20 groups of 15 programs) saved as an
// own template; opening it at load state 2 (the overview models) and asking
// for every group's programs, against one parse of its file. Goal: under 10 %
// of the parse.

#include "AllUserSetsListModel.h"
#include "CopyViewController.h"
#include "DataPaths.h"
#include "InstrumentConfiguration.h"
#include "MaximalUserSet.h"
#include "ProgramGroup.h"
#include "StringListModel.h"
#include "XmlUserSetSerializer.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QSortFilterProxyModel>
#include <QtCore/QStringListModel>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kFilterRows = 50000;
const char *const kKeystrokes[] = { "S", "St", "Sta", "Stan" };

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

/// File names as the generator and the users give them: a department or
/// procedure, a serial number, a date and time, a version.
QString realisticFileName(int i)
{
    static const char *const kNames[] = { "Standard Chirurgie", "Station 4 Urologie", "Gyn Laparoskopie",
        "HNO Tonsillektomie", "Dermatologie", "Allgemeinchirurgie", "Stand-by Notfall", "Orthopaedie Knie",
        "Gastro Polypektomie", "Thorax", "Sterilgut Test", "Urologie TUR" };
    const int count = int(sizeof(kNames) / sizeof(kNames[0]));
    return QStringLiteral("Q3_%1 %2_SN%3_%4_%5_V%6.xml")
        .arg(QLatin1String(kNames[i % count]))
        .arg(i / count)
        .arg(100000 + i % 977)
        .arg(QStringLiteral("24%1%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')))
        .arg(QStringLiteral("%1%2%3")
                 .arg(i % 24, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0'))
                 .arg((i * 7) % 60, 2, 10, QLatin1Char('0')))
        .arg(100 + i % 50);
}

bool filterSection(int runs)
{
    std::printf("== filter %d user sets ==\n", kFilterRows);
    UserSetStorage storage;
    const double buildStoreMs = timeMs([&] {
        for (int i = 0; i < kFilterRows; ++i) {
            auto *set = new UserSet(UserSet::GENERAL_TEMPLATE + i % 3);
            UserSetFileRecord record;
            record.fileName = realisticFileName(i);
            set->setFileRecord(record);
            storage.adoptUserSet(set);
        }
    });
    AllUserSetsListModel model;
    const double rebuildMs = timeMs([&] { model.setStorage(&storage); });
    model.setView(AllUserSetsListModel::LocalView, true);
    if (model.getCurrentViewCount() != kFilterRows) {
        std::fprintf(stderr, "bench_copy: the local view holds %d sets\n", model.getCurrentViewCount());
        return false;
    }
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (!model.data(model.index(row), AllUserSetsListModel::IsHeaderRole).toBool())
            names << model.data(model.index(row), AllUserSetsListModel::UserSetNameRole).toString();
    }
    std::printf("build store:               %9.1f ms\n", buildStoreMs);
    std::printf("rebuild rows:              %9.1f ms\n", rebuildMs);

    QEventLoop loop;
    QObject::connect(&model, &AllUserSetsListModel::threadFinished, &loop, &QEventLoop::quit);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });

    QStringListModel plain(names);
    QSortFilterProxyModel proxy;
    proxy.setFilterCaseSensitivity(Qt::CaseSensitive);
    proxy.setSourceModel(&plain);

    // Runs alternate with a cleared filter; within a run the text is typed
    // one keystroke at a time, as a user does.
    const int keys = int(sizeof(kKeystrokes) / sizeof(kKeystrokes[0]));
    std::vector<std::vector<double>> pass(keys), bare(keys), proxied(keys);
    std::vector<int> matches(keys, 0);
    bool ok = true;
    const auto waitForPass = [&] {
        guard.start(10000);
        if (model.isFiltering() && loop.exec() != 0)
            ok = false;
    };
    for (int run = 0; run < runs; ++run) {
        model.setFilter(QString());
        waitForPass();
        proxy.setFilterFixedString(QString());
        for (int k = 0; k < keys; ++k) {
            const QString filter = QString::fromLatin1(kKeystrokes[k]);
            pass[k].push_back(timeMs([&] {
                model.setFilter(filter);
                waitForPass();
            }));
            bare[k].push_back(timeMs([&] {
                int count = 0;
                for (const QString &name : std::as_const(names))
                    count += name.contains(filter) ? 1 : 0;
                matches[k] = count;
            }));
            proxied[k].push_back(timeMs([&] { proxy.setFilterFixedString(filter); }));
            // The headers of the local view stay visible whatever the filter says.
            if (model.getVisibleCount() != matches[k] + 3 || proxy.rowCount() != matches[k]) {
                std::fprintf(stderr, "bench_copy: \"%s\" shows %d rows, %d names match, proxy %d\n", kKeystrokes[k],
                    model.getVisibleCount(), matches[k], int(proxy.rowCount()));
                ok = false;
            }
        }
    }
    std::vector<double> allPass, allBare, allProxy;
    for (int k = 0; k < keys; ++k) {
        std::printf(
            "\"%-4s\" pass %7.2f ms (best %6.2f)  bare loop %7.2f ms (best %6.2f)  proxy %7.2f ms  (%d matches)\n",
            kKeystrokes[k], median(pass[k]), *std::min_element(pass[k].begin(), pass[k].end()), median(bare[k]),
            *std::min_element(bare[k].begin(), bare[k].end()), median(proxied[k]), matches[k]);
        allPass.insert(allPass.end(), pass[k].begin(), pass[k].end());
        allBare.insert(allBare.end(), bare[k].begin(), bare[k].end());
        allProxy.insert(allProxy.end(), proxied[k].begin(), proxied[k].end());
    }
    const double passMs = median(allPass);
    const double bareMs = median(allBare);
    const double proxyMs = median(allProxy);
    const double passBest = *std::min_element(allPass.begin(), allPass.end());
    const double bareBest = *std::min_element(allBare.begin(), allBare.end());
    std::printf("filter pass median:        %9.2f ms (goal <= 16.7 ms: %s), best %.2f ms\n", passMs,
        passMs <= 16.7 ? "met" : "MISSED", passBest);
    std::printf("bare loop median:          %9.2f ms, best %.2f ms\n", bareMs, bareBest);
    std::printf("proxy filter median:       %9.2f ms\n", proxyMs);
    std::printf("ratio pass/bare loop:      %9.2f (goal <= 2.0: %s)\n", passMs / bareMs,
        passMs <= 2.0 * bareMs ? "met" : "MISSED");
    std::printf("ratio pass/proxy:          %9.2f\n", passMs / proxyMs);
    return ok;
}

bool openSection(int runs)
{
    std::printf("== open the maximal user set ==\n");
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(
        QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini"));
    const QString user = QStringLiteral("bench");
    DataPaths::createUserDirectories(user);
    XmlUserSetSerializer serializer;
    std::unique_ptr<UserSet> maximal(MaximalUserSet::build());
    const QByteArray bytes = serializer.toXml(maximal.get());
    const QString path = DataPaths::userSetDirectory(user, UserSet::USER_TEMPLATE) + QStringLiteral("/Maximal.xml");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_copy: cannot write %s\n", qPrintable(path));
        return false;
    }
    file.close();

    std::vector<double> parses;
    for (int run = 0; run < runs; ++run) {
        UserSet set(UserSet::USER_TEMPLATE);
        parses.push_back(timeMs([&] { serializer.readFile(path, &set); }));
    }

    UserSetStorage storage;
    storage.setUserName(user);
    storage.loadAll();
    const QList<UserSet *> sets = storage.userSets(UserSet::USER_TEMPLATE);
    if (sets.size() != 1 || sets.first()->loadState() != 2) {
        std::fprintf(stderr, "bench_copy: the maximal set did not load\n");
        return false;
    }
    UserSet *set = sets.first();
    CopyViewController copy(&storage, nullptr, nullptr);
    std::vector<double> opens;
    int programs = 0;
    for (int run = 0; run < runs; ++run) {
        programs = 0;
        opens.push_back(timeMs([&] {
            copy.processUserSetSelection(set->id());
            for (const ProgramGroup *group : set->programGroups())
                programs += copy.getProgramsForPackage(set->id(), group->id())->rowCount();
        }));
    }
    const double parseMs = median(parses);
    const double openMs = median(opens);
    std::printf("maximal set:               %9.1f MB, %lld groups, %d programs\n", bytes.size() / 1e6,
        static_cast<long long>(set->programGroups().size()), programs);
    std::printf("one parse median:          %9.2f ms\n", parseMs);
    std::printf("open at load state 2:      %9.2f ms\n", openMs);
    std::printf("ratio open/parse:          %9.3f (goal < 0.10: %s)\n", openMs / parseMs,
        openMs < 0.1 * parseMs ? "met" : "MISSED");
    return programs == 300;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    // The data tree of this run is a scratch folder, never the user's own.
    QTemporaryDir scratch;
    qputenv("KELVARA_DOCUMENTS_DIR", scratch.path().toUtf8());
    bool ok = filterSection(runs);
    ok = openSection(runs) && ok;
    return ok ? 0 : 1;
}
