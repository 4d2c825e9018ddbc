#pragma once
#include <vector>

// Wall times in milliseconds, kept in storage reserved before the timed frames.
class Timings {
  public:
    explicit Timings(int frames);
    void add(double milliseconds) { times.push_back(milliseconds); }
    // Empty again, the storage kept.
    void clear() { times.clear(); }
    double median() const { return percentile(50); }
    double p90() const { return percentile(90); }

  private:
    // The nearest-rank percentile; 0 when nothing was measured.
    double percentile(int p) const;
    std::vector<double> times;
};
