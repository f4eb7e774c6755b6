#include "platform/file_filter.h"

#include <cctype>

#include <QRegularExpression>

namespace platform {

namespace {

QStringList PatternSpellings(const QString& patternList) {
    QStringList patterns;
    for (const QString& raw : patternList.split(';', Qt::SkipEmptyParts)) {
        QString pattern = raw.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
        for (const QString& spelling : {pattern, pattern.toLower(), pattern.toUpper()}) {
            if (!patterns.contains(spelling)) {
                patterns.append(spelling);
            }
        }
    }
    return patterns;
}

// The description without a trailing "(...)" listing, which Qt would otherwise take for the
// patterns in place of the real ones.
QString PlainDescription(const QString& description) {
    static const QRegularExpression trailingList(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString plain = description;
    plain.remove(trailingList);
    return plain.trimmed();
}

}  // namespace

QStringList ConvertFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = PatternSpellings(parts[i + 1]);
        if (parts[i].trimmed().isEmpty() || patterns.isEmpty()) {
            continue;
        }
        const QString description = PlainDescription(parts[i]);
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(' ')));
    }
    if (filters.isEmpty()) {
        filters.append(QStringLiteral("All files (*)"));
    }
    return filters;
}

std::string FilterMemoryKey(const std::string& filter) {
    std::string key;
    for (char c : filter.substr(0, filter.find('|'))) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            key += c;
        }
    }
    return key.empty() ? std::string("Files") : key;
}

}  // namespace platform
