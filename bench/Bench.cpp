// Рационик's benchmark. Without arguments it drives the measurements: start-ups of the program
// and of a one-label baseline in alternating child processes, then keystrokes and the ration
// table in one more child; when valgrind is there, one start-up of each once more under
// callgrind, counting instructions to the first paint. It prints one table and writes the same
// figures as JSON.
#include "Extended.h"
#include "Interaction.h"
#include "StartupProbe.h"
#include "Statistics.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {
double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QString Self() {
    return QCoreApplication::applicationFilePath();
}

// One start-up: milliseconds from starting the process to the end of its first paint, and the
// peak RSS in MB at that moment.
bool StartOnce(const QString& mode, double& ms, double& rssMb) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double started = MonotonicMs();
    child.start(Self(), {mode});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) return false;
    const QList<QByteArray> fields = child.readAllStandardOutput().simplified().split(' ');
    if (fields.size() != 2) return false;
    ms = fields[0].toDouble() - started;
    rssMb = fields[1].toDouble() / 1024.0;
    return true;
}

// Instructions from starting the process to the end of its first paint, counted by callgrind,
// which does not move with the machine's load; 0 without valgrind.
double CountInstructions(const QString& mode) {
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    QTemporaryDir dir;
    if (valgrind.isEmpty() || !dir.isValid()) return 0;
    const QString out = dir.filePath(QStringLiteral("callgrind.out"));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(valgrind, {QStringLiteral("--tool=callgrind"), QStringLiteral("--quiet"),
                           QStringLiteral("--dump-before=StartupProbeFirstPaintDone"),
                           QStringLiteral("--callgrind-out-file=") + out, Self(), mode});
    if (!child.waitForFinished(300000) || child.exitCode() != 0) return 0;
    QFile dump(out + QStringLiteral(".1")); // the first dump: up to the end of the first paint
    if (!dump.open(QIODevice::ReadOnly)) return 0;
    while (!dump.atEnd()) {
        const QByteArray line = dump.readLine().trimmed();
        if (line.startsWith("summary:")) return line.mid(8).trimmed().toDouble();
    }
    return 0;
}

using Series = std::map<std::string, std::vector<double>>;

QJsonObject ToJson(const Summary& s) {
    return {{QStringLiteral("median"), s.median},
            {QStringLiteral("min"), s.min},
            {QStringLiteral("max"), s.max},
            {QStringLiteral("p99"), s.p99},
            {QStringLiteral("count"), s.count}};
}

int Drive(int runs, const QString& jsonPath) {
    Series series;
    for (int run = 0; run < runs; ++run) // alternating, so that both see the same machine state
        for (const char* mode : {"--startup-program", "--startup-baseline"}) {
            double ms = 0, rss = 0;
            if (!StartOnce(QString::fromLatin1(mode), ms, rss)) {
                std::fprintf(stderr, "start-up run %s failed\n", mode);
                return 1;
            }
            const std::string who =
                std::strcmp(mode, "--startup-program") == 0 ? "program" : "baseline";
            series["startup-" + who + " ms"].push_back(ms);
            series["peak-rss-" + who + " MB"].push_back(rss);
        }

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(Self(), {QStringLiteral("--interaction")});
    if (!child.waitForFinished(300000) || child.exitCode() != 0) {
        std::fprintf(stderr, "interaction run failed\n");
        return 1;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2) continue;
        std::vector<double>& values = series[fields[0].toStdString() + " ms"];
        for (qsizetype i = 1; i < fields.size(); ++i)
            values.push_back(fields[i].toDouble());
    }

    const QString platform = QGuiApplication::platformName().isEmpty()
                                 ? qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb"))
                                 : QGuiApplication::platformName();
    std::printf("Рационик benchmark, platform %s, %d start-ups each\n", qPrintable(platform), runs);
    std::printf("%-26s %10s %10s %10s %10s %6s\n", "measurement", "median", "min", "max", "p99",
                "n");
    QJsonObject json;
    for (const auto& [name, values] : series) {
        const Summary s = Summarise(values);
        std::printf("%-26s %10.3f %10.3f %10.3f %10.3f %6d\n", name.c_str(), s.median, s.min, s.max,
                    s.p99, s.count);
        json.insert(QString::fromStdString(name), ToJson(s));
    }
    const Summary program = Summarise(series["startup-program ms"]);
    const Summary baseline = Summarise(series["startup-baseline ms"]);
    const double ratio = program.median / baseline.median;
    const double rssExtra = Summarise(series["peak-rss-program MB"]).median -
                            Summarise(series["peak-rss-baseline MB"]).median;
    std::printf("start-up ratio program/baseline (medians): %.2f   (target <= 1.5)\n", ratio);
    std::printf("peak RSS over the baseline (medians): %.1f MB   (target <= 15)\n", rssExtra);
    const double programInstructions = CountInstructions(QStringLiteral("--startup-program"));
    const double baselineInstructions = CountInstructions(QStringLiteral("--startup-baseline"));
    if (programInstructions > 0 && baselineInstructions > 0) {
        std::printf("instructions to the first paint (callgrind): program %.1f M, baseline %.1f M, "
                    "ratio %.2f   (target <= 2.1)\n",
                    programInstructions / 1e6, baselineInstructions / 1e6,
                    programInstructions / baselineInstructions);
        json.insert(QStringLiteral("instructions-program M"), programInstructions / 1e6);
        json.insert(QStringLiteral("instructions-baseline M"), baselineInstructions / 1e6);
    } else {
        std::printf("instructions to the first paint: not counted (no valgrind)\n");
    }
    const double recomputeUs = Summarise(series["model-recompute ms"]).median * 1000.0;
    std::printf("model recomputation (median): %.1f us on the %s path   (target <= 50)\n",
                recomputeUs, RATSIONIK_NATIVE_EXTENDED ? "x87" : "SoftExtended");
    json.insert(QStringLiteral("startup-ratio"), ratio);
    json.insert(QStringLiteral("peak-rss-extra MB"), rssExtra);
    json.insert(QStringLiteral("model-recompute us"), recomputeUs);
    json.insert(QStringLiteral("platform"), platform);

    QFile file(jsonPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QJsonDocument(json).toJson());
    std::printf("written %s\n", qPrintable(jsonPath));
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--startup-program") return RunStartupProbe(argc, argv, false);
    if (mode == "--startup-baseline") return RunStartupProbe(argc, argv, true);
    if (mode == "--interaction") return RunInteraction(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    const QString json = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench.json");
    return Drive(runs, json);
}
