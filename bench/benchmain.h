// The shared main of the form benchmarks: an offscreen application with one
// shown main window, prepared by the benchmark, then the registered benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

#include "app/baseform.h"

inline int RunFormBenchmarks(int argc, char** argv, TBaseForm*& form,
                             const std::function<void(TBaseForm&)>& prepare = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TBaseForm window;
    form = &window;
    window.resize(1024, 768);
    window.show();
    if (prepare) prepare(window);
    QCoreApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
