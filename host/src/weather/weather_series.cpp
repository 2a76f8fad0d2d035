#include "weather/weather_series.h"

namespace tamo1d::weather {

void WeatherSeries::appendRecord(double timeStamp) {
  hour.push_back(timeStamp);
  for (std::vector<double>* column :
       {&airTemperature, &dewPoint, &relativeHumidity, &pressure, &horizontalInfrared,
        &globalHorizontal, &directNormal, &diffuseHorizontal, &windDirection, &windSpeed,
        &opaqueSkyCover, &precipitation}) {
    column->push_back(kNotGiven);
  }
}

}  // namespace tamo1d::weather
