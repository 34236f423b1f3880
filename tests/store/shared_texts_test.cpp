#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "store/SharedTexts.h"

namespace {

// Texts of every length from 0 to past the longest shared one, enough of them to fill several
// blocks, each cut from the middle of a larger buffer (as the load cuts them from the file).
std::vector<QByteArray> ManyTexts()
{
    std::vector<QByteArray> texts;
    for (int i = 0; i < 6000; ++i) {
        const int length = i % 300;
        QByteArray text(length, Qt::Uninitialized);
        for (int k = 0; k < length; ++k) text[k] = static_cast<char>(' ' + (i * 7 + k) % 95);
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST(SharedTexts, TextsAreOrdinaryIndependentStringsThatOutliveTheirMaker)
{
    const std::vector<QByteArray> bytes = ManyTexts();
    QStringList texts;
    {
        SharedTexts shared;
        for (const QByteArray &b : bytes) {
            const QByteArray framed = "~!@" + b + "~!@";  // nothing read past the text
            texts << shared.Ascii(framed.constData() + 3, b.size());
        }
    }  // the maker is gone; the blocks live on in the texts
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString &text = texts[i];
        ASSERT_EQ(text, QString::fromLatin1(bytes[static_cast<size_t>(i)])) << i;
        ASSERT_EQ(text.utf16()[text.size()], 0) << i;  // terminated like every QString
    }

    // Changing one text leaves its neighbours in the block alone, also when it grows.
    texts[1] += QStringLiteral("appended");
    texts[2][0] = u'#';
    texts[3].prepend(u'<');
    EXPECT_EQ(texts[1], QString::fromLatin1(bytes[1]) + "appended");
    EXPECT_EQ(texts[2][0], u'#');
    EXPECT_EQ(texts[3], u'<' + QString::fromLatin1(bytes[3]));
    for (qsizetype i = 4; i < texts.size(); ++i)
        ASSERT_EQ(texts[i], QString::fromLatin1(bytes[static_cast<size_t>(i)])) << i;

    // The last text of a block, alone with it, may grow in place or move: it stays itself.
    QString survivor = texts[100];
    texts.clear();
    survivor.append(QString(70000, u'x'));
    EXPECT_EQ(survivor, QString::fromLatin1(bytes[100]) + QString(70000, u'x'));
    survivor.squeeze();
    EXPECT_EQ(survivor.size(), bytes[100].size() + 70000);
}
