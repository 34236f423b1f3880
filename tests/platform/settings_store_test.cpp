#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

#include "platform/ControlHost.h"
#include "platform/FormSettings.h"
#include "platform/HostedControl.h"
#include "platform/SettingsStore.h"

using namespace platform;

namespace {

// A minimal hosted control that keeps one setting and records the host's calls.
class ProbeControl : public QWidget, public HostedControl {
public:
    explicit ProbeControl(QWidget *parent = nullptr) : QWidget(parent) {}

    void InitProperties() override { calls << QStringLiteral("Init"); }
    void ReadProperties(const SettingsStore &store) override
    {
        calls << QStringLiteral("Read");
        level = store.ReadInt(QStringLiteral("Level"), 7);
    }
    void WriteProperties(SettingsStore &store) const override
    {
        store.WriteInt(QStringLiteral("Level"), level, 7);
    }
    void AmbientChanged(const QString &name) override { calls << name; }

    void SetLevel(int v)
    {
        level = v;
        PropertyChanged(QStringLiteral("Level"));
    }
    bool LooksDefault() const { return AmbientDisplayAsDefault(); }
    std::optional<bool> UserMode() const { return AmbientUserMode(); }

    QStringList calls;
    int level = 0;
};

}  // namespace

TEST(SettingsStore, KeysMatchWithoutRegardToCaseAndMissingKeysGiveTheDefault)
{
    SettingsStore store;
    store.WriteProperty(QStringLiteral("CaptionFormat"), 5, 0);
    EXPECT_EQ(store.ReadProperty(QStringLiteral("captionformat"), 0).toInt(), 5);
    EXPECT_EQ(store.ReadInt(QStringLiteral("CAPTIONFORMAT"), 0), 5);
    EXPECT_EQ(store.ReadProperty(QStringLiteral("Max"), 100).toInt(), 100);
    EXPECT_EQ(store.ReadText(QStringLiteral("Caption"), QStringLiteral("ButtonEx1")), "ButtonEx1");
    EXPECT_FALSE(store.ReadPicture(QStringLiteral("SkinUp")).IsAssigned());

    // another spelling replaces the value instead of adding a second key
    store.WriteProperty(QStringLiteral("captionFORMAT"), 6, 0);
    EXPECT_EQ(store.Keys(), QStringList{QStringLiteral("CaptionFormat")});
    EXPECT_EQ(store.ReadInt(QStringLiteral("CaptionFormat"), 0), 6);
}

TEST(SettingsStore, ValuesEqualToTheirDefaultAreNotStored)
{
    SettingsStore store;
    store.WriteProperty(QStringLiteral("Max"), 100, 100);
    store.WriteText(QStringLiteral("Caption"), QString(), QString());
    store.WriteColor(QStringLiteral("ForeColor"), 0x80000012u, 0x80000012u);
    store.WritePicture(QStringLiteral("Picture"), Picture());
    store.WriteProperty(QStringLiteral("Wide"), qint64(5), 5);  // widths differ, values do not
    EXPECT_TRUE(store.IsEmpty());

    store.WriteProperty(QStringLiteral("Max"), 250, 100);
    store.WritePicture(QStringLiteral("Picture"), Picture::Empty());  // empty is not "none"
    EXPECT_EQ(store.Keys(), (QStringList{"Max", "Picture"}));
    EXPECT_TRUE(store.ReadPicture(QStringLiteral("picture")).IsAssigned());
    EXPECT_FALSE(store.ReadPicture(QStringLiteral("picture")).HasImage());

    // writing the default over a stored value removes it, so reading gives the default again
    store.WriteProperty(QStringLiteral("MAX"), 100, 100);
    EXPECT_FALSE(store.Contains(QStringLiteral("Max")));
}

TEST(SettingsStore, TruthValuesAreKeptAsMinusOneAndZero)
{
    SettingsStore store;
    store.WriteBool(QStringLiteral("HighlightPicture"), true, false);
    store.WriteProperty(QStringLiteral("Enabled"), false, true);
    store.WriteBool(QStringLiteral("AllowFocus"), true, true);
    EXPECT_EQ(store.ReadProperty(QStringLiteral("HighlightPicture")), QVariant(-1));
    EXPECT_EQ(store.ReadProperty(QStringLiteral("Enabled")), QVariant(0));
    EXPECT_FALSE(store.Contains(QStringLiteral("AllowFocus")));
    EXPECT_TRUE(store.ReadBool(QStringLiteral("HighlightPicture"), false));
    EXPECT_FALSE(store.ReadBool(QStringLiteral("Enabled"), true));
}

TEST(SettingsStore, StoredValuesOfTheWrongKindGiveTheDefault)
{
    SettingsStore store;
    store.WriteProperty(QStringLiteral("Text"), QStringLiteral("abc"));
    store.WriteProperty(QStringLiteral("Big"), qint64(40000));
    store.WriteProperty(QStringLiteral("Huge"), qint64(1) << 40);
    store.WriteProperty(QStringLiteral("Signed"), -2147483630);  // 0x80000012 read as signed
    EXPECT_EQ(store.ReadInt(QStringLiteral("Text"), 3), 3);
    EXPECT_TRUE(store.ReadBool(QStringLiteral("Text"), true));
    EXPECT_EQ(store.ReadFont(QStringLiteral("Text"), QFont("Serif")), QFont("Serif"));
    EXPECT_EQ(store.ReadInt16(QStringLiteral("Big"), 9), 9);
    EXPECT_EQ(store.ReadInt(QStringLiteral("Big"), 9), 40000);
    EXPECT_EQ(store.ReadInt(QStringLiteral("Huge"), 9), 9);
    EXPECT_EQ(store.ReadColor(QStringLiteral("Huge"), 1u), 1u);
    EXPECT_EQ(store.ReadColor(QStringLiteral("Signed"), 0u), 0x80000012u);
}

TEST(FormSettings, TextFormatCarriesEveryKindOfValue)
{
    QImage inline8(2, 2, QImage::Format_RGB32);
    inline8.fill(QColor(1, 2, 3));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(9.75);
    font.setBold(true);

    SettingsStore store;
    store.WriteInt(QStringLiteral("Max"), 620, 100);
    store.WriteInt(QStringLiteral("Min"), -5, 0);
    store.WriteInt(QStringLiteral("Wide"), qint64(1) << 40, 0);
    store.WriteColor(QStringLiteral("FontColor"), 0x8000000Fu, 0x80000012u);
    store.WriteProperty(QStringLiteral("Ratio"), 0.5);
    store.WriteText(QStringLiteral("Caption"), QStringLiteral("Say \"hi\"\\\n\tnow"), QString());
    store.WriteFont(QStringLiteral("Font"), font, QFont());
    store.WritePicture(QStringLiteral("SkinUp"), Picture::Empty());
    store.WritePicture(QStringLiteral("Picture"), Picture::FromImage(inline8));
    store.WritePicture(QStringLiteral("SkinDown"), Picture::Load(QStringLiteral(":/no/such.png")));
    store.WriteBool(QStringLiteral("Enabled"), false, true);

    FormSettings saved;
    saved.SetStore(QStringLiteral("ButtonEx1(2)"), store);
    const FormSettings loaded = FormSettings::Parse(saved.ToText());
    const SettingsStore back = loaded.Store(QStringLiteral("buttonex1(2)"));
    EXPECT_EQ(back, store) << saved.ToText().toStdString();
    EXPECT_EQ(back.Keys(), store.Keys());
    EXPECT_EQ(back.ReadFont(QStringLiteral("Font"), QFont()).pointSizeF(), 9.75);
    EXPECT_EQ(back.ReadPicture(QStringLiteral("Picture")).Image().pixel(1, 1), qRgb(1, 2, 3));
    // a reference that cannot be read is kept as an assigned picture without an image
    const Picture missing = back.ReadPicture(QStringLiteral("SkinDown"));
    EXPECT_TRUE(missing.IsAssigned());
    EXPECT_FALSE(missing.HasImage());
    EXPECT_EQ(missing.Source(), ":/no/such.png");
}

TEST(FormSettings, LinesThatDoNotParseAreSkipped)
{
    const FormSettings settings =
        FormSettings::Parse(QStringLiteral("# saved settings\r\n"
                                           "Orphan = 1\n"
                                           "[ucProgressBar1]\n"
                                           "Max = 620\r\n"
                                           "  value   =   12  \n"
                                           "NoEquals\n"
                                           "= 4\n"
                                           "Caption = \"unterminated\n"
                                           "Font = font \"Arial\" big\n"
                                           "Font2 = font \"Arial\" 8pt wobbly\n"
                                           "Color = &H1FFFFFFFF\n"
                                           "FontColor = &H80000012&\n"
                                           "Other = whatever\n"
                                           "[UCPROGRESSBAR1]\n"
                                           "Min = 3\n"));
    EXPECT_EQ(settings.ControlNames(), QStringList{QStringLiteral("ucProgressBar1")});
    const SettingsStore store = settings.Store(QStringLiteral("ucProgressBar1"));
    EXPECT_EQ(store.Keys(), (QStringList{"Max", "value", "FontColor", "Min"}));
    EXPECT_EQ(store.ReadInt(QStringLiteral("Value"), 0), 12);
    EXPECT_EQ(store.ReadColor(QStringLiteral("FontColor"), 0), 0x80000012u);
    EXPECT_TRUE(settings.Store(QStringLiteral("ucProgressBar2")).IsEmpty());
    EXPECT_TRUE(FormSettings::Load(QStringLiteral("/no/such/file.frm")).ControlNames().isEmpty());
}

TEST(FormSettings, AWindowHandsEachControlItsStoreAndTheHost)
{
    QWidget form;
    auto *a = new ProbeControl(&form);
    a->setObjectName(QStringLiteral("ctlLevel"));
    auto *b = new ProbeControl(&form);
    b->setObjectName(QStringLiteral("ctlOther"));
    ControlHost host;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.settings"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[CTLLEVEL]\nLevel = 42\n");
    }
    LoadFormControls(&form, host, FormSettings::Load(path));
    EXPECT_EQ(a->level, 42);
    EXPECT_EQ(b->level, 7);  // no saved settings: its defaults
    EXPECT_EQ(a->calls, QStringList{QStringLiteral("Read")});
    EXPECT_EQ(a->Host(), &host);

    b->level = 9;
    const FormSettings saved = SaveFormControls(&form);
    EXPECT_EQ(saved.Store(QStringLiteral("ctlLevel")).ReadInt(QStringLiteral("Level"), 0), 42);
    EXPECT_EQ(saved.Store(QStringLiteral("ctlOther")).ReadInt(QStringLiteral("Level"), 0), 9);
    b->level = 7;
    EXPECT_TRUE(SaveFormControls(&form).Store(QStringLiteral("ctlOther")).IsEmpty());
}

TEST(ControlHost, AmbientValuesAndNotices)
{
    auto host = std::make_unique<ControlHost>();
    ProbeControl a, b, lone;
    a.SetHost(host.get());
    b.SetHost(host.get());

    // without a host nothing can be answered: design mode, not the default control
    EXPECT_FALSE(lone.UserMode().has_value());
    EXPECT_FALSE(lone.LooksDefault());
    EXPECT_EQ(a.UserMode(), std::optional<bool>(true));

    host->SetDefaultControl(&a);
    EXPECT_TRUE(a.LooksDefault());
    EXPECT_FALSE(b.LooksDefault());
    host->SetDefaultControl(&b);
    EXPECT_EQ(a.calls, (QStringList{"DisplayAsDefault", "DisplayAsDefault"}));
    EXPECT_EQ(b.calls, QStringList{QStringLiteral("DisplayAsDefault")});

    host->SetUserMode(std::nullopt);
    EXPECT_FALSE(a.UserMode().has_value());
    EXPECT_EQ(b.calls.last(), "UserMode");

    QSignalSpy changed(host.get(), &ControlHost::PropertyChanged);
    a.SetLevel(3);
    lone.SetLevel(4);  // nobody to tell
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QObject *>(), static_cast<QObject *>(&a));
    EXPECT_EQ(changed[0][1].toString(), "Level");

    // a control that goes away is forgotten; a host that goes away leaves controls hostless
    {
        ProbeControl temporary;
        temporary.SetHost(host.get());
        host->SetDefaultControl(&temporary);
    }
    host->SetUserMode(true);
    host.reset();
    EXPECT_EQ(a.Host(), nullptr);
    EXPECT_FALSE(a.UserMode().has_value());
}
