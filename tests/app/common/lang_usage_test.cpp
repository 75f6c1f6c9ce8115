#include "language.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Every text number the program's code names directly must have a text:
// a blank entry would show an empty caption or message.
TEST(LangUsage, EveryTextTheCodeNamesIsNotBlank)
{
    Load_Default_Language();
    const QString root = QStringLiteral(ORVANO_SOURCE_DIR);
    const QRegularExpression use(QStringLiteral(R"((?:\bLang|\bLangTable)\s*[\(\[]\s*(\d+)\s*[\)\]])"));
    QSet<int> used;
    int files = 0;
    for (const char* folder : {"app", "params", "build", "editors", "generators", "mbus", "controls"}) {
        QDirIterator it(root + QLatin1Char('/') + QLatin1String(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            ++files;
            const QString text = QString::fromUtf8(f.readAll());
            auto matches = use.globalMatch(text);
            while (matches.hasNext()) {
                const int n = matches.next().captured(1).toInt();
                used.insert(n);
                EXPECT_LT(n, LangTableSize) << it.filePath().toStdString();
                EXPECT_FALSE(Lang(n).trimmed().isEmpty())
                    << "text " << n << " used in " << it.filePath().toStdString() << " is blank";
            }
        }
    }
    EXPECT_GT(files, 20);
    EXPECT_GT(used.size(), 50);
}

} // namespace
