// One row of the performance table: a path of the add-in, its figure, the cheapest way the
// platform does the same visible thing (measured in the same run), and their ratio. Rows are
// printed as Markdown table lines starting with "| " so that bench/run.sh can collect them.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Timings in seconds, in the order they were taken.
struct Samples {
    std::vector<double> v;

    void Add(double seconds) { v.push_back(seconds); }
    static double Median(std::vector<double> s) {
        if (s.empty()) return 0;
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
    double Median() const { return Median(v); }
    double Quantile(double q) const {
        if (v.empty()) return 0;
        std::vector<double> s = v;
        std::sort(s.begin(), s.end());
        return s[static_cast<size_t>(q * static_cast<double>(s.size() - 1) + 0.5)];
    }
    // Half the interquartile range, as a share of the median.
    double Spread() const {
        const double m = Median();
        return m > 0 ? (Quantile(0.75) - Quantile(0.25)) / 2 / m : 0;
    }
    // The medians of the first and the second half: two rounds under whatever load there was.
    double RoundMedian(int round) const {
        const auto mid = v.begin() + static_cast<long>(v.size() / 2);
        return round == 0 ? Median({v.begin(), mid}) : Median({mid, v.end()});
    }
};

// Two rounds whose medians differ by more than a fifth say the load changed under the figure.
inline bool RoundsDisagree(const Samples& s) {
    const double a = s.RoundMedian(0), b = s.RoundMedian(1);
    return a > 0 && b > 0 && std::max(a, b) / std::min(a, b) > 1.2;
}

// "152 us +-6%": the median in a readable unit, and its spread.
inline std::string Figure(const Samples& s) {
    const double m = s.Median();
    char text[64];
    if (m >= 1e-2)
        std::snprintf(text, sizeof text, "%.1f ms", m * 1e3);
    else if (m >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", m * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", m * 1e6);
    std::string out = text;
    if (s.v.size() > 1) {
        std::snprintf(text, sizeof text, " +-%.0f%%", s.Spread() * 100);
        out += text;
    }
    return out;
}

// The ratio of two figures taken side by side, sample by sample: the median of the pairs'
// ratios is steadier on a busy machine than the ratio of the medians.
inline Samples Ratios(const Samples& product, const Samples& baseline) {
    Samples r;
    for (size_t i = 0; i < product.v.size() && i < baseline.v.size(); ++i)
        if (baseline.v[i] > 0) r.Add(product.v[i] / baseline.v[i]);
    return r;
}

// | path | product | baseline | ratio | note |; a "*" after the ratio marks a figure taken
// while the load changed too much for it to mean anything.
inline void PrintRow(const std::string& path, const std::string& product,
                     const std::string& baseline, double ratio, bool busy,
                     const std::string& note = "") {
    std::printf("| %s | %s | %s | %.2fx%s | %s |\n", path.c_str(), product.c_str(),
                baseline.c_str(), ratio, busy ? " *" : "", note.c_str());
    std::fflush(stdout);
}

// A row of two timed figures taken side by side.
inline void PrintRow(const std::string& path, const Samples& product, const std::string& baseName,
                     const Samples& baseline, const std::string& note = "") {
    const Samples r = Ratios(product, baseline);
    PrintRow(path, Figure(product), baseName + " " + Figure(baseline), r.Median(),
             RoundsDisagree(product) || RoundsDisagree(baseline) || RoundsDisagree(r), note);
}

} // namespace bench
