#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstring>

namespace bench_poster {
int postSalesEvery100ms(const QString &folder);
}

// Benchmarks run headless; the register benchmarks need an application object.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The backup benchmark's second register, a program of its own.
    if (argc == 3 && std::strcmp(argv[1], "--post-sales") == 0)
        return bench_poster::postSalesEvery100ms(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
