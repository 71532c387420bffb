// Pinyin initials of 100,000 company names, as the customer card and the customer list compute them.
#include "core/ClassPy.h"
#include "tests/fixtures/SampleData.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdio>

int main() {
    const int count = 100000;
    const QStringList names = SampleData::companyNames(count);
    qsizetype characters = 0;
    for (const QString& name : names)
        characters += name.size();

    using Clock = std::chrono::steady_clock;
    const auto firstStart = Clock::now();
    const QString first = ClassPy().MSPYReverse(names.first(), 0, QString()).toUpper();
    const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();

    const auto start = Clock::now();
    qsizetype letters = 0;
    for (const QString& name : names)
        letters +=
            ClassPy().MSPYReverse(name, 0, QString()).toUpper().size(); // one object per call, as callers do
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::printf("first call (loads the code table): %.2f ms (%s -> %s)\n", firstMs,
                names.first().toUtf8().constData(), first.toUtf8().constData());
    std::printf("%d names, %lld characters, %lld result characters in %.3f s\n", count,
                static_cast<long long>(characters), static_cast<long long>(letters), seconds);
    std::printf("%.0f names per second\n", count / seconds);
    return 0;
}
