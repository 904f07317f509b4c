#include "chart/ChartSeriesList.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "platform/Exceptions.h"

namespace drivesim {

TChartSeries& TChartSeriesList::operator[](int index) const {
  if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
  return *fItems[static_cast<std::size_t>(index)];
}

int TChartSeriesList::IndexOf(const TChartSeries& series) const {
  const auto it = std::find(fItems.begin(), fItems.end(), &series);
  return it == fItems.end() ? -1 : static_cast<int>(it - fItems.begin());
}

int TChartSeriesList::ActiveCount() const {
  return static_cast<int>(std::count_if(fItems.begin(), fItems.end(),
                                        [](const TChartSeries* s) { return s->Active(); }));
}

void TChartSeriesList::Remove(const TChartSeries& series) {
  const auto it = std::find(fItems.begin(), fItems.end(), &series);
  if (it != fItems.end()) fItems.erase(it);
}

}  // namespace drivesim
