#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QMimeData>

#include "button_test_support.h"
#include "platform/Twips.h"

using namespace buttontest;

namespace {

struct DragLog {
    explicit DragLog(ButtonEx &b, int answer = -1)
    {
        QObject::connect(&b, &ButtonEx::OLEDragOver,
                         [this, answer](QMimeData *data, int &effect, short &button, short &shift,
                                        float &x, float &y, short &state) {
                             entries << QStringLiteral("Over %1 %2 %3 %4 %5 %6 %7")
                                            .arg(data ? data->text() : QStringLiteral("-"))
                                            .arg(effect)
                                            .arg(button)
                                            .arg(shift)
                                            .arg(x)
                                            .arg(y)
                                            .arg(state);
                             if (answer >= 0)
                                 effect = answer;
                         });
        QObject::connect(
            &b, &ButtonEx::OLEDragDrop,
            [this, answer](QMimeData *data, int &effect, short &, short &, float &x, float &y) {
                entries << QStringLiteral("Drop %1 %2 %3 %4")
                               .arg(data->text())
                               .arg(effect)
                               .arg(x)
                               .arg(y);
                if (answer >= 0)
                    effect = answer;
            });
    }
    QStringList Take()
    {
        QStringList out = entries;
        entries.clear();
        return out;
    }
    QStringList entries;
};

QString Twips(int x, int y)
{
    return QStringLiteral("%1 %2")
        .arg(x * platform::TwipsPerPixelX())
        .arg(y * platform::TwipsPerPixelY());
}

}  // namespace

TEST(ButtonExDrag, DragNotificationsAreRaisedAsDragEventsAndPaintTheHover)
{
    HostedButton h;
    ButtonEx *b = h.button;
    b->SetAppearance(AppearanceFlat);
    DragLog log(*b, DropEffectCopy);
    QMimeData data;
    data.setText(QStringLiteral("AAPL"));

    QDragEnterEvent enter(QPoint(10, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::ControlModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_EQ(log.Take(), QStringList{"Over AAPL 3 1 2 " + Twips(10, 5) + " 0"});
    EXPECT_EQ(b->State(), StateOver);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);

    QDragMoveEvent move(QPoint(12, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &move);
    EXPECT_EQ(log.Take(), QStringList{"Over AAPL 1 1 0 " + Twips(12, 6) + " 2"});

    QDragLeaveEvent leave;
    QApplication::sendEvent(b, &leave);
    EXPECT_EQ(log.Take(), QStringList{"Over AAPL 0 0 0 " + Twips(12, 6) + " 1"});
    EXPECT_EQ(b->State(), StateUp);

    // a drop goes to the widget that accepted the drag's last entry
    QDragEnterEvent again(QPoint(20, 8), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &again);
    log.Take();
    QDropEvent drop(QPointF(20, 8), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    EXPECT_EQ(log.Take(), QStringList{"Drop AAPL 3 " + Twips(20, 8)});
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
}

TEST(ButtonExDrag, DropsAreRefusedWhenNobodyListensOrTheAnswerIsNone)
{
    HostedButton h;
    QMimeData data;
    data.setText(QStringLiteral("x"));
    QDragEnterEvent unheard(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.button, &unheard);
    EXPECT_FALSE(unheard.isAccepted());
    EXPECT_EQ(h.button->State(), StateOver) << "the hover look shows all the same";

    DragLog log(*h.button, DropEffectNone);
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.button, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST(ButtonExDrag, PromisedFormatsAreFilledThroughOLESetDataOnFirstDemand)
{
    ButtonExDataObject data;
    int requests = 0;
    QObject::connect(&data, &ButtonExDataObject::DataRequested, [&](short format) {
        ++requests;
        EXPECT_EQ(format, 1);
        data.SetData(1, QStringLiteral("filled"));
    });
    data.SetData(1);
    EXPECT_TRUE(data.GetFormat(1));
    EXPECT_TRUE(data.hasText());
    EXPECT_FALSE(data.GetFormat(15));
    EXPECT_EQ(data.text(), "filled");
    EXPECT_EQ(data.GetData(1).toString(), "filled");
    EXPECT_EQ(requests, 1);

    data.SetData(-12345, QByteArray("raw"));
    EXPECT_EQ(ButtonExDataObject::FormatOf(ButtonExDataObject::MimeTypeOf(-12345)), -12345);
    EXPECT_EQ(data.GetData(-12345).toByteArray(), "raw");
    data.Clear();
    EXPECT_TRUE(data.formats().isEmpty());
}

TEST(ButtonExDrag, ADragThatAllowsNothingIsNotStarted)
{
    HostedButton h;
    ButtonEx *b = h.button;
    int starts = 0, completes = 0;
    QObject::connect(b, &ButtonEx::OLEStartDrag, [&](ButtonExDataObject *data, int &allowed) {
        ++starts;
        EXPECT_EQ(allowed, DropEffectCopy | DropEffectMove);
        data->SetData(1, QStringLiteral("MSFT"));
        allowed = DropEffectNone;
    });
    QObject::connect(b, &ButtonEx::OLECompleteDrag, [&](int &) { ++completes; });
    b->OLEDrag();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(completes, 0);
}
