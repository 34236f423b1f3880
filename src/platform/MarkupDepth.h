#pragma once

#include <QByteArrayView>

namespace platform {

// How deeply the elements of the markup nest, read by a quick scan of its tags (no tree is
// built): comments, declarations, raw text of SCRIPT/STYLE/TEXTAREA/TITLE, void elements,
// self-closed tags and elements whose end tag may be left out (P, LI, TD, TR, OPTION, ...) do
// not count. The scan stops as soon as the depth passes limit and then returns limit + 1.
// Linear in the length of the markup.
int MarkupDepth(QByteArrayView markup, int limit);

}  // namespace platform
