// Timings of the pattern's solid: building the mesh at 1° (about 65 000
// vertices and 130 000 triangles) alone and with each file's bytes, the
// target being under 50 ms for the pair; and drawing the 2° grid (90 steps
// in θ by 180 in φ) as the shaded picture, which a window turning the solid
// by hand would draw at every frame (30 frames a second leave 33 ms).
#include "labelled/SolidPicture.h"
#include "solid/SolidFiles.h"
#include "solid/SolidMesh.h"

#include <QGuiApplication>

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

void BM_BuildSolid(benchmark::State &state)
{
    const SolidOptions options{double(state.range(0)), SolidScale::Linear, 40.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(DipoleSolid(1.5, options));
}
BENCHMARK(BM_BuildSolid)->Arg(1)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_BuildGroundSolid(benchmark::State &state)
{
    const SolidOptions options{1.0, SolidScale::Linear, 40.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, options));
}
BENCHMARK(BM_BuildGroundSolid)->Unit(benchmark::kMillisecond);

void BM_BuildAndWrite(benchmark::State &state, SolidFormat format)
{
    const SolidOptions options{1.0, SolidScale::Linear, 40.0};
    for (auto _ : state) {
        const SolidMesh mesh = DipoleSolid(1.5, options);
        benchmark::DoNotOptimize(SolidFileBytes(mesh, format, "M = 1.5"));
    }
}
BENCHMARK_CAPTURE(BM_BuildAndWrite, ply, SolidFormat::Ply)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildAndWrite, obj, SolidFormat::Obj)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildAndWrite, stl, SolidFormat::Stl)->Unit(benchmark::kMillisecond);

void BM_DrawSolid(benchmark::State &state, SolidShading shading)
{
    const SolidMesh mesh = DipoleSolid(1.5, {2.0, SolidScale::Linear, 40.0});
    SolidViewpoint view;
    view.shading = shading;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawSolid(mesh, view, QSize(800, 800)));
}
BENCHMARK_CAPTURE(BM_DrawSolid, flat, SolidShading::Flat)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawSolid, smooth, SolidShading::Smooth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks<QGuiApplication>(argc, argv);
}
