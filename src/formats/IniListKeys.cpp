#include "IniListKeys.h"

#include <algorithm>

namespace tavi::formats::IniListKeys {

QList<int> FileNumbers(const QStringList& keyNames, int limit) {
    QList<int> numbers;
    for (const QString& name : keyNames) {
        if (name.size() < 5 || !name.startsWith(QLatin1String("file"), Qt::CaseInsensitive)) {
            continue;
        }
        const QStringView digits = QStringView(name).sliced(4);
        bool ok = false;
        const int number = digits.toInt(&ok);
        if (ok && number >= 1 && number <= limit && digits == QString::number(number)) {
            numbers.append(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace tavi::formats::IniListKeys
