#pragma once

#include <QList>
#include <QString>

#include "platform/NamedList.h"
#include "platform/SettingsStore.h"

class QWidget;

namespace platform {

class ControlHost;

// The saved settings of a window's controls: one SettingsStore per control, keyed by the
// control's name (its objectName, e.g. "ucProgressBar1" or "ButtonEx1(2)"), matched without
// regard to letter case. A window keeps them as a text resource of the program:
//
//   # comment
//   [ucProgressBar1]
//   BarPictureFore = picture ":/pictures/bar_fore.png"
//   Max = 620                                  integer
//   FontColor = &H80000012                     colour (hexadecimal)
//   Ratio = 0.5                                double
//   CaptionCustom = "a \"quoted\" text\n"      text with \\ \" \n \r \t escapes
//   Font = font "Arial" 9.75pt bold italic     family, size in pt or px, then flags
//   SkinUp = picture ""                        an assigned picture without an image
//   Picture = picture data "iVBORw0KGgo..."    a picture carried inline (base64 PNG)
//
// Truth values are the integers -1 and 0. A line that does not parse is skipped.
class FormSettings {
public:
    static FormSettings Parse(const QString &text);
    // Reads a resource (":/...") or file; a missing file gives no settings at all.
    static FormSettings Load(const QString &path);
    QString ToText() const;

    // The saved store of the control; an empty store for a control without saved settings.
    SettingsStore Store(const QString &controlName) const;
    void SetStore(const QString &controlName, const SettingsStore &store);
    QStringList ControlNames() const;

private:
    NamedList<SettingsStore> sections;
};

// What a window does when it is created: every hosted control among its descendants is given
// the host and then its saved store (by object name) through ReadProperties. Controls without
// saved settings read an empty store, which gives them their defaults.
void LoadFormControls(QWidget *form, ControlHost &host, const FormSettings &settings);

// What a designer does when it saves the window: WriteProperties of every hosted control
// among the form's descendants that has an object name.
FormSettings SaveFormControls(const QWidget *form);

}  // namespace platform
