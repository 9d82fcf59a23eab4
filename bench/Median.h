#pragma once

#include <algorithm>
#include <vector>

// The median of a set of timings: machines here are noisy, so benchmarks
// quote medians rather than means.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
