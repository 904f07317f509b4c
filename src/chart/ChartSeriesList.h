#pragma once
// The series a chart draws, in the order they were attached. The list refers
// to the series; they belong to whoever created them.

#include <vector>

namespace drivesim {

class TChartSeries;
class TCustomAxisPanel;

class TChartSeriesList {
 public:
  explicit TChartSeriesList(TCustomAxisPanel& chart) : fChart(chart) {}

  int Count() const { return static_cast<int>(fItems.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TChartSeries& operator[](int index) const;
  int IndexOf(const TChartSeries& series) const;
  bool Contains(const TChartSeries& series) const { return IndexOf(series) >= 0; }
  // The number of series whose Active is true.
  int ActiveCount() const;
  TCustomAxisPanel& Chart() const { return fChart; }

  std::vector<TChartSeries*>::const_iterator begin() const { return fItems.begin(); }
  std::vector<TChartSeries*>::const_iterator end() const { return fItems.end(); }

 private:
  friend class TCustomAxisPanel;
  void Add(TChartSeries& series) { fItems.push_back(&series); }
  void Remove(const TChartSeries& series);

  TCustomAxisPanel& fChart;
  std::vector<TChartSeries*> fItems;
};

}  // namespace drivesim
