#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// The text with its character references decoded as a browser decodes them: the named entities
// of HTML 4 ("&nbsp;", "&lt;", "&eacute;", ...) plus "&apos;", and numeric ones ("&#39;",
// "&#x2019;"; 128 to 159 as windows-1252, as browsers read them; zero, surrogates and values past
// U+10FFFF as U+FFFD). A reference needs its closing ";"; an unknown name stays as it is.
QString DecodeHtmlEntities(QStringView text);

}  // namespace platform
