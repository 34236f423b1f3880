// screens.ini and the saved-screen list: round trip, hand edits, damage, and nothing lost.
#include <gtest/gtest.h>

#include <QFile>

#include "TempProgramFolder.h"
#include "app/SavedScreens.h"
#include "platform/SafeFile.h"

namespace {

SavedScreen Screen(const QString &name, double min, double max,
                   std::initializer_list<std::pair<ScreenField, FieldBound>> set = {})
{
    SavedScreen s{name, {}};
    s.Bounds.PriceMin = min;
    s.Bounds.PriceMax = max;
    for (const auto &[field, bound] : set) s.Bounds[field] = bound;
    return s;
}

TEST(ScreensFile, EveryBoundSurvivesTheRoundTripAndHandEditsRead)
{
    using F = ScreenField;
    const std::vector<SavedScreen> screens = {
        Screen("Cheap value", 0.5, 1.5, {{F::PE, {10.0, 25.0}}}),
        Screen(QString::fromUtf8("Bänder [neu] = gut"), 0, 5,
               {{F::MarketCap, {0.0, 1e6}},
                {F::Beta, {-1.25, {}}},
                {F::PB, {{}, 0.1}},
                {F::PS, {1.0 / 3, 2.0 / 3}}}),
        Screen("no bounds", 0, 0),
    };
    const QString text = ScreensFile::Text(screens);
    EXPECT_TRUE(
        text.contains("\r\n[Cheap value]\r\nMinPrice=0.5\r\nMaxPrice=1.5\r\nMinPE=10\r\n"
                      "MaxPE=25\r\n"))
        << text.toStdString();
    const ScreensFile::Contents back = ScreensFile::Parse(text.toUtf8());
    EXPECT_EQ(back.Damage, "");
    EXPECT_EQ(back.Screens, screens);

    // What a user might type in an editor: LF endings, a BOM, blanks, comments, any case.
    const ScreensFile::Contents edited = ScreensFile::Parse(
        "\xEF\xBB\xBF# mine\n\n[ Cheap value ]\n  minprice = 0.5\nMAXPRICE=1.5\nMinPE=10\n"
        "maxpe = 25 \nMinBeta=\n; done\n");
    EXPECT_EQ(edited.Damage, "");
    EXPECT_EQ(edited.Screens, std::vector<SavedScreen>{screens[0]});
    EXPECT_TRUE(ScreensFile::Parse("").Screens.empty());
    EXPECT_EQ(ScreensFile::Parse("").Damage, "");
}

TEST(ScreensFile, AnythingElseDamagesTheWholeFile)
{
    const QByteArray good = "[A]\r\nMinPrice=0\r\nMaxPrice=5\r\n";
    const struct {
        QByteArray text;
        const char *damage;
    } cases[] = {
        {good + "garbage\r\n", "line 4: \"garbage\" is neither a [name] nor a key=value line"},
        {"MinPrice=1\r\n" + good, "line 1: \"MinPrice=1\" comes before the first [name]"},
        {good + "MinPE=ten\r\n", "line 4: MinPE \"ten\" is not a number"},
        {good + "MinPE=nan\r\n", "line 4: MinPE \"nan\" is not a number"},
        {good + "MaxPE=1e400\r\n", "line 4: MaxPE \"1e400\" is not a number"},
        {good + "MinPE=1,5\r\n", "line 4: MinPE \"1,5\" is not a number"},
        {good + "MinVolume=3\r\n", "line 4: \"MinVolume\" is no key of a screen"},
        {good + "minprice=1\r\n", "line 4: MinPrice a second time"},
        {good + "MinMarketCap=-1\r\n", "line 4: MinMarketCap \"-1\" is below 0"},
        {good + "MinBeta=2\r\nMaxBeta=1\r\n",
         "line 1: in the screen \"A\" MinBeta is above MaxBeta"},
        {good + "[a]\r\n", "line 4: a second screen named \"a\""},
        {"[]\r\n", "line 1: a screen needs a name"},
        {"[A]\r\nMinPrice=0\r\n[B]\r\n",
         "line 1: the screen \"A\" needs both MinPrice and MaxPrice"},
        {"[A]\r\nMinPrice=\r\nMaxPrice=5\r\n", "line 2: MinPrice \"\" is not a number"},
        {"[A\xFF]\r\nMinPrice=0\r\nMaxPrice=5\r\n", "the file is not UTF-8 text"},
        {"[" + QByteArray(61, 'x') + "]\r\n", "line 1: a screen's name has at most 60 characters"},
    };
    for (const auto &t : cases) {
        const ScreensFile::Contents c = ScreensFile::Parse(t.text);
        EXPECT_EQ(c.Damage, t.damage) << t.text.toStdString();
        EXPECT_TRUE(c.Screens.empty());
    }
    EXPECT_EQ(ScreensFile::NameProblem("two\nlines"),
              "a screen's name cannot hold a line break or a tab");
}

TEST(SavedScreens, SaveReplaceDeleteAndADamagedFileKeptUntilTheNextSave)
{
    TempProgramFolder folder;
    const QString file = QStringLiteral("screens.ini");
    EXPECT_EQ(ScreensFile::Path(), folder.File(file));

    SavedScreens list;
    list.Load();
    EXPECT_TRUE(list.Screens().empty());
    EXPECT_EQ(list.Damage(), "");

    ASSERT_TRUE(list.Save(Screen("Penny", 0, 1)));
    ASSERT_TRUE(list.Save(Screen("bargain", 1, 2, {{ScreenField::PE, {5.0, 10.0}}})));
    ASSERT_TRUE(list.Save(Screen("PENNY", 0, 0.5)));  // the same name, in other letters
    SavedScreens reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Screens(),
              (std::vector<SavedScreen>{Screen("bargain", 1, 2, {{ScreenField::PE, {5.0, 10.0}}}),
                                        Screen("PENNY", 0, 0.5)}));
    ASSERT_NE(reloaded.Find("penny"), nullptr);
    EXPECT_EQ(reloaded.Find("penny")->Bounds.PriceMax, 0.5);

    // A full disk changes nothing, in memory or on disk.
    const QByteArray before = folder.ReadBytes(file);
    platform::SetWriteBudgetForTests(10);
    EXPECT_FALSE(reloaded.Save(Screen("new", 0, 1)));
    EXPECT_FALSE(reloaded.Delete("bargain"));
    platform::SetWriteBudgetForTests(-1);
    EXPECT_EQ(reloaded.Screens().size(), 2u);
    EXPECT_EQ(folder.ReadBytes(file), before);

    EXPECT_TRUE(reloaded.Delete("Bargain"));
    EXPECT_FALSE(reloaded.Delete("bargain"));
    reloaded.Load();
    EXPECT_EQ(reloaded.Screens(), std::vector<SavedScreen>{Screen("PENNY", 0, 0.5)});

    // Damaged by hand: no screens, and the file stays as it is until a screen is saved, which
    // keeps the damaged bytes aside.
    const QByteArray damaged = "[PENNY]\r\nMinPrice=0\r\nMaxPrice=oops\r\n";
    folder.WriteBytes(file, damaged);
    list.Load();
    EXPECT_TRUE(list.Screens().empty());
    EXPECT_EQ(list.Damage(), "line 3: MaxPrice \"oops\" is not a number");
    EXPECT_FALSE(list.Delete("PENNY"));
    EXPECT_EQ(folder.ReadBytes(file), damaged);
    ASSERT_TRUE(list.Save(Screen("fresh", 0, 5)));
    EXPECT_EQ(list.Damage(), "");
    EXPECT_EQ(folder.ReadBytes(file + ".damaged"), damaged);
    reloaded.Load();
    EXPECT_EQ(reloaded.Screens(), std::vector<SavedScreen>{Screen("fresh", 0, 5)});
}

}  // namespace
