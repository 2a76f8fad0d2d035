// Reading a year of hourly weather and converting it into the climate of one facade.
#include <benchmark/benchmark.h>

#include "weather/fmi_test_year_reader.h"
#include "weather/surface_climate.h"

namespace {

const tamo1d::weather::WeatherSite kVantaa{60.33, 24.97, 2.0, 51.0};

void readTestYear(benchmark::State& state) {
  for (auto _ : state) {
    auto series = tamo1d::weather::readFmiTestYear(TAMO_WEATHER_DATA_DIR "/Vantaa-07.prn", kVantaa);
    benchmark::DoNotOptimize(series.hour.data());
  }
}
BENCHMARK(readTestYear)->Unit(benchmark::kMillisecond);

void convertToWall(benchmark::State& state) {
  const auto series =
      tamo1d::weather::readFmiTestYear(TAMO_WEATHER_DATA_DIR "/Vantaa-07.prn", kVantaa);
  for (auto _ : state) {
    auto climate = tamo1d::weather::surfaceClimate(series, {});
    benchmark::DoNotOptimize(climate.shortWave.data());
  }
}
BENCHMARK(convertToWall)->Unit(benchmark::kMillisecond);

void readAndConvert(benchmark::State& state) {
  for (auto _ : state) {
    const auto series =
        tamo1d::weather::readFmiTestYear(TAMO_WEATHER_DATA_DIR "/Vantaa-07.prn", kVantaa);
    auto climate = tamo1d::weather::surfaceClimate(series, {});
    benchmark::DoNotOptimize(climate.shortWave.data());
  }
}
BENCHMARK(readAndConvert)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
