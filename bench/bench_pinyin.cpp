// Pinyin initials of 100,000 company names, as the customer card and the customer list compute them.
#include "pickers/ClassPy.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

QStringList companyNames(int count) {
    const QStringList cities =
        words("北京 上海 广州 深圳 天津 重庆 杭州 南京 武汉 成都 西安 苏州 长沙 郑州 青岛 沈阳 大连 "
              "厦门 宁波 合肥 济南 福州 昆明 哈尔滨 石家庄 无锡 佛山 东莞 温州 珠海");
    const QStringList stems = words("华信 东方 宏达 金鑫 新世纪 恒通 瑞丰 博远 天成 中联 鼎盛 永安 海纳 星辰 "
                                    "润泽 嘉禾 汇丰 远航 联创 明德 凯旋 兴业 盛世 锦程 宇通 金桥 长城 万家");
    const QStringList trades =
        words("科技 贸易 电子 机械 建材 化工 物流 软件 信息技术 医药 食品 服装 文化传媒 "
              "投资 房地产开发 汽车配件 环保 教育咨询 广告 印刷");
    const QStringList suffixes =
        words("有限公司 股份有限公司 有限责任公司 （集团）有限公司 厂 商行 经营部 分公司");
    std::mt19937 random(936);
    auto pick = [&random](const QStringList& list) {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(pick(cities) + pick(stems) + pick(trades) + pick(suffixes));
    return names;
}

} // namespace

int main() {
    const int count = 100000;
    const QStringList names = companyNames(count);
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
