#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "platform/ControlHost.h"
#include "widgets/ButtonEx.h"
#include "widgets/ucProgressBar.h"

using namespace widgets;

namespace {

// Counts the paint events a window gets, and notes the back image each one shows.
struct PaintRecorder : QObject {
    explicit PaintRecorder(platform::SurfaceWidget &w) : widget(w) { w.installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            shown << widget.Surface().Image();
        return false;
    }
    platform::SurfaceWidget &widget;
    QList<QImage> shown;
};

}  // namespace

// The import pumps no events while it moves its bar: each set has to reach the screen inside
// the setter, with the face it just drew.
TEST(SurfacePresent, ASetterShowsTheNewFaceBeforeItReturns)
{
    const struct {
        const char *name;
        std::function<platform::SurfaceWidget *(QWidget *)> make;
        std::function<void(platform::SurfaceWidget *, int)> set;
    } controls[] = {
        {"ucProgressBar", [](QWidget *w) { return new ucProgressBar(w); },
         [](platform::SurfaceWidget *c, int i) { static_cast<ucProgressBar *>(c)->SetValue(i); }},
        {"ButtonEx", [](QWidget *w) { return new ButtonEx(w); },
         [](platform::SurfaceWidget *c, int i) { static_cast<ButtonEx *>(c)->SetValue(i % 3); }},
    };
    for (const auto &c : controls) {
        QWidget window;
        window.resize(300, 100);
        platform::SurfaceWidget *control = c.make(&window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        PaintRecorder recorder(*control);
        for (int i = 1; i <= 50; ++i) {
            const qsizetype before = recorder.shown.size();
            c.set(control, i);
            ASSERT_GT(recorder.shown.size(), before) << c.name << ": no paint inside set " << i;
            EXPECT_EQ(recorder.shown.last(), control->Surface().Image()) << c.name;
        }
    }
}
