#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>

// Timing helpers and the table the benchmark prints: each figure is the median of several runs, set
// against its budget.
namespace bench {

inline double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double median(QList<double> samples) {
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n == 0 ? 0.0 : (n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2);
}

// Runs `prepare` untimed and `work` timed, `runs` times, and returns the median of the timings.
inline double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        prepare();
        samples.append(milliseconds(work));
    }
    return median(samples);
}

struct Figure {
    QString name;
    double value = 0;  // the median measured
    double budget = 0; // at most this
    QString unit;      // "ms", "x", "MB"

    double ratio() const { return budget > 0 ? value / budget : 0; }
    bool withinBudget() const { return value <= budget; }
};

class Table {
public:
    void add(const QString& name, double value, double budget, const QString& unit) {
        m_figures.append({name, value, budget, unit});
        std::printf("  %-62s %10.2f %-3s (budget %g)\n", qPrintable(name), value, qPrintable(unit), budget);
        std::fflush(stdout);
    }

    // Prints a Markdown table, ready for the README.
    bool print() const {
        bool allWithin = true;
        std::printf("\n| Figure | Median | Budget | Ratio to budget |\n|---|---:|---:|---:|\n");
        for (const Figure& f : m_figures) {
            allWithin = allWithin && f.withinBudget();
            std::printf("| %s | %.2f %s | %g %s | %.2f%s |\n", qPrintable(f.name), f.value,
                        qPrintable(f.unit), f.budget, qPrintable(f.unit), f.ratio(),
                        f.withinBudget() ? "" : " **over**");
        }
        return allWithin;
    }

private:
    QList<Figure> m_figures;
};

} // namespace bench
