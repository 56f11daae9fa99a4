// The program editor on the maximal user set (20 groups of 15 programs of 6
// levels of 6 instruments), saved as an own template and loaded by the store.
//
// Timed, each as the median of the runs:
// - processProgramSelection, alternating between two programs so that every
//   run rebuilds the level list and the six instrument models;
// - addInstrument into a program of six levels (one slot is deleted, untimed,
//   before each run so that the limit leaves room);
// - a COAG_M6 effect change shared by two instruments of a level;
// - cancelling the program's edits, which restores the set from its file and
//   lets the editor follow, against a bare XmlUserSetSerializer read of the
//   same file.
// Goals: each edit well under one frame (16.7 ms); the cancel at most 1.2x
// the bare read.

#include "DataPaths.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "MaximalUserSet.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProgramViewController.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

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

constexpr double kFrameMs = 16.7;

bool report(const char *what, double ms)
{
    const bool met = ms < kFrameMs / 4;
    std::printf("%-34s %9.3f ms (goal well under %.1f ms: %s)\n", what, ms, kFrameMs, met ? "met" : "MISSED");
    return met;
}

bool programSection(int runs)
{
    InstrumentConfiguration::instance()->initializeInstrumentCatalog(
        QStringLiteral(":/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini"));
    const QString user = QStringLiteral("bench");
    DataPaths::createUserDirectories(user);
    XmlUserSetSerializer serializer;
    std::unique_ptr<UserSet> maximal(MaximalUserSet::build());
    const QByteArray bytes = serializer.toXml(maximal.get());
    maximal.reset();
    const QString path = DataPaths::userSetDirectory(user, UserSet::USER_TEMPLATE) + QStringLiteral("/Maximal.xml");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_program: cannot write %s\n", qPrintable(path));
        return false;
    }
    file.close();

    UserSetStorage storage;
    storage.setUserName(user);
    storage.loadAll();
    UserSet *set = storage.userSets(UserSet::USER_TEMPLATE).value(0);
    if (!set || set->loadState() != 2) {
        std::fprintf(stderr, "bench_program: the maximal set did not load\n");
        return false;
    }
    ProgramViewController editor(nullptr, &storage, nullptr);
    auto programAt = [&](int group, int program) { return set->programGroups().at(group)->programs().at(program); };
    auto select = [&](int group, int program) {
        editor.processProgramSelection(
            set->id(), set->programGroups().at(group)->id(), programAt(group, program)->id());
    };

    std::vector<double> selections;
    for (int run = 0; run < runs; ++run)
        selections.push_back(timeMs([&] { select(run % 2, run % 3); }));

    select(0, 0);
    UserProgram *program = programAt(0, 0);
    std::vector<double> adds;
    for (int run = 0; run < runs; ++run) {
        editor.deleteInstrument(program->levels().first()->instruments().last()->id());
        adds.push_back(timeMs([&] { editor.addInstrument(QStringLiteral("MonoKugel"), QString(), 5, 0); }));
    }
    const bool added = program->levels().size() == 6 && program->levels().last()->instruments().size() == 6;

    // Two instruments of the first level work in COAG_M6.
    ProgramLevel *level = program->levels().first();
    for (int position : { 4, 5 }) {
        editor.setInstrumentType(level->instruments().at(position)->id(), QStringLiteral("MonoKugel"), true);
        editor.setCurrentCoagMode(level->instruments().at(position)->id(), QStringLiteral("COAG_M6"), position);
    }
    std::vector<double> effects;
    for (int run = 0; run < runs; ++run) {
        const double value = 2.0 + run % 5;
        effects.push_back(timeMs(
            [&] { editor.setCoagEffect(level->instruments().at(5)->id(), QStringLiteral("COAG_M6"), 0, value, 5); }));
    }
    const ModeType *first = level->instruments().at(4)->coag().findMode(QStringLiteral("COAG_M6"));
    const ModeType *second = level->instruments().at(5)->coag().findMode(QStringLiteral("COAG_M6"));
    const bool shared = first && second && first->effekt() == second->effekt();

    std::vector<double> reads;
    std::vector<double> cancels;
    bool restored = true;
    for (int run = 0; run < runs; ++run) {
        UserSet bare(UserSet::USER_TEMPLATE);
        reads.push_back(timeMs([&] { serializer.readFile(path, &bare); }));
        select(0, 0);
        UserProgram *open = programAt(0, 0);
        editor.renameProgramLevel(open->levels().first()->id(), QStringLiteral("Bench %1").arg(run), 0);
        const bool edited = set->isModified();
        cancels.push_back(timeMs([&] { storage.reloadUserSet(set); }));
        restored = restored && edited && !set->isModified()
            && programAt(0, 0)->levels().first()->name() != QStringLiteral("Bench %1").arg(run);
    }

    const double readMs = median(reads);
    const double cancelMs = median(cancels);
    std::printf("== the program editor on the maximal user set (%.1f MB) ==\n", bytes.size() / 1e6);
    bool ok = report("processProgramSelection", median(selections));
    ok = report("addInstrument across six levels", median(adds)) && ok;
    ok = report("COAG_M6 effect change", median(effects)) && ok;
    std::printf("%-34s %9.3f ms\n", "bare XmlUserSetSerializer read", readMs);
    std::printf("%-34s %9.3f ms\n", "cancel (set restored from file)", cancelMs);
    std::printf("%-34s %9.3f (goal <= 1.20: %s)\n", "ratio cancel/read", cancelMs / readMs,
        cancelMs <= 1.2 * readMs ? "met" : "MISSED");
    if (!added || !shared || !restored)
        std::fprintf(stderr, "bench_program: an edit did not take effect\n");
    return ok && added && shared && restored && cancelMs <= 1.2 * readMs;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    // The data tree of this run is a scratch folder, never the user's own.
    QTemporaryDir scratch;
    qputenv("KELVARA_DOCUMENTS_DIR", scratch.path().toUtf8());
    return programSection(runs) ? 0 : 1;
}
